#include "boardgames/frmDreid.h"

#include <QPainter>
#include <QPalette>
#include <QTimer>

#include "boardgames/players_frame.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "platform/button_column.h"
#include "platform/fonts.h"
#include "platform/lost_focus.h"
#include "platform/seam.h"
#include "platform/units.h"
#include "platform/vbmath.h"

namespace {

constexpr std::uint32_t kCurrentName = 0x00FFFF00;  // cyan

const char* const kChoicePictures[5] = {"dreidel_spin.svg", "dreidel_gimel.svg", "dreidel_hay.svg",
                                        "dreidel_nun.svg", "dreidel_shin.svg"};

// Where each player sits round the dreidel: 1 left, 2 top, 3 right, 4 below.
struct Seat {
    double nameLeft, nameTop, scoreLeft, scoreTop;
};
constexpr Seat kSeats[5] = {
    {0, 0, 0, 0},
    {240, 3360, 600, 3780},
    {3000, 480, 3390, 900},
    {5760, 3360, 6120, 3780},
    {3000, 4560, 3390, 4980},
};
constexpr double kNameWidth = 2220, kScoreWidth = 1440;

void setBoxColor(TextBox* box, const QColor& c) {
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, c);
    box->setPalette(pal);
}

std::string assetPath(const char* name) { return FullPath(name); }

}  // namespace

frmDreid::frmDreid() : GameWindow(kSpec) {}

frmDreid& frmDreid::instance() {
    static frmDreid window;
    return window;
}

void frmDreid::createControls() {
    Form* f = form();
    const QFont big = vbFont("Arial", 14.25, true);

    lblScore[0] = new Label(f, "lblScore_0", "50 Points to Win");
    placeTwips(lblScore[0], 120, 120, 2640, 420);
    lblScore[0]->setFont(big);
    lblScore[0]->setForeColor(QBColor(14));
    lblScore[0]->setTransparent(true);
    lblScore[0]->setAlignment(Qt::AlignCenter);

    lblMessage = new Label(f, "lblMessage");
    placeTwips(lblMessage, 120, 600, 2640, 1980);
    lblMessage->setFont(vbFont("Arial", 12, true));
    lblMessage->setForeColor(bgrColor(0x00800000));
    lblMessage->setBackColor(QBColor(15));
    lblMessage->setBorder(true);
    lblMessage->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    cmdOK = new CommandButton(f, "cmdOK", "OK");
    placeTwips(cmdOK, 840, 2700, 1200, 450);
    cmdOK->setFont(vbFont("MS Sans Serif", 9.75, true));
    cmdOK->onClick([this] { cmdOK_Click(); });
    cmdOK->hide();

    Frame2 = new Frame(f, "Frame2", QString());
    placeTwips(Frame2, 3000, 1560, 2220, 2880);
    Frame2->setAutoFillBackground(true);
    QPalette gold = Frame2->palette();
    gold.setColor(QPalette::Window, QColor(0xFF, 0xE0, 0x80));
    Frame2->setPalette(gold);

    picSpin = new PictureBox(f, "picSpin");
    placeTwips(picSpin, 3180, 1698, 1860, 2604);
    picSpin->setBackColor(QColor(0xFF, 0xF4, 0xD0));
    picSpin->setFocusPolicy(Qt::StrongFocus);
    picSpin->onClick = [this] { picSpin_Click(); };
    picSpin->onKeyPress = [this](int& KeyAscii) { picSpin_KeyPress(KeyAscii); };
    for (int i = 0; i < 5; ++i) {
        auto* img = new ImageBox(f, QString("imgChoice_%1").arg(i));
        placeTwips(img, 3180, 1698, 1860, 2604);
        img->setPictureFile(assetPath(kChoicePictures[i]));
        img->hide();
        imgChoice[static_cast<std::size_t>(i)] = img;
    }

    Image1[0] = new ImageBox(f, "Image1_0");
    placeTwips(Image1[0], 360, 4680, 1800, 1500);
    Image1[0]->setPictureFile(assetPath("dreidel_gelt.svg"));
    Image1[1] = new ImageBox(f, "Image1_1");
    placeTwips(Image1[1], 6330, 1800, 1020, 1428);
    Image1[1]->setPictureFile(assetPath("dreidel_spin.svg"));

    Frame1 = makePlayersFrame(f, 5760, 120, 2160, optNum, [this](int i) { optNum_Click(i); });

    const QFont nameFont = vbFont("Arial", 12, true);
    for (int p = 1; p <= kDreidelMaxPlayers; ++p) {
        const Seat& seat = kSeats[p];
        auto* t = new TextBox(f, QString("txtName_%1").arg(p));
        placeTwips(t, seat.nameLeft, seat.nameTop, kNameWidth, 375);
        t->setFont(nameFont);
        t->setAlignment(Qt::AlignCenter);
        setBoxColor(t, QBColor(15));
        onLostFocus(t, [this, p] { txtName_LostFocus(p); });
        txtName[static_cast<std::size_t>(p)] = t;

        auto* s = new Label(f, QString("lblScore_%1").arg(p));
        placeTwips(s, seat.scoreLeft, seat.scoreTop, kScoreWidth, 540);
        s->setFont(vbFont("Arial", 20.25, true));
        s->setForeColor(bgrColor(0x00800000));
        s->setBackColor(QBColor(14));
        s->setBorder(true);
        s->setAlignment(Qt::AlignCenter);
        lblScore[static_cast<std::size_t>(p)] = s;
    }

    ButtonColumn buttons(f, 5760, 4680, 2160, 450, 0, 540, vbFont("MS Sans Serif", 9.75, true));
    cmdNew = buttons.add("cmdNew", "&New Game");
    cmdHelp = buttons.add("cmdHelp", "&Help");
    cmdExit = buttons.add("cmdExit", "E&xit");
    cmdNew->onClick([this] { cmdNew_Click(); });
    connectFrameButtons(cmdHelp, cmdExit);
    lockedWhileRunning = {cmdNew, Frame1};

    Timer1 = new QTimer(f);
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(100);
    QObject::connect(Timer1, &QTimer::timeout, f, [this] { Timer1_Timer(); });
}

