// Picture boxes on a screen of twice the density, beside the same boxes on a
// plain screen. Runs on the offscreen platform given the two screens of
// two_screens.json, as ctest starts it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <memory>
#include <optional>
#include <string>

#include "platform/metafile.h"
#include "platform/picture_box.h"
#include "platform/units.h"

namespace {

QScreen* screenOfRatio(qreal ratio) {
    for (QScreen* s : QGuiApplication::screens())
        if (s->devicePixelRatio() == ratio) return s;
    return nullptr;
}

// A window with boxes drawn on as the games draw on theirs: a field with a
// sprite copied onto it, a slanted figure, and a card with its picture.
struct Boxes {
    QWidget window;
    PictureBox* field;
    PictureBox* sprite;
    PictureBox* tree;
    PictureBox* card;

    explicit Boxes(QScreen* screen) {
        window.resize(200, 150);
        field = new PictureBox(&window, "field");
        field->place(QRect(10, 10, 40, 30));
        field->setScaleMode(PictureBox::Pixels);
        sprite = new PictureBox(&window, "sprite");
        sprite->place(QRect(60, 10, 8, 6));
        sprite->hide();
        sprite->setScaleMode(PictureBox::Pixels);
        tree = new PictureBox(&window, "tree");
        tree->place(QRect(10, 50, 16, 20));
        tree->setScaleMode(PictureBox::Pixels);
        card = new PictureBox(&window, "card");
        card->place(QRect(80, 10, 60, 75));
        moveTo(screen);
        window.show();
    }
    void moveTo(QScreen* screen) {
        window.move(screen->geometry().topLeft() + QPoint(50, 50));
        QCoreApplication::processEvents();
    }

    void draw(const Metafile& gift) {
        sprite->setBackColor(QBColor(14));
        sprite->Box(1, 1, 6, 4, QBColor(4), true);
        sprite->PSet(0, 5, QBColor(1));

        field->setBackColor(QBColor(15));
        field->Box(2, 3, 10, 8, QBColor(12), true);
        field->setFillSolid(true);
        field->setFillColor(QBColor(10));
        field->Box(12, 2, 20, 9, QBColor(0));
        field->Line(1, 12, 30, 12, QBColor(1));
        field->Line(33, 2, 33, 25, QBColor(2));
        field->PSet(36, 28, QBColor(5));
        field->setForeColor(QBColor(6));
        field->setFillColor(QBColor(11));
        field->Polygon({{3, 15}, {14, 15}, {14, 22}, {3, 22}});
        field->setDrawWidth(2);
        field->Line(16, 15, 26, 15, QBColor(8));
        field->BitBlt(25, 18, 8, 6, *sprite, 0, 0);
        // A scroll: the box copied onto itself, three rows up.
        field->BitBlt(0, 0, 40, 27, *field, 0, 3);

        // A tree as the sleigh's sprites draw one: slanted sides.
        tree->setBackColor(QBColor(15));
        tree->setFillSolid(true);
        tree->setForeColor(QBColor(2));
        tree->setFillColor(QBColor(0));
        tree->Polygon({{8, 1}, {14, 16}, {1, 16}});

        card->setBackColor(QBColor(7));
        card->setPicture(gift, Metafile::Fit::Stretch);
    }
};

class PictureBoxDensityTest : public ::testing::Test {
protected:
    void SetUp() override {
        plainScreen = screenOfRatio(1);
        denseScreen = screenOfRatio(2);
        ASSERT_TRUE(plainScreen && denseScreen)
            << "run with QT_QPA_PLATFORM=offscreen:configfile=tests/density/two_screens.json";
        gift = Metafile::load(std::string(QUENVALE_SOURCE_DIR "/assets/gift.wmf"));
        ASSERT_TRUE(gift);
        plain = std::make_unique<Boxes>(plainScreen);
        dense = std::make_unique<Boxes>(denseScreen);
        plain->draw(*gift);
        dense->draw(*gift);
    }

    // Each pixel as a block of two by two.
    static QImage doubled(const QImage& image) {
        QImage blocks = image.scaled(image.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        blocks.setDevicePixelRatio(2);
        return blocks;
    }
    static int differing(const QImage& a, const QImage& b) {
        int n = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
        return n;
    }

    QScreen* plainScreen = nullptr;
    QScreen* denseScreen = nullptr;
    std::optional<Metafile> gift;
    std::unique_ptr<Boxes> plain, dense;
};

}  // namespace

TEST_F(PictureBoxDensityTest, BoxesDrawAtTheirScreensDensityOnTheSameLogicalPixels) {
    for (PictureBox* box : {dense->field, dense->sprite, dense->tree, dense->card}) {
        EXPECT_EQ(box->image().devicePixelRatio(), 2) << box->objectName().toStdString();
        EXPECT_EQ(box->image().size(), box->size() * 2) << box->objectName().toStdString();
        EXPECT_EQ(box->logicalSize(), box->size()) << box->objectName().toStdString();
    }
    EXPECT_EQ(dense->field->scaleWidth(), plain->field->scaleWidth());
    EXPECT_EQ(dense->field->xToPixels(17), plain->field->xToPixels(17));

    // Square shapes and copies between boxes cover the very logical pixels
    // they cover on a plain screen, each in its whole block of device pixels.
    EXPECT_EQ(dense->sprite->image(), doubled(plain->sprite->image()));
    EXPECT_EQ(dense->field->image(), doubled(plain->field->image()));

    // A slanted figure's finer steps keep its fill inside its outline.
    const QImage tree = dense->tree->image();
    int filled = 0, touchingBackground = 0;
    for (int y = 0; y < tree.height(); ++y)
        for (int x = 0; x < tree.width(); ++x) {
            if (tree.pixelColor(x, y) != QBColor(0)) continue;
            ++filled;
            for (QPoint n : {QPoint(x - 1, y), QPoint(x + 1, y), QPoint(x, y - 1), QPoint(x, y + 1)})
                touchingBackground += tree.valid(n) && tree.pixelColor(n) == QBColor(15);
        }
    EXPECT_GT(filled, 100);
    EXPECT_EQ(touchingBackground, 0);

    // A picture is drawn at the finer density, not enlarged from the plain one.
    const QImage card = dense->card->image();
    EXPECT_GT(differing(card, doubled(plain->card->image())), card.width() * card.height() / 100);
}

TEST_F(PictureBoxDensityTest, AWindowMovedToAnotherScreenKeepsWhatItsBoxesShowAtTheNewDensity) {
    dense->moveTo(plainScreen);
    ASSERT_EQ(dense->window.screen(), plainScreen);
    // A box that shows only its picture draws it anew; what was drawn on a box is carried over.
    EXPECT_EQ(dense->card->image(), plain->card->image());
    EXPECT_EQ(dense->field->image(), plain->field->image());
    EXPECT_EQ(dense->sprite->image(), plain->sprite->image());
    EXPECT_EQ(dense->field->image().devicePixelRatio(), 1);

    dense->moveTo(denseScreen);
    plain->moveTo(denseScreen);
    EXPECT_EQ(plain->card->image(), dense->card->image());
    EXPECT_EQ(plain->field->image().devicePixelRatio(), 2);
    EXPECT_EQ(plain->field->image().size(), dense->field->image().size());
    // Drawn after the move, at the new density.
    plain->draw(*gift);
    dense->draw(*gift);
    EXPECT_EQ(plain->field->image(), dense->field->image());
}
