#include "actiongames/frmDrop.h"

#include <QTimer>
#include <initializer_list>

#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "platform/button_column.h"
#include "platform/fonts.h"
#include "platform/seam.h"
#include "platform/units.h"
#include "platform/vbmath.h"

namespace {

constexpr std::uint32_t kSky = 0x00FFFF00;
constexpr std::uint32_t kCatcherBlue = 0x00C00000;
constexpr std::uint32_t kHeadingYellow = 0x0000FFFF;
constexpr std::uint32_t kScoreBlue = 0x00FF0000;

const char* const kObjectPictures[DropRules::kObjects] = {
    "drop_gift0.svg", "drop_gift1.svg", "drop_gift2.svg", "drop_gift3.svg", "drop_sack.svg"};

QString text(long n) { return QString::fromStdString(Format(n, "##0")); }

}  // namespace

frmDrop::frmDrop() : GameWindow(kSpec) {}

frmDrop& frmDrop::instance() {
    static frmDrop window;
    return window;
}

void frmDrop::createControls() {
    Form* f = form();
    const QColor purple = bgrColor(kSpec.backColor);
    const QColor yellow = bgrColor(kHeadingYellow);

    auto* field = new PictureBox(f, "picBalloons_0");
    placeTwips(field, 120, 120, 6135, 5415);
    field->setBorder(true);
    field->setScaleMode(PictureBox::Pixels);
    field->setBackColor(bgrColor(kSky));
    field->setFocusPolicy(Qt::StrongFocus);
    field->onKeyDown = [this](int& KeyCode, int Shift) { picBalloons_KeyDown(0, KeyCode, Shift); };
    picBalloons[0] = field;

    // The pictures are only ever copied from, never seen themselves. Each has
    // the field's sky behind it, so a copy shows the picture and not its box.
    for (int i = 0; i < DropRules::kObjects; ++i) {
        auto* box = new PictureBox(f, QString("picBalloon_%1").arg(i));
        placeTwips(box, 0, 0, 735, 855);
        box->hide();
        box->setScaleMode(PictureBox::Pixels);
        box->setBackColor(bgrColor(kSky));
        box->PaintPicture(renderSvgImage(FullPath(kObjectPictures[i]), box->image().size()), 0, 0,
                          box->scaleWidth(), box->scaleHeight());
        picBalloon[static_cast<std::size_t>(i)] = box;
    }
    picArrow = new PictureBox(f, "picArrow");
    placeTwips(picArrow, 0, 0, 1335, 135);
    picArrow->hide();
    picArrow->setScaleMode(PictureBox::Pixels);
    picArrow->setBackColor(bgrColor(kCatcherBlue));

    auto heading = [&](const char* name, const char* caption, double left, double top, double width) {
        auto* l = new Label(f, name, caption);
        placeTwips(l, left, top, width, 375);
        l->setFont(vbFont("Comic Sans MS", 12, true));
        l->setForeColor(yellow);
        l->setTransparent(true);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        return l;
    };
    auto score = [&](const char* name, double left) {
        auto* l = new Label(f, name, "0");
        placeTwips(l, left, 720, 975, 375);
        l->setFont(vbFont("Arial", 12, true));
        l->setForeColor(bgrColor(kScoreBlue));
        l->setBackColor(Qt::white);
        l->setBorder(true);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    // Each heading is centred over the number it names.
    Label5 = heading("Label5", "Your", 6360, 0, 1215);
    Label1 = heading("Label1", "Score", 6360, 360, 1215);
    lblScore = score("lblScore", 6480);
    Label3 = heading("Label3", "High", 7680, 0, 1215);
    Label4 = heading("Label4", "Score", 7680, 360, 1215);
    lblHigh = score("lblHigh", 7800);

    cmdReset = new CommandButton(f, "cmdReset", "Reset");
    placeTwips(cmdReset, 7920, 1140, 735, 255);
    cmdReset->onClick([this] { cmdReset_Click(); });

    Frame2 = new Frame(f, "Frame2", "Scoring");
    placeTwips(Frame2, 6480, 1440, 2295, 1215);
    Frame2->setFont(vbFont("Comic Sans MS", 10, true));
    QPalette framePalette = Frame2->palette();
    framePalette.setColor(QPalette::Window, purple);
    framePalette.setColor(QPalette::WindowText, yellow);
    Frame2->setPalette(framePalette);
    const char* const rulesText[2] = {"Gift - 1 Point", "Sack - 3 Points"};
    for (int i = 0; i < 2; ++i) {
        auto* l = new Label(Frame2, QString("Label6_%1").arg(i), rulesText[i]);
        placeTwips(l, 120, 360 + 375 * i, 2055, 375);
        l->setFont(vbFont("Comic Sans MS", 11, true));
        l->setForeColor(Qt::white);
        l->setTransparent(true);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        Label6[static_cast<std::size_t>(i)] = l;
    }

    Label2 = heading("Label2", "Time Left", 6360, 2700, 2535);
    pnlTime = new FloodPanel(f, "pnlTime");
    placeTwips(pnlTime, 6360, 3120, 2535, 615);
    pnlTime->setFont(vbFont("Arial", 12, true));
    pnlTime->setFloodColor(bgrColor(kScoreBlue));

    ButtonColumn buttons(f, 6960, 3840, 1335, 495, 0, 600, vbFont("MS Sans Serif", 9.75, true));
    cmdNew = buttons.add("cmdNew", "&New Game");
    cmdHelp = buttons.add("cmdHelp", "&Help");
    cmdExit = buttons.add("cmdExit", "E&xit");
    cmdNew->onClick([this] { cmdNew_Click(); });
    connectFrameButtons(cmdHelp, cmdExit);
    lockedWhileRunning = {cmdNew, cmdReset};

    timBalloons = new QTimer(f);
    timBalloons->setTimerType(Qt::PreciseTimer);
    timBalloons->setInterval(100);
    QObject::connect(timBalloons, &QTimer::timeout, f, [this] { timBalloons_Timer(); });
    timGame = new QTimer(f);
    timGame->setTimerType(Qt::PreciseTimer);
    timGame->setInterval(DropRules::kGameInterval);
    QObject::connect(timGame, &QTimer::timeout, f, [this] { timGame_Timer(); });
}

void frmDrop::Form_Load() {
    seedFromClock();
    centre();

    // The back buffer: the field's twin, never shown.
    auto* buffer = new PictureBox(form(), "picBalloons_1");
    buffer->setGeometry(picBalloons[0]->geometry());
    buffer->hide();
    buffer->setBorder(true);
    buffer->setScaleMode(PictureBox::Pixels);
    buffer->setBackColor(picBalloons[0]->backColor());
    picBalloons[1] = buffer;

    rules.GameOn = 0;
    pnlTime->setFloodPercent(100);

    TadaSound = FullPath("tada.wav");
    HighbingSound = FullPath("highbing.wav");
    MissSound = FullPath("miss.wav");

    lblHigh->setCaption(text(gDropHighScore));

    const PictureBox& picture = *picBalloon[0];
    rules.setField(static_cast<float>(picBalloons[0]->scaleWidth()),
                   static_cast<float>(picBalloons[0]->scaleHeight()), static_cast<int>(picture.scaleWidth()),
                   static_cast<int>(picture.scaleHeight()), static_cast<int>(picArrow->scaleWidth()),
                   static_cast<int>(picArrow->scaleHeight()));
    Form_Activate();
}

void frmDrop::Form_Activate() { cmdNew->setFocus(); }

void frmDrop::cmdNew_Click() {
    rules.startGame();
    beginRunning();
    lblScore->setCaption("0");
    rules.centreCatcher();
    DrawScene();
    keepFocusOnField(true);
    rules.StartTime = DropRules::wholeSecond(seam().secondsSinceMidnight());
    pnlTime->setFloodPercent(100);
    timBalloons->start();
    timGame->start();
}

void frmDrop::cmdReset_Click() {
    gDropHighScore = 0;
    lblHigh->setCaption("0");
    cmdNew->setFocus();
}

void frmDrop::picBalloons_KeyDown(int, int& KeyCode, int) {
    if (!isLoaded()) return;
    rules.moveCatcher(KeyCode);
    DrawScene();
}

void frmDrop::timBalloons_Timer() {
    if (!isLoaded() || !running()) return;
    for (const DropLanding& landing : rules.fallStep()) {
        if (landing.caught) {
            PlaySoundFile(HighbingSound, 1);
            lblScore->setCaption(text(lblScore->caption().toInt() + landing.points));
        } else {
            PlaySoundFile(MissSound, 1);
        }
    }
    DrawScene();
    showTimeLeft();
}

void frmDrop::timGame_Timer() {
    if (!isLoaded() || !running()) return;
    if (rules.HalfTime == 0) {
        rules.HalfTime = -1;
        return;
    }
    timBalloons->stop();
    pnlTime->setFloodPercent(0);
    // The empty bar is seen while the fanfare holds everything else.
    seam().repaintNow(pnlTime);
    PlaySoundFile(TadaSound, 0);
    cmdexit_Click();
}

void frmDrop::StopGame() {
    rules.GameOn = 0;
    const int score = lblScore->caption().toInt();
    if (score > gDropHighScore) {
        gDropHighScore = static_cast<std::int16_t>(score);
        lblHigh->setCaption(lblScore->caption());
    }
    endRunning();
    timBalloons->stop();
    timGame->stop();
    keepFocusOnField(false);
    cmdNew->setFocus();
}

void frmDrop::DrawScene() {
    PictureBox& buffer = *picBalloons[1];
    buffer.Cls();
    buffer.BitBlt(rules.CatcherX, rules.CatcherY, rules.cw, rules.ch, *picArrow, 0, 0);
    for (int i = 0; i < DropRules::kObjects; ++i)
        buffer.BitBlt(rules.LaneX[i], rules.ObjY[i], rules.w, rules.h,
                      *picBalloon[static_cast<std::size_t>(rules.Kind[i])], 0, 0);
    picBalloons[0]->BitBlt(0, 0, buffer.logicalSize().width(), buffer.logicalSize().height(), buffer, 0, 0);
}

void frmDrop::showTimeLeft() {
    pnlTime->setFloodPercent(rules.timeLeftPercent(static_cast<float>(seam().secondsSinceMidnight())));
}

void frmDrop::keepFocusOnField(bool on) {
    for (QWidget* button : std::initializer_list<QWidget*>{cmdNew, cmdReset, cmdHelp, cmdExit})
        button->setFocusPolicy(on ? Qt::NoFocus : Qt::StrongFocus);
    if (on) picBalloons[0]->setFocus();
}