void frmDreid::Form_Load() {
    seedFromClock();
    TadaSound = FullPath("tada.wav");
    UhohSound = FullPath("uhoh.wav");
    MissSound = FullPath("miss.wav");
    MoveSound = FullPath("move.wav");
    for (int p = 1; p <= kDreidelMaxPlayers; ++p) {
        rules.Score[static_cast<std::size_t>(p)] = 0;
        lblScore[static_cast<std::size_t>(p)]->setCaption("20");
    }
    NameTop2 = CInt(pixelsToTwips(txtName[2]->y()));
    ScoreTop2 = CInt(pixelsToTwips(lblScore[2]->y()));
    rules.GameOn = 0;
    centre();

    // The pictures the dreidel shows, drawn once at its size and density.
    const qreal ratio = picSpin->image().devicePixelRatio();
    for (std::size_t i = 0; i < imgChoice.size(); ++i) {
        QImage image(picSpin->size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        imgChoice[i]->resize(picSpin->size());
        imgChoice[i]->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        choiceImages_[i] = image;
    }

    const int index = DreidelRules::clampPlayers(gDreidPlayers) - 1;
    optNum[static_cast<std::size_t>(index)]->setValue(true);
    optNum_Click(index);
    setMessage(dreidelIdleText());
    seam().repaintNow(lblMessage);
}

void frmDreid::setMessage(const std::string& text) { lblMessage->setCaption(QString::fromStdString(text)); }

void frmDreid::markCurrent(int player, bool current) {
    setBoxColor(txtName[static_cast<std::size_t>(player)], current ? bgrColor(kCurrentName) : QBColor(15));
}

void frmDreid::showChoice(int Index) {
    picSpin->Cls();
    const QImage& image = choiceImages_[static_cast<std::size_t>(Index)];
    if (!image.isNull())
        picSpin->PaintPicture(image, picSpin->scaleLeft(), picSpin->scaleTop(), picSpin->scaleWidth(),
                              picSpin->scaleHeight());
}

const std::string& frmDreid::faceSound(int face) const {
    switch (face) {
        case 3:
            return MissSound;
        case 4:
            return UhohSound;
        default:
            return TadaSound;
    }
}

void frmDreid::optNum_Click(int Index) {
    for (int p = 1; p <= kDreidelMaxPlayers; ++p) {
        txtName[static_cast<std::size_t>(p)]->hide();
        lblScore[static_cast<std::size_t>(p)]->hide();
    }
    gDreidPlayers = static_cast<std::int16_t>(Index + 1);
    // Two players face each other across the dreidel; otherwise player 2 sits at the top.
    if (gDreidPlayers == 2) {
        txtName[2]->move(txtName[3]->pos());
        lblScore[2]->move(lblScore[3]->pos());
    } else {
        txtName[2]->move(txtName[4]->x(), twipsToPixels(NameTop2));
        lblScore[2]->move(lblScore[4]->x(), twipsToPixels(ScoreTop2));
    }
    for (int p = 1; p <= gDreidPlayers; ++p) {
        TextBox* name = txtName[static_cast<std::size_t>(p)];
        name->setText(QString::fromStdString(gDreidNames[static_cast<std::size_t>(p)]));
        name->show();
        lblScore[static_cast<std::size_t>(p)]->show();
    }
}

void frmDreid::txtName_LostFocus(int Index) {
    gDreidNames[static_cast<std::size_t>(Index)] =
        txtName[static_cast<std::size_t>(Index)]->Text().toStdString();
}

void frmDreid::cmdNew_Click() {
    rules.newGame(gDreidPlayers);
    beginRunning();
    for (int p = 1; p <= rules.Players; ++p) {
        TextBox* name = txtName[static_cast<std::size_t>(p)];
        name->setText(QString::fromStdString(gDreidNames[static_cast<std::size_t>(p)]));
        name->show();
        lblScore[static_cast<std::size_t>(p)]->setCaption("20");
    }
    markCurrent(1, true);
    AnnounceTurn();
}

void frmDreid::AnnounceTurn() {
    const int p = rules.Player;
    setMessage(dreidelTurnText(p, gDreidNames[static_cast<std::size_t>(p)]));
    seam().repaintNow(lblMessage);
    Timer1->start();
    picSpin->setFocus();
}

void frmDreid::Timer1_Timer() {
    PlaySoundFile(MoveSound, 1);
    showChoice(DreidelRules::spinPicture());
}

void frmDreid::picSpin_KeyPress(int& KeyAscii) {
    if (rules.GameOn == 1 && KeyAscii == 13) picSpin_Click();
}

void frmDreid::picSpin_Click() {
    if (rules.GameOn != 1 || rules.over()) return;
    Timer1->stop();
    const int p = rules.Player;
    const int r = DreidelRules::spin();
    showChoice(r);
    seam().repaintNow(picSpin);
    setMessage(dreidelResultText(r));
    seam().repaintNow(lblMessage);
    PlaySoundFile(faceSound(r), 0);
    rules.score(r);
    Label* score = lblScore[static_cast<std::size_t>(p)];
    score->setCaption(QString::fromStdString(Format(rules.Score[static_cast<std::size_t>(p)], "#0")));
    seam().repaintNow(score);
    Delay(2);
    NextPlayer();
}

void frmDreid::NextPlayer() {
    markCurrent(rules.Player, false);
    if (rules.nextPlayer() != DreidelNext::Winners) {
        markCurrent(rules.Player, true);
        AnnounceTurn();
        return;
    }
    // The song is started directly, without waiting and without stopping a sound still playing.
    seam().playSound(FullPath("dreidel.wav"), false);
    setMessage(dreidelWinnersText(rules.winners(), gDreidNames));
    cmdOK->show();
}

void frmDreid::cmdOK_Click() {
    cmdOK->hide();
    cmdexit_Click();
}

void frmDreid::StopGame() {
    rules.GameOn = 0;
    markCurrent(rules.Player, false);
    cmdOK->hide();
    picSpin->Cls();
    seam().repaintNow(picSpin);
    Timer1->stop();
    endRunning();
    setMessage(dreidelIdleText());
    seam().repaintNow(lblMessage);
}
