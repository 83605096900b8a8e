#include "actiongames/frmMaze.h"

#include <QCoreApplication>
#include <QPainter>
#include <QResizeEvent>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <utility>

#include "launcher/shared_routines.h"
#include "platform/button_column.h"
#include "platform/fonts.h"
#include "platform/printer.h"
#include "platform/seam.h"
#include "platform/text.h"
#include "platform/units.h"
#include "platform/vbmath.h"

namespace {

const char* const kSantaPicture = "maze_santa.svg";
const char* const kBagPicture = "maze_bag.svg";
const char* const kArrowPicture = "maze_arrow.svg";
const char* const kSleighPicture = "maze_sleigh.svg";
const char* const kMakerCredit = "Santa's Maze, made by the Quenvale team";

// Printed pictures are drawn this many times finer than a cell on the screen.
constexpr int kPrintDetail = 8;

QString msg(std::initializer_list<const char*> lines) {
    QString text;
    for (const char* line : lines) {
        if (!text.isEmpty()) text += kCR;
        text += QString::fromUtf8(line);
    }
    return text;
}

std::string assetPath(const char* name) { return FullPath(name); }

class FieldCanvas : public MazeCanvas {
public:
    FieldCanvas(PictureBox& field, std::function<void(bool, int, int)> sprite)
        : field_(field), sprite_(std::move(sprite)) {}
    void fillBox(double x1, double y1, double x2, double y2, int color) override {
        field_.Box(x1, y1, x2, y2, QBColor(color), true);
    }
    void drawSanta(int row, int col) override { sprite_(true, row, col); }
    void drawBag(int row, int col) override { sprite_(false, row, col); }

private:
    PictureBox& field_;
    std::function<void(bool, int, int)> sprite_;
};

// On paper the walls only: the pictures are painted stretched afterwards.
class PrinterCanvas : public MazeCanvas {
public:
    explicit PrinterCanvas(Printer& printer) : printer_(printer) {}
    // A unit of the field's scale is a pixel on the screen, where a box covers
    // its far corner's pixel too; on paper a unit is many dots, so the box
    // reaches to the far side of that unit, or every wall would print as a
    // dashed line with a gap where one cell meets the next.
    void fillBox(double x1, double y1, double x2, double y2, int color) override {
        printer_.box(x1, y1, x2 + 1, y2 + 1, QBColor(color), true);
    }
    void drawSanta(int, int) override {}
    void drawBag(int, int) override {}

private:
    Printer& printer_;
};

}  // namespace

frmMaze::frmMaze() : GameWindow(kSpec) {}

frmMaze& frmMaze::instance() {
    static frmMaze window;
    return window;
}

