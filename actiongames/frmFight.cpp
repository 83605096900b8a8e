#include "actiongames/frmFight.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>

#include "actiongames/optFight.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "platform/button_column.h"
#include "platform/fonts.h"
#include "platform/text.h"
#include "platform/units.h"
#include "platform/vbmath.h"

namespace {

constexpr double kSpriteSize = 480;
// The throwers stand at the field's edges and only ever move up and down.
constexpr std::array<float, 2> kPlayerLeft = {120, 5520};
// A snowy field under the dark blue sky of the window.
constexpr std::uint32_t kFieldColor = 0x00FFF4E8;
constexpr std::uint32_t kBoxColor = 0x00800000;
constexpr std::uint32_t kKeyHelpColor = 0x00FFFF80;

std::string assetPath(const char* name) { return FullPath(name); }

QString lines(std::initializer_list<const char*> parts) {
    QString text;
    for (const char* part : parts) {
        if (!text.isEmpty()) text += kCR;
        text += QString::fromUtf8(part);
    }
    return text;
}

FightSprite spriteOf(const QWidget* w, const FightSprite& at) {
    FightSprite s = at;
    s.Width = static_cast<float>(pixelsToTwips(w->width()));
    s.Height = static_cast<float>(pixelsToTwips(w->height()));
    return s;
}

}  // namespace

frmFight::frmFight() : GameWindow(kSpec, &optFight::instance()) {}

frmFight& frmFight::instance() {
    static frmFight window;
    return window;
}

void frmFight::createControls() {
    Form* f = form();
    // Unlike the other game windows, this one can be resized; its controls stay where they are.
    f->setMinimumSize(0, 0);
    f->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    f->resize(twipsToPixels(kSpec.clientWidth), twipsToPixels(kSpec.clientHeight));

    const QFont nameFont = vbFont("Arial", 10, true);
    Label1 = new Label(f, "Label1");
    placeTwips(Label1, 120, 120, 945, 315);
    Label2 = new Label(f, "Label2");
    placeTwips(Label2, 6000, 120, 1455, 315);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignTop);
    const QFont scoreFont = vbFont("Arial", 18, true);
    lblScore[0] = new Label(f, "lblScore_0", "0");
    placeTwips(lblScore[0], 120, 480, 855, 435);
    lblScore[1] = new Label(f, "lblScore_1", "0");
    placeTwips(lblScore[1], 6480, 480, 975, 435);
    lblScore[1]->setAlignment(Qt::AlignRight | Qt::AlignTop);
    for (Label* l : {Label1, Label2}) {
        l->setFont(nameFont);
        l->setForeColor(Qt::white);
        l->setTransparent(true);
    }
    for (Label* l : lblScore) {
        l->setFont(scoreFont);
        l->setForeColor(QBColor(14));
        l->setTransparent(true);
    }
    Label3 = new Label(f, "Label3");
    placeTwips(Label3, 1080, 120, 2535, 735);
    Label4 = new Label(f, "Label4");
    placeTwips(Label4, 3720, 120, 2235, 735);
    for (Label* l : {Label3, Label4}) {
        l->setForeColor(bgrColor(kKeyHelpColor));
        l->setTransparent(true);
    }

    for (int k = 0; k < 2; ++k) {
        auto* box = new Shape(f, QString("shpArsenal_%1").arg(k));
        placeTwips(box, k == 0 ? 120 : 6960, 960, 495, 3735);
        box->setBorderColor(Qt::white);
        box->setFillColor(bgrColor(kBoxColor));
        shpArsenal[static_cast<std::size_t>(k)] = box;
    }
    shpLBall[0] = makeMarker(0, 0);
    shpRBall[0] = makeMarker(1, 0);

    picDesert = new PictureBox(f, "picDesert");
    placeTwips(picDesert, 720, 960, 6135, 3735);
    picDesert->setBorder(true);
    picDesert->setBackColor(bgrColor(kFieldColor));
    picDesert->setFocusPolicy(Qt::StrongFocus);
    picDesert->onKeyDown = [this](int& KeyCode, int Shift) { picDesert_KeyDown(KeyCode, Shift); };

    auto sprite = [&](const QString& name, double left) {
        auto* img = new ImageBox(picDesert, name);
        placeTwips(img, left, 0, kSpriteSize, kSpriteSize);
        return img;
    };
    imgPlayer[0] = sprite("imgPlayer_0", kPlayerLeft[0]);
    imgPlayer[0]->setPictureFile(assetPath("fight_thrower_left.svg"));
    imgPlayer[1] = sprite("imgPlayer_1", kPlayerLeft[1]);
    imgPlayer[1]->setPictureFile(assetPath("fight_thrower_right.svg"));
    snowmanPicture_ = loadSvgPicture(assetPath("fight_snowman.svg"));
    treePicture_ = loadSvgPicture(assetPath("fight_tree.svg"));
    imgSnow = sprite("imgSnow", 0);
    imgSnow->setPicture(snowmanPicture_);
    imgSnow->hide();
    imgTree = sprite("imgTree", 0);
    imgTree->setPicture(treePicture_);
    imgTree->hide();
    imgCactus[0] = sprite("imgCactus_0", 0);
    imgCactus[0]->setPicture(snowmanPicture_);
    imgCactus[1] = sprite("imgCactus_1", 0);
    imgCactus[1]->setPicture(treePicture_);
    imgLBullet[0] = sprite("imgLBullet_0", 0);
    imgLBullet[0]->setPictureFile(assetPath("fight_snowball_left.svg"));
    imgLBullet[0]->hide();
    imgRBullet[0] = sprite("imgRBullet_0", 0);
    imgRBullet[0]->setPictureFile(assetPath("fight_snowball_right.svg"));
    imgRBullet[0]->hide();

    pnlOver = new Label(picDesert, "pnlOver", "Game Over");
    placeTwips(pnlOver, 0, 0, 2055, 1095);
    pnlOver->setFont(vbFont("Britannic Bold", 14.25, true));
    pnlOver->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pnlOver->setLineWidth(3);
    pnlOver->setBackColor(QBColor(7));
    pnlOver->setForeColor(bgrColor(kSpec.backColor));
    pnlOver->setAlignment(Qt::AlignCenter);
    pnlOver->hide();

    fraChoice = new Frame(f, "fraChoice", "");
    placeTwips(fraChoice, 1080, 4800, 5295, 855);
    greyFrame(fraChoice);
    ButtonColumn buttons(fraChoice, 150, 240, 1155, 495, 1275, 0);
    cmdNew = buttons.add("cmdNew", "&New Game");
    cmdOptions = buttons.add("cmdOptions", "&Options");
    cmdHelp = buttons.add("cmdHelp", "&Help");
    cmdExit = buttons.add("cmdExit", "E&xit");
    cmdNew->onClick([this] { cmdNew_Click(); });
    connectFrameButtons(cmdHelp, cmdExit, cmdOptions);
    lockedWhileRunning = {cmdNew, cmdOptions};

    Timer1 = new QTimer(f);
    Timer1->setTimerType(Qt::PreciseTimer);
    QObject::connect(Timer1, &QTimer::timeout, f, [this] { Timer1_Timer(); });
    Timer2 = new QTimer(f);
    Timer2->setTimerType(Qt::PreciseTimer);
    QObject::connect(Timer2, &QTimer::timeout, f, [this] { Timer2_Timer(); });
}

