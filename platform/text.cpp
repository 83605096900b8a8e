#include "platform/text.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "platform/fonts.h"

QString displayText(const QString& text) {
    QString out = text;
    out.replace("\r\n", "\n");
    out.replace('\r', '\n');
    return out;
}

namespace {

// The font may shrink to this share of its size to keep phrases whole; below
// it the text no longer looks like its neighbours, so phrases break instead.
constexpr double kPhraseShare = 0.8;
// Smaller still, to keep a text whole that no breaking fits (a clock's time,
// a long name in a small box); below it a child would strain to read it.
constexpr double kWholeShare = 0.6;

bool endsPhrase(QChar c) {
    return c == '-' || c == ',' || c == ':' || c == ';' || c == '.' || c == '!' || c == '?';
}

QString trimmedEnd(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return s.left(n);
}

bool isSentence(const QString& phrase) {
    const QString t = trimmedEnd(phrase);
    return !t.isEmpty() && (t.back() == '.' || t.back() == '!' || t.back() == '?');
}

// Splits a line after each run of blanks that follows a phrase end (or, for
// words, after every run of blanks); each piece keeps its trailing blanks.
QStringList pieces(const QString& line, bool words) {
    QStringList out;
    qsizetype start = 0;
    for (qsizetype i = 1; i < line.size(); ++i) {
        if (line[i] != ' ' || line[i - 1] == ' ' || (!words && !endsPhrase(line[i - 1]))) continue;
        qsizetype end = i;
        while (end < line.size() && line[end] == ' ') ++end;
        if (end == line.size()) break;
        out << line.mid(start, end - start);
        start = end;
        i = end - 1;
    }
    out << line.mid(start);
    return out;
}

// A phrase too wide for a line, broken between its words: each line takes as
// many words as fit, except that a last word is not left alone on the last
// line when the line before can spare one. The last line keeps its trailing
// blanks. With elide, a word too wide for a line is shortened with an
// ellipsis; else such a word gives no lines at all.
std::optional<QStringList> wrapPhrase(const QString& phrase, const QFontMetrics& fm, int width, bool elide) {
    auto fits = [&](const QString& s) { return fm.horizontalAdvance(trimmedEnd(s)) <= width; };
    std::vector<QStringList> rows(1);
    for (QString word : pieces(phrase, true)) {
        if (!fits(word)) {
            if (!elide) return std::nullopt;
            const QString bare = trimmedEnd(word);
            word = fm.elidedText(bare, Qt::ElideRight, width) + word.mid(bare.size());
        }
        if (!rows.back().isEmpty() && !fits(rows.back().join(QString()) + word)) rows.emplace_back();
        rows.back() << word;
    }
    if (rows.size() >= 2 && rows.back().size() == 1) {
        QStringList& before = rows[rows.size() - 2];
        if (before.size() >= 2 && fits(before.back() + rows.back().front()))
            rows.back().prepend(before.takeLast());
    }
    QStringList out;
    for (const QStringList& row : rows) out << trimmedEnd(row.join(QString()));
    out.back() = rows.back().join(QString());
    return out;
}

enum class Breaks {
    Phrases,  // between phrases; a sentence may also break between its words
    Words,    // between the words of any phrase too
    Elided,   // as Words, a word too wide for a line shortened
};

// Each line broken at phrase ends first, phrases joined on a line while they
// fit; empty when a phrase that may not break does not fit.
std::optional<QStringList> breakLines(const QStringList& lines, const QFontMetrics& fm, int width,
                                      Breaks breaks) {
    QStringList out;
    auto fits = [&](const QString& s) { return fm.horizontalAdvance(trimmedEnd(s)) <= width; };
    for (const QString& line : lines) {
        const qsizetype before = out.size();
        QString current;
        for (const QString& phrase : pieces(line, false)) {
            if (fits(current + phrase)) {
                current += phrase;
                continue;
            }
            if (!trimmedEnd(current).isEmpty()) out << trimmedEnd(current);
            current.clear();
            if (fits(phrase)) {
                current = phrase;
                continue;
            }
            if (breaks == Breaks::Phrases && !isSentence(phrase)) return std::nullopt;
            const std::optional<QStringList> wrapped =
                wrapPhrase(phrase, fm, width, breaks == Breaks::Elided);
            if (!wrapped) return std::nullopt;
            out << wrapped->mid(0, wrapped->size() - 1);
            current = wrapped->back();
        }
        if (!trimmedEnd(current).isEmpty() || out.size() == before) out << trimmedEnd(current);
    }
    return out;
}

int blockHeight(const QFontMetrics& fm, qsizetype lines) {
    return static_cast<int>(lines - 1) * fm.lineSpacing() + fm.height();
}

// A single line always has room: drawn centred on a box a little lower than
// the font's line, only the empty space above and below its letters is lost.
bool hasRoom(const QFontMetrics& fm, qsizetype lines, int height) {
    return lines <= 1 || blockHeight(fm, lines) <= height;
}

}  // namespace

FittedText fitText(const QString& shown, const QFont& font, int width, int height, bool wrap) {
    const QStringList lines = shown.split('\n');
    if (width <= 0 || height <= 0) return FittedText{font, lines};
    const int designed = pixelSizeOf(font);
    auto sized = [&](int pixels) {
        if (pixels == designed) return font;
        QFont f = font;
        f.setPixelSize(std::max(1, pixels));
        return f;
    };
    auto layOut = [&](const QFontMetrics& fm, Breaks breaks) -> std::optional<QStringList> {
        if (wrap) return breakLines(lines, fm, width, breaks);
        QStringList out;
        for (const QString& l : lines) {
            if (fm.horizontalAdvance(l) <= width)
                out << l;
            else if (breaks == Breaks::Elided)
                out << fm.elidedText(l, Qt::ElideRight, width);
            else
                return std::nullopt;
        }
        return out;
    };
    // The largest size, from the designed one down to a share of it, at which
    // the lines fit.
    auto attempt = [&](Breaks breaks, double share) -> std::optional<FittedText> {
        const int smallest = std::max(1, static_cast<int>(std::ceil(designed * share)));
        for (int px = designed; px >= smallest; --px) {
            const QFont f = sized(px);
            const QFontMetrics fm(f);
            const std::optional<QStringList> broken = layOut(fm, breaks);
            if (broken && hasRoom(fm, broken->size(), height)) return FittedText{f, *broken};
        }
        return std::nullopt;
    };
    // Shrinking is worth it only where it keeps the text whole; a word that is
    // shortened anyway is shortened at the largest size that has room.
    const std::pair<Breaks, double> tries[] = {{Breaks::Phrases, kPhraseShare},
                                               {Breaks::Words, kPhraseShare},
                                               {Breaks::Words, kWholeShare},
                                               {Breaks::Elided, kPhraseShare}};
    for (const auto& [breaks, share] : tries) {
        if (auto fitted = attempt(breaks, share)) return *fitted;
    }

    // Too many lines at any size: at the designed size, those that have room,
    // the last of them ending in an ellipsis, as more follows.
    const QFont& f = font;
    const QFontMetrics fm(f);
    QStringList out = layOut(fm, Breaks::Elided).value_or(lines);
    qsizetype room = 1;
    while (room < out.size() && hasRoom(fm, room + 1, height)) ++room;
    if (room < out.size()) {
        const QString ellipsis(QChar(0x2026));
        QString last = out.mid(room - 1).join(' ');
        while (!last.isEmpty() && fm.horizontalAdvance(last + ellipsis) > width) last.chop(1);
        out = out.mid(0, room - 1);
        out << trimmedEnd(last) + ellipsis;
    }
    return FittedText{f, out};
}
