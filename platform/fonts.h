#pragma once
// The faces the windows name, rendered in installed look-alikes at the named size.
#include <QFont>
#include <QString>

// A font of the given face and size in points (at 96 dots an inch, as the
// windows were laid out), with the face replaced by its installed look-alike.
QFont vbFont(const QString& face, double points, bool bold = false, bool italic = false);
// The size of a font in pixels, whether it was given in pixels or in points.
int pixelSizeOf(const QFont& font);
// The installed family that stands in for a named face.
QString substituteFace(const QString& face);
// The font, or, where the text is wider than the given pixels, the condensed
// look-alike of its face at the same size or, failing that, at the largest
// smaller size at which the text fits.
QFont fontToFit(const QFont& font, const QString& text, int width);
