#include "platform/fonts.h"

#include <QFontMetrics>
#include <cmath>

QString substituteFace(const QString& face) {
    const QString f = face.trimmed().toLower();
    if (f == "ms sans serif" || f == "arial" || f == "ms serif" || f == "system") return "Liberation Sans";
    if (f == "arial narrow") return "Liberation Sans Narrow";
    if (f == "courier new" || f == "courier") return "Liberation Mono";
    if (f == "comic sans ms") return "Comic Neue";
    if (f == "britannic bold") return "DejaVu Sans";
    if (f == "times new roman") return "Liberation Serif";
    return face;
}

QFont vbFont(const QString& face, double points, bool bold, bool italic) {
    QFont font(substituteFace(face));
    // A pixel size keeps the layout in twips true whatever the screen reports.
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
    // There is no free look-alike of the display face, so it is always heavy.
    font.setBold(bold || face.trimmed().compare("Britannic Bold", Qt::CaseInsensitive) == 0);
    font.setItalic(italic);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

int pixelSizeOf(const QFont& font) {
    if (font.pixelSize() > 0) return font.pixelSize();
    return std::max(1, static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0)));
}

QFont fontToFit(const QFont& font, const QString& text, int width) {
    if (QFontMetrics(font).horizontalAdvance(text) <= width) return font;
    QFont narrow = font;
    if (font.family() == substituteFace("Arial")) narrow.setFamily(substituteFace("Arial Narrow"));
    // Half the size is the floor: below it nothing is readable anyway.
    const int designed = pixelSizeOf(font);
    for (int px = designed; px > designed / 2; --px) {
        narrow.setPixelSize(px);
        if (QFontMetrics(narrow).horizontalAdvance(text) <= width) break;
    }
    return narrow;
}