Shape* frmFight::makeMarker(int side, int i) {
    auto* ball = new Shape(form(), QString(side == 0 ? "shpLBall_%1" : "shpRBall_%1").arg(i), Shape::Oval);
    ball->setFillColor(Qt::white);
    ball->setBorderColor(QBColor(7));
    ball->hide();
    return ball;
}

const QPicture& frmFight::picture(FightPicture which) const {
    return which == FightPicture::Snowman ? snowmanPicture_ : treePicture_;
}

void frmFight::Form_Load() {
    Timer1->setInterval(FightRules::kGameTick);
    Timer1->stop();
    loadOptions();
    centre();
    WhooshPath = FullPath("whoosh.wav");
    HitPath = FullPath("oh!!.wav");

    // The field's sizes, outside and in; its inside is measured in twips.
    picDesert->setScaleMode(PictureBox::Twips);
    rules.FieldWidth = static_cast<float>(pixelsToTwips(picDesert->width()));
    rules.FieldHeight = static_cast<float>(pixelsToTwips(picDesert->height()));
    rules.InnerWidth = static_cast<float>(picDesert->scaleWidth());
    rules.InnerHeight = static_cast<float>(picDesert->scaleHeight());

    FightSprite over = spriteOf(pnlOver, {});
    over.Left = (rules.FieldWidth - over.Width) * 0.5f;
    over.Top = (rules.FieldHeight - over.Height) * 0.5f;
    placeSprite(pnlOver, over);
    pnlOver->hide();

    showSideLabels();
    Label3->setCaption(lines({"A Key-Move Up", "Z Key-Move Down", "<Space>-Toss"}));
    Label4->setCaption(lines({"Up Arrow-Move Up", "Down Arrow-Move Down", "<Enter>-Toss"}));

    for (std::size_t k = 0; k < 2; ++k) {
        rules.Player[k] = spriteOf(imgPlayer[k], rules.Player[k]);
        rules.Player[k].Left = kPlayerLeft[k];
        rules.Cactus[k] = spriteOf(imgCactus[k], rules.Cactus[k]);
    }
    rules.Bullet[0] = spriteOf(imgLBullet[0], rules.Bullet[0]);
    rules.Bullet[1] = spriteOf(imgRBullet[0], rules.Bullet[1]);
    rules.placeForLoad();
    for (std::size_t k = 0; k < 2; ++k) imgCactus[k]->setPicture(picture(rules.CactusPicture[k]));
    placeSprites();
    pnlOver->raise();

    // Two columns of fifteen markers in each box, from the bottom up.
    for (int side = 0; side < 2; ++side) {
        Shape* box = shpArsenal[static_cast<std::size_t>(side)];
        const FightBox at{static_cast<float>(pixelsToTwips(box->x())),
                          static_cast<float>(pixelsToTwips(box->y())),
                          static_cast<float>(pixelsToTwips(box->width())),
                          static_cast<float>(pixelsToTwips(box->height()))};
        auto& markers = side == 0 ? shpLBall : shpRBall;
        for (int i = 0; i < FightRules::kMarkers; ++i) {
            Shape*& marker = markers[static_cast<std::size_t>(i)];
            if (i > 0) marker = makeMarker(side, i);
            const FightBox m = fightMarkerPlace(at, i);
            placeTwips(marker, m.Left, m.Top, m.Width, m.Height);
            marker->raise();
        }
    }
}

