#pragma once
#include <QString>

// Texts keep their exact characters (lines joined by CR, or CR LF); shown, each
// CR LF, lone CR or lone LF is one line break.
QString displayText(const QString& text);
// Joins lines with a carriage return, as the windows' messages are joined.
inline const QChar kCR = QChar(13);