void frmMaze::createControls() {
    Form* f = form();

    // Made first so it passes behind everything else on its flight.
    imgSleigh = new ImageBox(f, "imgSleigh");
    placeTwips(imgSleigh, 120, 0, 3135, 1095);
    imgSleigh->setPictureFile(assetPath(kSleighPicture));
    imgSleigh->hide();

    picField = new PictureBox(f, "picField");
    placeTwips(picField, 120, 1080, 6855, 5175);
    picField->setBorder(true);
    picField->setFocusPolicy(Qt::StrongFocus);
    picField->onKeyDown = [this](int& KeyCode, int Shift) { picField_KeyDown(KeyCode, Shift); };
    picField->onPaint = [this] { picField_Paint(); };

    Frame1 = new Frame(f, "Frame1", QString());
    placeTwips(Frame1, 7200, 3600, 1815, 2655);
    Frame1->setAutoFillBackground(true);
    QPalette blue = Frame1->palette();
    blue.setColor(QPalette::Window, bgrColor(0x00FF0000));
    Frame1->setPalette(blue);

    ButtonColumn buttons(Frame1, 240, 240, 1335, 495, 0, 600);
    cmdNew = buttons.add<CommandButton>("cmdNew", "&New Maze");
    cmdPrint = buttons.add<CommandButton>("cmdPrint", "&Print Maze");
    cmdHelp = buttons.add<CommandButton>("cmdHelp", "&Help");
    cmdExit = buttons.add<CommandButton>("cmdExit", "E&xit");
    cmdNew->onClick([this] { cmdNew_Click(); });
    cmdPrint->onClick([this] { cmdPrint_Click(); });
    connectFrameButtons(cmdHelp, cmdExit);
    lockedWhileRunning = {cmdNew, cmdPrint};

    lblMessage = new Label(f, "lblMessage");
    placeTwips(lblMessage, 7200, 1080, 1815, 1215);
    lblMessage->setFont(vbFont("Arial", 12, true));
    lblMessage->setBackColor(Qt::white);
    lblMessage->setForeColor(bgrColor(0x000000C0));
    lblMessage->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    Label1 = new Label(f, "Label1", "Time");
    placeTwips(Label1, 7680, 2520, 855, 495);
    Label1->setFont(vbFont("MS Sans Serif", 13.5, true));
    Label1->setTransparent(true);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    lblTimer = new Label(f, "lblTimer", "0:00");
    placeTwips(lblTimer, 7560, 2880, 1095, 495);
    lblTimer->setFont(vbFont("Britannic Bold", 20.25));
    lblTimer->setBackColor(Qt::white);
    lblTimer->setForeColor(bgrColor(0x00FF0000));
    lblTimer->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    picArrow = new PictureBox(f, "picArrow");
    placeTwips(picArrow, 0, 0, 375, 615);
    picArrow->hide();
    picArrow->setBackColor(bgrColor(kSpec.backColor));

    lblArrow = new Label(f, "lblArrow", "Exit");
    placeTwips(lblArrow, 0, 0, 855, 375);
    lblArrow->setFont(vbFont("Britannic Bold", 14.25));
    lblArrow->setBackColor(bgrColor(0x0000FFFF));
    lblArrow->setForeColor(bgrColor(0x00FF0000));
    lblArrow->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblArrow->hide();

    picSanta = new PictureBox(f, "picSanta");
    picSanta->hide();
    picBag = new PictureBox(f, "picBag");
    picBag->hide();

    Timer1 = new QTimer(f);
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(1000);
    QObject::connect(Timer1, &QTimer::timeout, f, [this] { Timer1_Timer(); });
    Timer2 = new QTimer(f);
    Timer2->setTimerType(Qt::PreciseTimer);
    Timer2->setInterval(100);
    QObject::connect(Timer2, &QTimer::timeout, f, [this] { Timer2_Timer(); });
}

void frmMaze::Form_Load() {
    seedFromClock();
    SleighStartLeft = CInt(pixelsToTwips(imgSleigh->x()));
    picField->setBackColor(QBColor(0));
    rules.GotBag = 0;
    rules.Printing = 0;

    // One unit of the field is about one pixel, and the 27 by 19 drawn cells
    // fill it exactly.
    picField->setScaleMode(PictureBox::Pixels);
    rules.CellH = CInt(picField->scaleHeight() / 19);
    rules.CellW = CInt(picField->scaleWidth() / 27);
    picField->setScale(0, 0, 27.0 * rules.CellW, 19.0 * rules.CellH);

    const double fieldWidth = pixelsToTwips(picField->width());
    const double fieldHeight = pixelsToTwips(picField->height());
    for (auto [box, picture] : {std::pair{picSanta, kSantaPicture}, std::pair{picBag, kBagPicture}}) {
        placeTwips(box, 0, 0, fieldWidth / 27, fieldHeight / 19);
        box->setScale(0, 0, rules.CellW, rules.CellH);
        box->setBackColor(QBColor(0));
        box->PaintPicture(renderSvgImage(assetPath(picture), box->image().size(), Qt::transparent), 0, 0,
                          rules.CellW, rules.CellH);
    }

    // The arrow stands on the field's upper edge over the exit column, its
    // label centred on top of it.
    const double arrowLeft = fieldWidth * 3.25 / 27;
    const double arrowTop = pixelsToTwips(picField->y()) - 615;
    placeTwips(picArrow, arrowLeft, arrowTop, 375, 615);
    picArrow->PaintPicture(
        renderSvgImage(assetPath(kArrowPicture), picArrow->image().size(), Qt::transparent), 0, 0,
        picArrow->scaleWidth(), picArrow->scaleHeight());
    placeTwips(lblArrow, arrowLeft + (375 - 855) / 2.0, arrowTop - 375, 855, 375);

    DingSound = FullPath("ding.wav");
    GoodSound = FullPath("good.wav");
    HoHoHoSound = FullPath("hohoho.wav");

    centre();
    Playing = 0;
    Show();
    NewMazeNext = 1;
    cmdNew_Click();
}

