#include "boardgames/frmFrosty.h"

#include <QPalette>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "boardgames/players_frame.h"
#include "launcher/frmResults.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "platform/button_column.h"
#include "platform/fonts.h"
#include "platform/lost_focus.h"
#include "platform/seam.h"
#include "platform/units.h"
#include "platform/vbmath.h"

namespace {

// The current player's name box is cyan, the others white.
constexpr std::uint32_t kCurrentName = 0x00FFFF00;
// A night sky behind the snowmen, so the white parts stand out.
const QColor kSky(0x3C, 0x78, 0xC8);

constexpr double kColumn = 1950;
constexpr double kNameTop = 3360;
constexpr double kSnowmanTop = 3840;

void setBoxColor(TextBox* box, const QColor& c) {
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, c);
    box->setPalette(pal);
}

}  // namespace

frmFrosty::frmFrosty() : GameWindow(kSpec) {}

frmFrosty& frmFrosty::instance() {
    static frmFrosty window;
    return window;
}

void frmFrosty::createControls() {
    Form* f = form();

    // The frame is made first so that it lies behind the picture it surrounds.
    Shape1 = new Shape(f, "Shape1", Shape::RoundedRectangle);
    placeTwips(Shape1, 135, 135, 2520, 3120);
    Shape1->setBorderColor(QBColor(14));
    Shape1->setBorderWidth(5);

    picFlash = new PictureBox(f, "picFlash");
    placeTwips(picFlash, 240, 240, 2310, 2910);
    picFlash->setBackColor(kSky);
    picFlash->setBorder(true);
    picFlash->setFocusPolicy(Qt::StrongFocus);
    picFlash->onClick = [this] { picFlash_Click(); };
    picFlash->onKeyPress = [this](int& KeyAscii) { picFlash_KeyPress(KeyAscii); };

    lblMessage = new Label(f, "lblMessage");
    placeTwips(lblMessage, 2880, 120, 2760, 1620);
    lblMessage->setFont(vbFont("Comic Sans MS", 14, true));
    lblMessage->setForeColor(QBColor(14));
    lblMessage->setTransparent(true);
    lblMessage->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    Image1 = new ImageBox(f, "Image1");
    placeTwips(Image1, 2760, 1920, 1080, 720);
    Image1->setPictureFile(FullPath("frosty_arrow.svg"));

    Label1 = new Label(f, "Label1", "Click Here!");
    placeTwips(Label1, 3840, 1980, 1800, 600);
    Label1->setFont(vbFont("Comic Sans MS", 16, true));
    Label1->setForeColor(Qt::white);
    Label1->setTransparent(true);
    Label1->setAlignment(Qt::AlignCenter);

    Frame1 = makePlayersFrame(f, 5880, 120, 2040, optNum, [this](int i) { optNum_Click(i); });

    ButtonColumn buttons(f, 5880, 1800, 2040, 420, 0, 480, vbFont("MS Sans Serif", 9.75, true));
    cmdNew = buttons.add("cmdNew", "&New Game");
    cmdHelp = buttons.add("cmdHelp", "&Help");
    cmdExit = buttons.add("cmdExit", "E&xit");
    cmdNew->onClick([this] { cmdNew_Click(); });
    connectFrameButtons(cmdHelp, cmdExit);
    lockedWhileRunning = {cmdNew, Frame1};

    const QFont nameFont = vbFont("Arial", 12, true);
    for (int p = 1; p <= kFrostyMaxPlayers; ++p) {
        const double left = 240 + kColumn * (p - 1);
        auto* t = new TextBox(f, QString("txtName_%1").arg(p));
        placeTwips(t, left, kNameTop, 1725, 375);
        t->setFont(nameFont);
        t->setAlignment(Qt::AlignCenter);
        setBoxColor(t, QBColor(15));
        onLostFocus(t, [this, p] { txtName_LostFocus(p); });
        txtName[static_cast<std::size_t>(p)] = t;

        auto* box = new PictureBox(f, QString("picFrosty_%1").arg(p));
        placeTwips(box, left, kSnowmanTop, 1725, 2760);
        box->setBackColor(kSky);
        box->setBorder(true);
        box->onPaint = [this, p] { picFrosty_Paint(p); };
        picFrosty[static_cast<std::size_t>(p)] = box;
    }

    Timer1 = new QTimer(f);
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(100);
    QObject::connect(Timer1, &QTimer::timeout, f, [this] { Timer1_Timer(); });
}

