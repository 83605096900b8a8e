#include "actiongames/frmSled.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <utility>

#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "platform/button_column.h"
#include "platform/fonts.h"
#include "platform/seam.h"
#include "platform/text.h"
#include "platform/units.h"

namespace {

constexpr std::uint32_t kPanelRed = 0x000000FF;

QString lines(std::initializer_list<const char*> parts) {
    QString text;
    for (const char* part : parts) {
        text += kCR;
        text += QString::fromUtf8(part);
    }
    return text;
}

void paintRed(QWidget* w) {
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, bgrColor(kPanelRed));
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Button, bgrColor(kPanelRed));
    w->setPalette(p);
}

// Passes every mouse press on a widget on with its button, in twips.
class MouseDownWatcher : public QObject {
public:
    MouseDownWatcher(QWidget* widget, std::function<void(int, int, double, double)> handler)
        : QObject(widget), handler_(std::move(handler)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonDblClick)
            return true;  // the second press of a double click steers not
        if (e->type() != QEvent::MouseButtonPress) return false;
        auto* m = static_cast<QMouseEvent*>(e);
        handler_(vbButton(m->button()), vbShift(m->modifiers()), pixelsToTwips(m->position().x()),
                 pixelsToTwips(m->position().y()));
        return true;
    }

private:
    std::function<void(int, int, double, double)> handler_;
};

}  // namespace

frmSled::frmSled() : GameWindow(kSpec) {}

frmSled& frmSled::instance() {
    static frmSled window;
    return window;
}

void frmSled::createControls() {
    Form* f = form();

    Shape1 = new Shape(f, "Shape1", Shape::Rectangle);
    placeTwips(Shape1, 0, 0, 5535, 6135);
    Shape1->setBorderColor(bgrColor(0x0000C000));
    Shape1->setFillColor(bgrColor(0x0000C000));

    picHill = new PictureBox(f, "picHill");
    placeTwips(picHill, 240, 240, 5055, 5655);
    picHill->setBorder(true);
    picHill->setFocusPolicy(Qt::StrongFocus);
    picHill->onMouseDown = [this](int button, int shift, double x, double y) {
        picHill_MouseDown(button, shift, x, y);
    };
    picHill->onKeyDown = [this](int& KeyCode, int Shift) { picHill_KeyDown(KeyCode, Shift); };

    // Sources of the cell copies only; never shown.
    picSled = new PictureBox(f, "picSled");
    picTree = new PictureBox(f, "picTree");
    picRock = new PictureBox(f, "picRock");
    picBlank = new PictureBox(f, "picBlank");
    for (PictureBox* sprite : {picSled, picTree, picRock, picBlank}) sprite->hide();

    lblMessage = new Label(f, "lblMessage");
    placeTwips(lblMessage, 5640, 120, 2535, 2415);
    lblMessage->setFont(vbFont("Arial Narrow", 14.25, true));
    lblMessage->setForeColor(Qt::white);
    lblMessage->setBackColor(bgrColor(kPanelRed));
    lblMessage->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    new MouseDownWatcher(lblMessage, [this](int button, int shift, double x, double y) {
        lblMessage_MouseDown(button, shift, x, y);
    });

    // Made after the message panel, so it stands over the panel's lower part.
    cmdCommand = new Button3D(f, "cmdCommand", "&New Run");
    placeTwips(cmdCommand, 6240, 1920, 1335, 495);
    cmdCommand->onClick([this] { cmdCommand_Click(); });

    Frame1 = new Frame(f, "Frame1", "Driving Ability");
    placeTwips(Frame1, 5640, 2640, 2535, 2535);
    paintRed(Frame1);
    Frame1->setFont(vbFont("MS Sans Serif", 9.75, true));
    for (int i = 0; i < 6; ++i) {
        auto* option =
            new OptionButton(Frame1, QString("optDiff_%1").arg(i), SledRules::kAbilityNames[i + 1]);
        placeTwips(option, 240, 360 + 345 * i, 2175, 315);
        option->setFont(vbFont("MS Sans Serif", 9.75, true));
        paintRed(option);
        option->onClick([this, i] { optDiff_Click(i); });
        optDiff[static_cast<std::size_t>(i)] = option;
    }

    fraChoice = new Frame(f, "fraChoice", QString());
    placeTwips(fraChoice, 5640, 5160, 2535, 855);
    paintRed(fraChoice);
    ButtonColumn buttons(fraChoice, 120, 180, 1095, 555, 1200, 0);
    cmdHelp = buttons.add("cmdHelp", "&Help");
    cmdExit = buttons.add("cmdExit", "E&xit");

    connectFrameButtons(cmdHelp, cmdExit);
    // The driving ability stays open between New Run and Go, so the frame
    // locks nothing itself; Go and the run's end take care of Frame1.
    lockedWhileRunning = {};

    Timer1 = new QTimer(f);
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(100);
    QObject::connect(Timer1, &QTimer::timeout, f, [this] { Timer1_Timer(); });
}

void frmSled::Form_Load() {
    seedFromClock();
    ScrapeSound = FullPath("scrape.wav");
    CrashSound = FullPath("crash.wav");
    MissSound = FullPath("miss.wav");
    rules.RunOn = 0;
    centre();

    // A settings file edited by hand may hold an ability no button stands for.
    gSledAbility = static_cast<std::int16_t>(SledRules::clampAbility(gSledAbility));
    optDiff[static_cast<std::size_t>(gSledAbility - 1)]->setValue(true);
    setMessage(lines({"", "Choose Difficulty"}));
    seam().repaintNow(lblMessage);
    rules.CommandState = 1;

    // The grid, then the sprites drawn once at the cell's size.
    picHill->setScaleMode(PictureBox::Pixels);
    picHill->setBackColor(Qt::white);
    grid = SledGrid::forHill(picHill->logicalSize().width(), picHill->logicalSize().height());
    drawSprite(picBlank, SledSprite::Blank);
    drawSprite(picSled, SledSprite::Sled);
    drawSprite(picTree, SledSprite::Tree);
    drawSprite(picRock, SledSprite::Rock);
}