void frmMaze::GenerateMaze() {
    picField->Cls();
    rules.GenerateMaze();
    drawField();
}

void frmMaze::cmdNew_Click() {
    if (NewMazeNext == 1) {
        NewMazeNext = 0;
        rules.GotBag = 0;
        GenerateMaze();
        cmdNew->setCaption("&Solve Maze");
        cmdExit->setCaption("E&xit");
        cmdPrint->setEnabled(true);
        lblTimer->setCaption("0:00");
        lblMessage->setCaption(msg({"Click on", "Solve Maze", "To Start"}));
        return;
    }
    NewMazeNext = 1;
    beginRunning();
    lblMessage->setCaption(msg({"Find", "Santa's Bag"}));
    lblTimer->setCaption("0:00");
    Timer1->start();
    StartTime = seam().now();
    Playing = 1;
    keepFocusOnField(true);
}

void frmMaze::picField_KeyDown(int& KeyCode, int) {
    if (Playing != 1) return;
    const MazeMove move = rules.moveSanta(KeyCode);
    switch (move.step) {
        case MazeStep::Nothing:
            return;
        case MazeStep::Moved:
            fillField(move.erase);
            copySprite(*picSanta, rules.SantaRow, rules.SantaCol);
            PlaySoundFile(DingSound, 1);
            return;
        case MazeStep::TookBag:
            fillField(move.erase);
            copySprite(*picSanta, rules.SantaRow, rules.SantaCol);
            PlaySoundFile(GoodSound, 1);
            lblMessage->setCaption(msg({"Go To", "Exit"}));
            seam().repaintNow(lblMessage);
            picArrow->show();
            lblArrow->show();
            fillField(move.exitGap);
            return;
        case MazeStep::Won:
            fillField(move.erase);
            // Santa is seen gone from the field while the ho-ho-ho holds everything else.
            seam().repaintNow(picField);
            cmdexit_Click();
            return;
    }
}

void frmMaze::StopGame() {
    Timer1->stop();
    picArrow->hide();
    lblArrow->hide();
    Playing = 0;
    if (rules.GotBag == 2) {
        lblMessage->setCaption(msg({"Santa's On", "His Way!!"}));
        sleighLeft_ = SleighStartLeft;
        placeSleigh();
        imgSleigh->show();
        PlaySoundFile(HoHoHoSound, 0);
        seam().playSound(FullPath("mazesong.wav"), false);
        Timer2->start();
    } else {
        lblMessage->setCaption(msg({"Game", "Stopped"}));
    }
    cmdNew->setCaption("&New Maze");
    endRunning();
    keepFocusOnField(false);
}

void frmMaze::Timer1_Timer() {
    if (!isLoaded()) return;
    // The nearest second, so a tick that comes a hair early still counts;
    // the minutes are those within the hour.
    const long elapsed = std::lround(seam().now() - StartTime);
    lblTimer->setCaption(QString::fromStdString(FormatClock(elapsed % 3600)));
    seam().repaintNow(lblTimer);
}

