#include "platform/line_shape.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include "platform/units.h"

namespace {

// Whether the pixel at a point of the parent, in twips, is the line's colour.
bool inked(QWidget& parent, double x, double y) {
    const QImage image = parent.grab().toImage();
    return image.pixelColor(twipsToPixels(x), twipsToPixels(y)) == QColor(Qt::red);
}

}  // namespace

TEST(LineShapeTest, DrawsFromEndToEndInItsParentsTwipsAndNowhereElse) {
    QWidget parent;
    parent.resize(200, 200);
    parent.setAutoFillBackground(true);
    QPalette p = parent.palette();
    p.setColor(QPalette::Window, Qt::white);
    parent.setPalette(p);

    // Falling to the left, so the start is not the top-left corner.
    auto* line = new LineShape(&parent, "linTest");
    line->setPoints(2400, 300, 600, 2100);
    line->setBorderColor(Qt::red);
    line->setBorderWidth(3);
    EXPECT_EQ(line->X1(), 2400);
    EXPECT_EQ(line->Y2(), 2100);
    EXPECT_TRUE(line->geometry().contains(twipsRect(600, 300, 1800, 1800)));

    EXPECT_TRUE(inked(parent, 2400, 300));
    EXPECT_TRUE(inked(parent, 1500, 1200));
    EXPECT_TRUE(inked(parent, 600, 2100));
    EXPECT_FALSE(inked(parent, 600, 300));
    EXPECT_FALSE(inked(parent, 2400, 2100));

    // Moving the ends moves the line; hidden, it draws nothing.
    line->setPoints(300, 1500, 2700, 1500);
    EXPECT_TRUE(inked(parent, 1500, 1500));
    EXPECT_FALSE(inked(parent, 1500, 1200));
    line->hide();
    EXPECT_FALSE(inked(parent, 1500, 1500));
    // Clicks go through to what lies below.
    EXPECT_TRUE(line->testAttribute(Qt::WA_TransparentForMouseEvents));
}
