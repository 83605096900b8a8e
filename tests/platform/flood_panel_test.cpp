#include "platform/flood_panel.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

namespace {

class FloodPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 100);
        panel = new FloodPanel(&window, "pnlTime");
        panel->setGeometry(10, 10, 169, 41);
        panel->setFloodColor(QColor(0, 0, 255));
    }
    QImage shown() { return panel->grab().toImage(); }
    // The colours along the flood area's top row, where no text lies.
    int countAlongTop(const QImage& image, QRgb colour) {
        const QRect area = panel->floodArea();
        int n = 0;
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, area.top()) == colour) ++n;
        return n;
    }

    QWidget window;
    FloodPanel* panel = nullptr;
};

TEST_F(FloodPanelTest, TheBarFillsTheInsideFromTheLeftToThePercentage) {
    const QRect area = panel->floodArea();
    ASSERT_GT(area.width(), 100);
    EXPECT_TRUE(panel->rect().contains(area));
    EXPECT_LT(area.left(), 10);

    const QRgb blue = qRgb(0, 0, 255), white = qRgb(255, 255, 255);
    panel->setFloodPercent(100);
    EXPECT_EQ(panel->floodBar(), area);
    EXPECT_EQ(countAlongTop(shown(), blue), area.width());

    panel->setFloodPercent(0);
    EXPECT_EQ(panel->floodBar().width(), 0);
    EXPECT_EQ(countAlongTop(shown(), white), area.width());

    panel->setFloodPercent(50);
    const QImage half = shown();
    EXPECT_EQ(half.pixel(area.left(), area.top()), blue);
    EXPECT_EQ(half.pixel(area.right(), area.top()), white);
    EXPECT_NEAR(countAlongTop(half, blue), area.width() / 2.0, 1.0);
}

TEST_F(FloodPanelTest, ThePercentageIsWrittenAndHeldBetweenNoughtAndAHundred) {
    panel->setFloodPercent(45);
    EXPECT_EQ(panel->floodText(), "45%");
    panel->setFloodPercent(130);
    EXPECT_EQ(panel->floodPercent(), 100);
    EXPECT_EQ(panel->floodText(), "100%");
    panel->setFloodPercent(-5);
    EXPECT_EQ(panel->floodPercent(), 0);

    // The text can be read on either side of the bar's edge: at 0 % it is
    // written in the bar's colour on white, at 100 % in white on the bar.
    const QRect middle = panel->floodArea().adjusted(20, 0, -20, 0);
    auto inkIn = [&](const QImage& image, QRgb ink) {
        for (int y = middle.top(); y <= middle.bottom(); ++y)
            for (int x = middle.left(); x <= middle.right(); ++x)
                if (image.pixel(x, y) == ink) return true;
        return false;
    };
    EXPECT_TRUE(inkIn(shown(), qRgb(0, 0, 255)));
    panel->setFloodPercent(100);
    EXPECT_TRUE(inkIn(shown(), qRgb(255, 255, 255)));
}

}  // namespace