void frmFrosty::Form_Load() {
    seedFromClock();
    TadaSound = FullPath("tada.wav");
    UhohSound = FullPath("uhoh.wav");
    centre();
    Label1->hide();
    Image1->hide();
    Shape1->hide();
    const int index = FrostyRules::clampPlayers(gFrostyPlayers) - 1;
    optNum[static_cast<std::size_t>(index)]->setValue(true);
    optNum_Click(index);
    setMessage(frostyIdleText());
    seam().repaintNow(lblMessage);
    rules.GameOn = 0;
}

void frmFrosty::setMessage(const std::string& text) { lblMessage->setCaption(QString::fromStdString(text)); }

void frmFrosty::markCurrent(int player, bool current) {
    setBoxColor(txtName[static_cast<std::size_t>(player)], current ? bgrColor(kCurrentName) : QBColor(15));
}

void frmFrosty::optNum_Click(int Index) {
    gFrostyPlayers = static_cast<std::int16_t>(Index + 1);
    for (int p = 1; p <= kFrostyMaxPlayers; ++p) {
        const bool playing = p <= gFrostyPlayers;
        TextBox* name = txtName[static_cast<std::size_t>(p)];
        if (playing) name->setText(QString::fromStdString(gFrostyNames[static_cast<std::size_t>(p)]));
        name->setVisible(playing);
        picFrosty[static_cast<std::size_t>(p)]->setVisible(playing);
    }
}

void frmFrosty::txtName_LostFocus(int Index) {
    gFrostyNames[static_cast<std::size_t>(Index)] =
        txtName[static_cast<std::size_t>(Index)]->Text().toStdString();
}

void frmFrosty::cmdNew_Click() {
    rules.newGame(gFrostyPlayers);
    beginRunning();
    for (int p = 1; p <= kFrostyMaxPlayers; ++p) {
        txtName[static_cast<std::size_t>(p)]->hide();
        picFrosty[static_cast<std::size_t>(p)]->hide();
    }
    for (int p = 1; p <= rules.Players; ++p) {
        TextBox* name = txtName[static_cast<std::size_t>(p)];
        name->setText(QString::fromStdString(gFrostyNames[static_cast<std::size_t>(p)]));
        markCurrent(p, false);
        name->show();
        PictureBox* box = picFrosty[static_cast<std::size_t>(p)];
        box->Cls();
        box->show();
        seam().repaintNow(box);
    }
    Label1->show();
    Image1->show();
    Shape1->show();
    markCurrent(1, true);
    AnnounceTurn();
}

void frmFrosty::AnnounceTurn() {
    const int p = rules.Player;
    setMessage(frostyTurnText(p, gFrostyNames[static_cast<std::size_t>(p)]));
    seam().repaintNow(lblMessage);
    markCurrent(p, true);
    Timer1->start();
    picFlash->setFocus();
}

void frmFrosty::Timer1_Timer() { ShowPart(FrostyRules::flashPart()); }

void frmFrosty::ShowPart(int n) {
    picFlash->Cls();
    seam().beep();
    for (int part : FrostyRules::shownParts(n)) DrawPart(*picFlash, part);
    seam().repaintNow(picFlash);
}

void frmFrosty::picFlash_KeyPress(int& KeyAscii) {
    if (rules.GameOn == 1 && KeyAscii == 13) picFlash_Click();
}

void frmFrosty::picFlash_Click() {
    if (rules.GameOn != 1) return;
    Timer1->stop();
    const int p = rules.Player;
    PictureBox* snowman = picFrosty[static_cast<std::size_t>(p)];
    const FrostyStop stop = rules.drawStop();
    ShowPart(stop.part);
    if (stop.useful) {
        PlaySoundFile(TadaSound, 0);
        rules.addPart(p, stop.part);
        DrawPart(*snowman, stop.part);
        // Arms drawn over the buttons would hide them: the buttons go on top again.
        if (stop.part == 3 && rules.HasPart[p][5] == 1) {
            DrawPart(*snowman, 1);
            DrawPart(*snowman, 3);
            DrawPart(*snowman, 5);
        }
        seam().repaintNow(snowman);
    } else {
        PlaySoundFile(UhohSound, 0);
        Delay(0.5);
    }
    Delay(1);
    picFlash->Cls();
    seam().repaintNow(picFlash);
    NextPlayer();
}