void frmFight::showSideLabels() {
    if (gFightPlayers == 1) {
        Label1->setCaption("You");
        Label2->setCaption("Computer");
        Label4->hide();
    } else {
        Label1->setCaption("Player 1");
        Label2->setCaption("Player 2");
        Label4->show();
    }
}

void frmFight::showMarkers(int count) {
    for (auto* markers : {&shpLBall, &shpRBall})
        for (Shape* marker : *markers) marker->hide();
    const int shown = std::min(count, FightRules::kMarkers);
    for (int i = 0; i < shown; ++i) {
        shpLBall[static_cast<std::size_t>(i)]->show();
        shpRBall[static_cast<std::size_t>(i)]->show();
    }
}

void frmFight::placeSprite(QWidget* picture, const FightSprite& at) {
    // The field's coordinates start inside its border.
    const int inset = (picDesert->width() - twipsToPixels(picDesert->scaleWidth())) / 2;
    picture->setGeometry(twipsRect(at.Left, at.Top, at.Width, at.Height).translated(inset, inset));
}

void frmFight::placeSprites() {
    for (std::size_t k = 0; k < 2; ++k) {
        placeSprite(imgPlayer[k], rules.Player[k]);
        placeSprite(imgCactus[k], rules.Cactus[k]);
    }
    placeSprite(imgLBullet[0], rules.Bullet[0]);
    imgLBullet[0]->setVisible(rules.Bullet[0].Visible);
    placeSprite(imgRBullet[0], rules.Bullet[1]);
    imgRBullet[0]->setVisible(rules.Bullet[1].Visible);
}

void frmFight::cmdNew_Click() {
    GameOn = 1;
    rules.newGame(gFightDifficulty, gFightBalls);
    Timer2->setInterval(rules.ComputerTick + FightRules::kComputerDelay);
    pnlOver->hide();
    showSideLabels();
    showMarkers(rules.Ammo[1]);
    for (Label* score : lblScore) score->setCaption("0");
    beginRunning();
    Timer1->start();
    if (gFightPlayers == 1) Timer2->start();
    picDesert->setFocus();
}

void frmFight::picDesert_KeyDown(int& KeyCode, int Shift) { Form_KeyDown(KeyCode, Shift); }

void frmFight::Form_KeyDown(int& KeyCode, int) {
    if (!isLoaded() || !Timer1->isActive()) return;
    // Game steps, computer moves and keys that came in meanwhile go first.
    QCoreApplication::processEvents();
    // One of them may have been a click that left the window.
    if (!isLoaded()) return;
    rules.keyDown(KeyCode, gFightPlayers);
    placeSprite(imgPlayer[0], rules.Player[0]);
    placeSprite(imgPlayer[1], rules.Player[1]);
}

void frmFight::RightThrowerKey(int KeyCode) {
    rules.RightThrowerKey(KeyCode);
    placeSprite(imgPlayer[1], rules.Player[1]);
}

void frmFight::Timer1_Timer() {
    if (!isLoaded() || GameOn != 1) return;
    bool over = false;
    for (const FightStep& step : rules.tick()) {
        const auto side = static_cast<std::size_t>(step.index);
        switch (step.kind) {
            case FightStepKind::Picture:
                imgCactus[side]->setPicture(picture(step.picture));
                break;
            case FightStepKind::Toss:
                // Only the first thirty snowballs of a side have a marker.
                if (step.marker < FightRules::kMarkers)
                    (side == 0 ? shpLBall : shpRBall)[static_cast<std::size_t>(step.marker)]->hide();
                PlaySoundFile(WhooshPath, 1);
                break;
            case FightStepKind::Stopped:
                break;
            case FightStepKind::Hit:
                PlaySoundFile(HitPath, 1);
                lblScore[side]->setCaption(QString::fromStdString(Format(step.score, "#0")));
                break;
            case FightStepKind::GameOver:
                over = true;
                break;
        }
    }
    placeSprites();
    if (over) cmdexit_Click();
}

void frmFight::Timer2_Timer() {
    if (!isLoaded()) return;
    Timer2->setInterval(rules.ComputerTick);
    if (const int key = rules.computerDecision()) RightThrowerKey(key);
}

void frmFight::StopGame() {
    rules.Bullet[0].Visible = false;
    rules.Bullet[1].Visible = false;
    imgLBullet[0]->hide();
    imgRBullet[0]->hide();
    pnlOver->show();
    Timer1->stop();
    Timer2->stop();
    GameOn = 0;
    endRunning();
    picDesert->setFocus();
}