void frmSled::drawSprite(PictureBox* box, SledSprite sprite) {
    const int W = grid.CellW, H = grid.CellH;
    const bool large = sprite == SledSprite::Sled || sprite == SledSprite::Blank;
    const double design = large ? 252 : 240;
    placeTwips(box, 0, 0, std::max(design, pixelsToTwips(W)), std::max(design, pixelsToTwips(H)));
    box->setScaleMode(PictureBox::Pixels);
    box->setBackColor(Qt::white);

    box->setFillSolid(true);
    for (const SledPolygon& polygon : sledSpritePolygons(sprite, W, H)) {
        box->setForeColor(QBColor(polygon.pen));
        box->setFillColor(QBColor(polygon.fill));
        std::vector<QPointF> points;
        for (auto [x, y] : polygon.points) points.emplace_back(x, y);
        box->Polygon(points);
    }
}

void frmSled::setMessage(const QString& text) { lblMessage->setCaption(text); }

const PictureBox& frmSled::spriteBox(SledSprite sprite) const {
    switch (sprite) {
        case SledSprite::Sled:
            return *picSled;
        case SledSprite::Tree:
            return *picTree;
        case SledSprite::Rock:
            return *picRock;
        case SledSprite::Blank:
            break;
    }
    return *picBlank;
}

void frmSled::optDiff_Click(int Index) { gSledAbility = static_cast<std::int16_t>(Index + 1); }

void frmSled::cmdCommand_Click() {
    if (rules.CommandState == 1)
        PrepareRun();
    else
        Go();
}

void frmSled::PrepareRun() {
    rules.prepareRun();
    beginRunning();
    picHill->Cls();
    seam().repaintNow(picHill);
    setMessage(lines({"Ready?", "Set?"}));
    seam().repaintNow(lblMessage);
    cmdCommand->setCaption("&Go!!");
    DrawCell(*picSled, rules.SledX, rules.SledY);
    cmdCommand->setFocus();
}

void frmSled::Go() {
    Frame1->setEnabled(false);
    rules.go(gSledAbility);
    setMessage(lines({"The run", "is on ..."}));
    seam().repaintNow(lblMessage);
    cmdCommand->hide();
    Timer1->start();
    picHill->setFocus();
}

void frmSled::Timer1_Timer() {
    if (!isLoaded() || !running()) return;
    for (const SledStep& step : rules.tick()) {
        switch (step.kind) {
            case SledStepKind::Beep:
                seam().beep();
                break;
            case SledStepKind::DrawCell:
                DrawCell(spriteBox(step.sprite), step.col, step.row);
                break;
            case SledStepKind::Scroll:
                ScrollHill();
                break;
            case SledStepKind::FinishLine: {
                const double y = 24.5 * grid.CellH;
                picHill->Line(0, y, picHill->logicalSize().width(), y, QBColor(0));
                break;
            }
            case SledStepKind::Miss:
                PlaySoundFile(MissSound, 1);
                break;
            case SledStepKind::Scrape:
                PlaySoundFile(ScrapeSound, 1);
                break;
            case SledStepKind::Crash:
                // The sleigh is seen at the tree while the crash sounds.
                seam().repaintNow(picHill);
                PlaySoundFile(CrashSound, 0);
                Delay(1);
                cmdexit_Click();
                return;
            case SledStepKind::Finished:
                seam().repaintNow(picHill);
                seam().playSound(FullPath("jingle.wav"), true);
                cmdexit_Click();
                return;
        }
    }
}

void frmSled::picHill_KeyDown(int& KeyCode, int Shift) {
    if (KeyCode == vbKeyLeft)
        picHill_MouseDown(1, Shift, 0, 0);
    else if (KeyCode == vbKeyRight)
        picHill_MouseDown(2, Shift, 0, 0);
}

void frmSled::picHill_MouseDown(int Button, int, double, double) {
    const std::optional<SledSteer> step = rules.steer(Button);
    if (!step) return;
    // Both copies land exactly on the sleigh's cell, so no sliver of the
    // sleigh is left above its track.
    DrawCell(*picBlank, step->fromX, step->row);
    DrawCell(*picSled, step->toX, step->row);
}

void frmSled::lblMessage_MouseDown(int Button, int Shift, double X, double Y) {
    picHill_MouseDown(Button, Shift, X, Y);
}

void frmSled::DrawCell(const PictureBox& Sprite, int X, int Y) {
    picHill->BitBlt(grid.cellLeft(X), grid.cellTop(Y), grid.CellW, grid.CellH, Sprite, 0, 0);
}

void frmSled::ScrollHill() {
    const int hillW = picHill->logicalSize().width(), hillH = picHill->logicalSize().height();
    picHill->BitBlt(0, 0, hillW, hillH - grid.CellH, *picHill, 0, grid.CellH);
    picHill->Box(0, 24 * grid.CellH - 1, hillW, hillH, QBColor(15), true);
}

void frmSled::StopGame() {
    rules.endRun();
    Timer1->stop();
    Frame1->setEnabled(true);
    endRunning();
    setMessage(QString::fromStdString(rules.endMessage()));
    seam().repaintNow(lblMessage);
    cmdCommand->setCaption("&New Run");
    cmdCommand->show();
}