void frmFrosty::NextPlayer() {
    markCurrent(rules.Player, false);
    if (rules.nextPlayer() != FrostyNext::GameOver) {
        markCurrent(rules.Player, true);
        AnnounceTurn();
        return;
    }
    // The song is started directly: a sound still playing is not stopped first.
    seam().playSound(FullPath("Frosty.wav"), true);
    Delay(1);
    ShowResults("Build Frosty Results", "The game is over.", "Player(s) who finished Frosty!", 4,
                rules.finished().data(), gFrostyNames.data(), helpContextID());
    cmdexit_Click();
}

void frmFrosty::StopGame() {
    rules.GameOn = 0;
    markCurrent(rules.Player, false);
    Label1->hide();
    Image1->hide();
    Shape1->hide();
    picFlash->Cls();
    seam().repaintNow(picFlash);
    Timer1->stop();
    endRunning();
    setMessage(frostyIdleText());
    seam().repaintNow(lblMessage);
}

void frmFrosty::picFrosty_Paint(int Index) {
    const auto& owned = rules.HasPart[static_cast<std::size_t>(Index)];
    if (std::none_of(owned.begin() + 1, owned.end(), [](int has) { return has != 0; })) return;
    // Each paint draws the whole snowman afresh, in the order that keeps the
    // buttons over the arms.
    PictureBox* box = picFrosty[static_cast<std::size_t>(Index)];
    box->Cls();
    for (int part = 1; part <= kFrostyParts; ++part)
        if (owned[static_cast<std::size_t>(part)] != 0) DrawPart(*box, part);
}

void frmFrosty::DrawPart(PictureBox& box, int part) {
    const double w = CInt(box.scaleWidth());
    const double h = CInt(box.scaleHeight());
    auto solid = [&box](const QColor& c) {
        box.setForeColor(c);
        box.setFillColor(c);
        box.setFillSolid(true);
    };
    auto chain = [&](std::initializer_list<std::pair<double, double>> points) {
        const std::pair<double, double>* last = nullptr;
        for (const auto& pt : points) {
            if (last) box.Line(last->first * w, last->second * h, pt.first * w, pt.second * h);
            last = &pt;
        }
    };
    switch (part) {
        case 1:
            solid(QBColor(15));
            box.Circle(0.5 * w, 0.7 * h, 0.25 * h);
            break;
        case 2:
            solid(QBColor(15));
            box.Circle(0.5 * w, 0.31 * h, 0.15 * h);
            break;
        case 3:
            box.setForeColor(QBColor(15));
            box.setDrawWidth(3);
            chain({{0.5, 0.7}, {0.1, 0.45}, {0.1, 0.35}, {0.07, 0.3}, {0.1, 0.35}, {0.13, 0.3}});
            chain({{0.5, 0.7}, {0.9, 0.45}, {0.9, 0.35}, {0.93, 0.3}, {0.9, 0.35}, {0.87, 0.3}});
            box.setDrawWidth(1);
            break;
        case 4: {
            solid(QBColor(0));
            box.Circle(0.42 * w, 0.26 * h, 0.02 * h);
            box.Circle(0.58 * w, 0.26 * h, 0.02 * h);
            box.Circle(0.5 * w, 0.31 * h, 0.02 * h);
            // The mouth: the lower part of a circle round the nose, angles
            // running anticlockwise with y growing downwards.
            box.setDrawWidth(2);
            const double cx = 0.5 * w, cy = 0.31 * h, r = 0.07 * h;
            constexpr double from = 3.54, to = 5.88;
            constexpr int steps = 24;
            for (int i = 0; i < steps; ++i) {
                const double a = from + (to - from) * i / steps, b = from + (to - from) * (i + 1) / steps;
                box.Line(cx + r * std::cos(a), cy - r * std::sin(a), cx + r * std::cos(b),
                         cy - r * std::sin(b));
            }
            box.setDrawWidth(1);
            break;
        }
        case 5:
            solid(QBColor(9));
            for (double y : {0.55, 0.7, 0.85}) box.Circle(0.5 * w, y * h, 0.04 * h);
            break;
        case 6:
            solid(QBColor(12));
            box.Box(0.3 * w, 0.14 * h, 0.7 * w, 0.18 * h, std::nullopt, true);
            box.Box(0.4 * w, 0.14 * h, 0.6 * w, 0.045 * h, std::nullopt, true);
            solid(QBColor(14));
            box.Box(0.4 * w, 0.14 * h, 0.6 * w, 0.1 * h, std::nullopt, true);
            break;
        default:
            break;
    }
}