void frmMaze::Timer2_Timer() {
    if (!isLoaded()) return;
    const double windowWidth = pixelsToTwips(form()->width());
    sleighLeft_ += windowWidth / 30;
    placeSleigh();
    if (sleighLeft_ > windowWidth) Timer2->stop();
}

void frmMaze::picField_Paint() {
    rules.MazeColor = MazeRules::kScreenColor;
    picField->Cls();
    drawField();
}

void frmMaze::cmdPrint_Click() {
    if (seam().msgBox("Make sure printer is on-line and ready.", MsgButtons::OKCancel, MsgIcon::Information,
                      "Print Maze", form()) == MsgAnswer::Cancel)
        return;
    rules.Printing = 1;
    Printer& pr = seam().printer();
    pr.setFontName("Courier New");
    pr.setOrientation(2);
    pr.setFontSize(12);

    pr.setScale(0, 0, 1100, 850);
    pr.setCurrentX(100);
    pr.setCurrentY(100);
    pr.print(QString("Quenvale, ") + kMakerCredit);
    pr.setCurrentX(195);
    pr.setCurrentY(130);
    pr.print("EXIT (Lead Santa to the Toy Bag before Exiting)");

    // The maze in the field's own units, below the two lines of text.
    const double SW = picField->scaleWidth(), SH = picField->scaleHeight();
    pr.setScale(CInt(-0.111 * SW), CInt(-0.25 * SH), 1.111 * SW, 1.167 * SH);

    rules.putSantaAtStart();
    rules.MazeColor = MazeRules::kPrintColor;
    PrinterCanvas canvas(pr);
    rules.DrawMaze(canvas);

    const int W = rules.CellW, H = rules.CellH;
    // The exit is drawn open whether or not the bag has been taken.
    pr.box(3 * W, 0, 4 * W, H, QBColor(15), true);
    // Only the figures on paper, without the screen's black behind them.
    const QSize detail(W * kPrintDetail, H * kPrintDetail);
    pr.paintPicture(renderSvgImage(assetPath(kSantaPicture), detail, Qt::transparent),
                    rules.cellX(rules.SantaCol), rules.cellY(rules.SantaRow), W, H);
    pr.paintPicture(renderSvgImage(assetPath(kBagPicture), detail, Qt::transparent),
                    rules.cellX(rules.BagCol), rules.cellY(rules.BagRow), W, H);
    pr.endDoc();
    pr.setOrientation(1);
    rules.Printing = 0;
}

void frmMaze::drawField() {
    FieldCanvas canvas(*picField, [this](bool santa, int row, int col) {
        copySprite(santa ? *picSanta : *picBag, row, col);
    });
    rules.DrawMaze(canvas);
}

void frmMaze::copySprite(const PictureBox& sprite, int row, int col) {
    // Placed on the cell's own pixels, so the picture covers the cell the
    // walls are drawn around, and cut to that cell.
    const int left = static_cast<int>(std::lround(picField->xToPixels(rules.cellX(col))));
    const int top = static_cast<int>(std::lround(picField->yToPixels(rules.cellY(row))));
    const int right = static_cast<int>(std::lround(picField->xToPixels(rules.cellX(col + 1))));
    const int bottom = static_cast<int>(std::lround(picField->yToPixels(rules.cellY(row + 1))));
    picField->BitBlt(left, top, std::min(right - left, rules.CellW), std::min(bottom - top, rules.CellH),
                     sprite, 0, 0);
}

void frmMaze::fillField(const MazeBox& box) {
    picField->Box(box.x1, box.y1, box.x2, box.y2, picField->backColor(), true);
}

void frmMaze::keepFocusOnField(bool on) {
    for (QWidget* button : {cmdNew, cmdPrint, cmdHelp, cmdExit})
        button->setFocusPolicy(on ? Qt::NoFocus : Qt::StrongFocus);
    if (on) picField->setFocus();
}

void frmMaze::placeSleigh() { imgSleigh->move(twipsToPixels(sleighLeft_), imgSleigh->y()); }
