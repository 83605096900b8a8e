#pragma once
// Twips, the classic sixteen-colour palette and 0x00BBGGRR colour values.
#include <QColor>
#include <QRect>
#include <cstdint>

constexpr int kTwipsPerPixel = 15;

int twipsToPixels(double twips);
double pixelsToTwips(double pixels);
QRect twipsRect(double left, double top, double width, double height);

// 0x00BBGGRR to a colour.
QColor bgrColor(std::uint32_t bgr);
std::uint32_t colorToBgr(const QColor& c);
// The classic palette, 0 to 15, as 0x00BBGGRR values and as colours.
std::uint32_t QBColorValue(int n);
QColor QBColor(int n);
