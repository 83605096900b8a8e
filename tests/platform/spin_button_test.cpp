#include "platform/spin_button.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

namespace {

struct Counts {
    int up = 0;
    int down = 0;
};

class SpinButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(100, 100);
        spin = new SpinButton(&window, "SpinButton1");
        spin->setGeometry(10, 10, 23, 41);
        spin->onSpinUp([this] { ++counts.up; });
        spin->onSpinDown([this] { ++counts.down; });
        window.show();
    }
    // The arrow under a point of the spin button, as the mouse finds it.
    QWidget* at(int y) { return spin->childAt(spin->width() / 2, y); }

    QWidget window;
    SpinButton* spin = nullptr;
    Counts counts;
};

TEST_F(SpinButtonTest, TheUpperHalfSpinsUpAndTheLowerHalfDown) {
    QWidget* upper = at(3);
    QWidget* lower = at(spin->height() - 3);
    ASSERT_EQ(upper, spin->upArrow());
    ASSERT_EQ(lower, spin->downArrow());
    QTest::mouseClick(upper, Qt::LeftButton);
    QTest::mouseClick(upper, Qt::LeftButton);
    QTest::mouseClick(lower, Qt::LeftButton);
    EXPECT_EQ(counts.up, 2);
    EXPECT_EQ(counts.down, 1);

    // The step comes with the press, not the release.
    QTest::mousePress(upper, Qt::LeftButton);
    EXPECT_EQ(counts.up, 3);
    QTest::mouseRelease(upper, Qt::LeftButton, {}, QPoint(upper->width() / 2, -20));
    EXPECT_EQ(counts.up, 3);

    spin->setEnabled(false);
    QTest::mouseClick(upper, Qt::LeftButton);
    QTest::mouseClick(lower, Qt::LeftButton);
    EXPECT_EQ(counts.up, 3);
    EXPECT_EQ(counts.down, 1);
}

TEST_F(SpinButtonTest, HoldingAnArrowKeepsSpinningUntilReleased) {
    QWidget* lower = spin->downArrow();
    QTest::mousePress(lower, Qt::LeftButton);
    QTest::qWait(900);
    QTest::mouseRelease(lower, Qt::LeftButton);
    const int held = counts.down;
    EXPECT_GE(held, 2);
    QTest::qWait(300);
    EXPECT_EQ(counts.down, held);
    EXPECT_EQ(counts.up, 0);
}

}  // namespace
