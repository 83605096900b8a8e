#pragma once
#include <QFont>
#include <QSize>
#include <QString>
#include <QStringList>

// Texts keep their exact characters (lines joined by CR, or CR LF); shown, each
// CR LF, lone CR or lone LF is one line break.
QString displayText(const QString& text);
// A shown text that may be broken inside each run of characters long enough
// to pass a message box's edge (a path with a long folder name): after each
// slash or backslash in it, and anywhere in a part of it between those that
// is long itself. The break opportunities take no room; the text reads the same.
QString withBreaksInLongRuns(const QString& shown);
// The text with each long run of characters that take no room (accents,
// zero-width spaces, direction marks) cut to its start, which looks the same.
QString withShortNoRoomRuns(const QString& text);
// Joins lines with a carriage return, as the windows' messages are joined.
inline const QChar kCR = QChar(13);

// A text as a box shows it: the lines it is broken into and the font they are
// drawn in. Every line is whole: no line is wider than the box, and together
// they are no taller than it.
struct FittedText {
    QFont font;
    QStringList lines;
};

// Lays out a shown text (lines joined by LF) in a box of the given size in
// pixels. A line too wide for the box is broken, when wrapping is allowed,
// between its phrases (after a dash, a comma, a colon or the end of a
// sentence); when the phrases themselves do not fit, the font shrinks a little
// before a phrase is broken between its words. A word or an unbroken line that
// still does not fit is shortened with an ellipsis, and lines that find no
// room below the last whole one are left out, the last one shown ending in
// an ellipsis. A long run of characters that take no room (accents, zero-width
// spaces) shows only its start, which looks the same.
FittedText fitText(const QString& shown, const QFont& font, int width, int height, bool wrap);

// A text's layout in a box, kept while the text, font and box stay the same:
// a control paints often, and laying out is the costly part.
class FittedTextCache {
public:
    const FittedText& get(const QString& shown, const QFont& font, QSize box, bool wrap);

private:
    FittedText fitted_;
    QString shown_;
    QString fontKey_;
    QSize box_;
    bool wrap_ = false;
    bool valid_ = false;
};
