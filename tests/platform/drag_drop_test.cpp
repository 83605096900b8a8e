#include "platform/drag_drop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <set>
#include <string>
#include <vector>

#include "platform/picture_box.h"
#include "platform/units.h"

namespace {

struct Drop {
    std::string target;
    QWidget* source;
    double x, y;
};

class DragDropTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(400, 300);
        source = new PictureBox(&window, "source");
        source->setGeometry(10, 10, 40, 40);
        source->onMouseDown = [this](int, int, double, double) { beginDrag(source, [this] { ++notTaken; }); };
        source->onClick = [this] { ++sourceClicks; };
        board = new PictureBox(&window, "board");
        board->setGeometry(100, 10, 200, 100);
        board->setBorder(true);
        board->setScale(0, 0, 20, 10);
        plain = new QWidget(&window);
        plain->setGeometry(100, 150, 100, 100);
        caption = new QLabel("inside", plain);
        caption->setGeometry(10, 10, 50, 20);
        // Seen through, as a line drawn on a picture box is.
        caption->setAttribute(Qt::WA_TransparentForMouseEvents);
        badge = new QLabel("badge", plain);
        badge->setGeometry(10, 50, 50, 20);
        button = new QPushButton("no drops", &window);
        button->setGeometry(250, 150, 100, 40);
        setDropTarget(board, record("board"));
        setDropTarget(plain, record("plain"));
        setDropTarget(&window, record("window"));
        window.show();
    }
    void TearDown() override { endDrag(); }

    DropHandler record(const char* name) {
        return [this, name](QWidget* from, double x, double y) { drops.push_back({name, from, x, y}); };
    }
    // A real press on the source, then the button released over a point of the window.
    void dragTo(QPoint windowPoint) {
        QTest::mousePress(source, Qt::LeftButton, {}, QPoint(20, 20));
        ASSERT_TRUE(isDragging());
        QWidget* under = window.childAt(windowPoint);
        if (!under) under = &window;
        QTest::mouseRelease(under, Qt::LeftButton, {}, under->mapFrom(&window, windowPoint));
    }

    QWidget window;
    PictureBox* source = nullptr;
    PictureBox* board = nullptr;
    QWidget* plain = nullptr;
    QLabel* caption = nullptr;
    QLabel* badge = nullptr;
    QPushButton* button = nullptr;
    std::vector<Drop> drops;
    int notTaken = 0;
    int sourceClicks = 0;
};

}  // namespace

TEST_F(DragDropTest, APictureBoxTakesTheDropAtThePointerInItsOwnScale) {
    // Inside the border, 1 + 100 pixels across 198 is 10 units of 20.
    dragTo(QPoint(100 + 1 + 99, 10 + 1 + 49));
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0].target, "board");
    EXPECT_EQ(drops[0].source, source);
    EXPECT_NEAR(drops[0].x, 10, 0.01);
    EXPECT_NEAR(drops[0].y, 5, 0.01);
    EXPECT_FALSE(isDragging());
    // The release ended the drag; it is no click on the control it started from.
    EXPECT_EQ(sourceClicks, 0);
    // The dragged control itself stays where it was.
    EXPECT_EQ(source->pos(), QPoint(10, 10));
}

TEST_F(DragDropTest, ControlsThatTakeNoMouseInputAreSeenThroughAndPointsAreInTwips) {
    dragTo(QPoint(100 + 20, 150 + 15));  // on the see-through label inside the plain target
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0].target, "plain");
    EXPECT_DOUBLE_EQ(drops[0].x, pixelsToTwips(20));
    EXPECT_DOUBLE_EQ(drops[0].y, pixelsToTwips(15));

    dragTo(QPoint(60, 200));  // bare window
    ASSERT_EQ(drops.size(), 2u);
    EXPECT_EQ(drops[1].target, "window");
    EXPECT_DOUBLE_EQ(drops[1].x, pixelsToTwips(60));
    EXPECT_EQ(notTaken, 0);
}

TEST_F(DragDropTest, ADropWhereNothingTakesItIsReportedAsNotTaken) {
    dragTo(QPoint(260, 160));  // the button
    EXPECT_TRUE(drops.empty());
    EXPECT_EQ(notTaken, 1);
    dragTo(QPoint(100 + 20, 150 + 55));  // a label on a target, taking no drops itself
    EXPECT_TRUE(drops.empty());
    EXPECT_EQ(notTaken, 2);
    EXPECT_FALSE(isDragging());

    QTest::mousePress(source, Qt::LeftButton, {}, QPoint(20, 20));
    dropDragAt(QPointF(-5, 40));  // outside the window
    EXPECT_TRUE(drops.empty());
    EXPECT_EQ(notTaken, 3);

    // A drag ended by the program reports nothing.
    QTest::mousePress(source, Qt::LeftButton, {}, QPoint(20, 20));
    endDrag();
    QTest::mouseRelease(board, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_TRUE(drops.empty());
    EXPECT_EQ(notTaken, 3);
}

TEST_F(DragDropTest, APictureOfTheControlFollowsThePointerUntilTheDrop) {
    const QList<QWidget*> before = window.findChildren<QWidget*>();
    QTest::mousePress(source, Qt::LeftButton, {}, QPoint(5, 8));
    QWidget* outline = nullptr;
    for (QWidget* w : window.findChildren<QWidget*>())
        if (!before.contains(w)) outline = w;
    ASSERT_NE(outline, nullptr);
    EXPECT_TRUE(outline->isVisible());
    EXPECT_EQ(outline->geometry(), source->geometry());

    const QPoint to(200, 120);
    QMouseEvent move(QEvent::MouseMove, QPointF(source->mapFrom(&window, to)),
                     QPointF(window.mapToGlobal(to)), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(source, &move);
    // Held where the pointer took it.
    EXPECT_EQ(outline->pos(), to - QPoint(5, 8));
    // It takes no part in finding the drop's target.
    EXPECT_TRUE(outline->testAttribute(Qt::WA_TransparentForMouseEvents));

    QTest::mouseRelease(&window, Qt::LeftButton, {}, to);
    EXPECT_FALSE(outline->isVisible());
}
