#include "boardgames/frmTrim.h"

#include "boardgames/optTrim.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "platform/button_column.h"
#include "platform/fonts.h"
#include "platform/seam.h"
#include "platform/units.h"
#include "platform/vbmath.h"

namespace {

struct SpotPlace {
    int left, top;
};

// Where spots 1 to 41 hang on the tree, in twips within the tree area.
constexpr std::array<SpotPlace, kTrimSpots> kSpotPlaces = {{
    {480, 3240},  {3960, 3240}, {1080, 1680}, {3360, 1680}, {120, 5040},  {4440, 5040}, {1680, 2520},
    {2760, 2520}, {960, 4320},  {3600, 4440}, {1560, 1320}, {2880, 1320}, {1800, 1800}, {2640, 1800},
    {2280, 1320}, {2280, 2280}, {1440, 3120}, {3000, 3120}, {2280, 2880}, {1920, 3480}, {2520, 3480},
    {1320, 3840}, {3120, 3840}, {1800, 4080}, {2640, 4080}, {1440, 4560}, {3000, 4560}, {720, 4920},
    {3840, 4920}, {2160, 4560}, {1080, 2640}, {3360, 2640}, {1200, 5160}, {1800, 5040}, {2520, 5040},
    {3240, 5160}, {480, 4320},  {3720, 3960}, {1920, 840},  {2520, 840},  {2085, 0},
}};
constexpr int kSpotSize = 375;
constexpr int kStarSize = 735;

// A winter sky behind the tree, and snow under it.
constexpr std::uint32_t kSkyColor = 0x00F8E8D8;
constexpr std::uint32_t kSnowColor = 0x00FFFFFF;

}  // namespace

frmTrim::frmTrim() : GameWindow(kSpec, &optTrim::instance()) {}

frmTrim& frmTrim::instance() {
    static frmTrim window;
    return window;
}

void frmTrim::createControls() {
    Form* f = form();
    pbox = new PictureBox(f, "pbox");
    placeTwips(pbox, 0, 0, 4935, 6735);
    pbox->setBackColor(bgrColor(kSkyColor));

    Shape1 = new Shape(pbox, "Shape1", Shape::Oval);
    placeTwips(Shape1, -600, 5880, 6135, 1500);
    Shape1->setBorderColor(bgrColor(kSnowColor));
    Shape1->setFillColor(bgrColor(kSnowColor));

    Image1 = new ImageBox(pbox, "Image1");
    placeTwips(Image1, 240, 360, 4455, 6255);
    Image1->setPictureFile(FullPath("trim_tree.svg"));

    for (int k = 1; k <= kTrimSpots; ++k) {
        auto* spot = new FramedImageBox(pbox, QString("imgOrnament_%1").arg(k - 1));
        const SpotPlace& at = kSpotPlaces[static_cast<std::size_t>(k - 1)];
        const int size = k == kTrimStarSpot ? kStarSize : kSpotSize;
        placeTwips(spot, at.left, at.top, size, size);
        spot->setBorderStyle(1);
        imgOrnament[static_cast<std::size_t>(k - 1)] = spot;
    }
    for (int i = 0; i < kTrimOrnamentKinds; ++i)
        imgChoice[static_cast<std::size_t>(i)] =
            loadSvgPicture(FullPath("trim_ornament" + std::to_string(i) + ".svg"));
    imgStar = loadSvgPicture(FullPath("trim_star.svg"));

    fraBlocks = new Frame(f, "fraBlocks", "How Many to Add?");
    placeTwips(fraBlocks, 5055, 120, 2160, 1455);
    const QFont digits = vbFont("Arial", 15.75, true);
    for (int i = 0; i < kTrimMostToAdd; ++i) {
        auto* b = new Button3D(fraBlocks, QString("cmdPick_%1").arg(i), QString::number(i + 1));
        placeTwips(b, 150 + 495 * (i % 4), 345 + 540 * (i / 4), 435, 480);
        b->setFont(digits);
        b->onClick([this, i] { cmdPick_Click(i); });
        keyStandsFor(b, QChar('1' + i));
        cmdPick[static_cast<std::size_t>(i)] = b;
    }

    Frame1 = new Frame(f, "Frame1", "Ornaments Left");
    placeTwips(Frame1, 5055, 1695, 2160, 975);
    lblLeft = new Label(Frame1, "lblLeft");
    placeTwips(lblLeft, 600, 300, 960, 555);
    lblLeft->setFont(vbFont("Arial", 20.25, true));
    lblLeft->setForeColor(QBColor(4));
    lblLeft->setBackColor(Qt::white);
    lblLeft->setBorder(true);
    lblLeft->setAlignment(Qt::AlignCenter);

    lblMessage = new Label(f, "lblMessage");
    placeTwips(lblMessage, 4995, 2760, 2280, 1095);
    lblMessage->setFont(vbFont("Comic Sans MS", 14, true));
    lblMessage->setForeColor(QBColor(1));
    lblMessage->setTransparent(true);
    lblMessage->setAlignment(Qt::AlignCenter);

    fraChoice = new Frame(f, "fraChoice", "");
    placeTwips(fraChoice, 5055, 3960, 2160, 2640);
    ButtonColumn buttons(fraChoice, 150, 180, 1860, 555, 0, 615, vbFont("MS Sans Serif", 9.75, true));
    cmdNew = buttons.add("cmdNew", "&New Game");
    cmdOptions = buttons.add("cmdOptions", "&Options");
    cmdHelp = buttons.add("cmdHelp", "&Help");
    cmdExit = buttons.add("cmdExit", "E&xit");
    cmdNew->onClick([this] { cmdNew_Click(); });

    connectFrameButtons(cmdHelp, cmdExit, cmdOptions);
    lockedWhileRunning = {cmdNew, cmdOptions};
}

void frmTrim::Form_Load() {
    seedFromClock();
    ChimesSound = FullPath("chimes.wav");
    UhOhSound = FullPath("uhoh.wav");
    TadaSound = FullPath("tada.wav");
    centre();
    loadOptions();
    rules_.GameOn = 0;
    rules_.Winner = 0;
}

void frmTrim::setMessage(const std::string& text) { lblMessage->setCaption(QString::fromStdString(text)); }

void frmTrim::PlaceOrnament(int k, int picture) {
    FramedImageBox* spot = imgOrnament[static_cast<std::size_t>(k - 1)];
    spot->setBorderStyle(0);
    spot->setPicture(picture == kTrimStar ? imgStar : imgChoice[static_cast<std::size_t>(picture)]);
}

void frmTrim::cmdNew_Click() {
    beginRunning();
    for (int i = 3; i < kTrimMostToAdd; ++i) cmdPick[static_cast<std::size_t>(i)]->hide();
    for (FramedImageBox* spot : imgOrnament) {
        spot->clearPicture();
        spot->setBorderStyle(1);
    }

    const std::vector<TrimStep> steps = rules_.newGame({gTrimPlayers, gTrimDifficulty, gTrimFirst});
    for (int i = 3; i < rules_.MaxAdd; ++i) cmdPick[static_cast<std::size_t>(i)]->show();
    for (const TrimStep& step : steps)
        if (step.kind == TrimStepKind::Ornament) PlaceOrnament(step.spot, step.picture);
    lblLeft->setCaption(QString::fromStdString(Format(rules_.Total, "#0")));
    // The fresh tree is on screen before anything waits, the computer's first
    // pause included.
    seam().repaintNow(pbox);
    seam().repaintNow(lblLeft);

    const TrimStep& last = steps.back();
    if (last.kind == TrimStepKind::ComputerTurn)
        ComputerTurn();
    else
        setMessage(last.text);
}

void frmTrim::cmdPick_Click(int Index) {
    for (const TrimStep& step : rules_.move(Index)) {
        switch (step.kind) {
            case TrimStepKind::Ornament:
                PlaceOrnament(step.spot, step.picture);
                // Each ornament shows as its own chime rings.
                seam().repaintNow(imgOrnament[static_cast<std::size_t>(step.spot - 1)]);
                PlaySoundFile(ChimesSound, 0);
                lblLeft->setCaption(QString::fromStdString(step.left));
                seam().repaintNow(lblLeft);
                break;
            case TrimStepKind::TooMany:
                PlaySoundFile(UhOhSound, 0);
                break;
            case TrimStepKind::Won:
                cmdexit_Click();
                break;
            case TrimStepKind::Prompt:
                setMessage(step.text);
                break;
            case TrimStepKind::ComputerTurn:
                ComputerTurn();
                break;
        }
    }
}

void frmTrim::ComputerTurn() {
    const TrimComputerMove choice = rules_.ComputerMove();
    fraBlocks->setEnabled(false);
    setMessage(choice.text);
    seam().repaintNow(lblMessage);
    Delay(1);
    cmdPick_Click(choice.count - 1);
    fraBlocks->setEnabled(true);
}

void frmTrim::Form_KeyPress(int& KeyAscii) {
    const int Index = rules_.keyMove(KeyAscii);
    if (Index >= 0) cmdPick_Click(Index);
}

void frmTrim::StopGame() {
    const TrimEnd end = rules_.endGame();
    endRunning();
    setMessage(end.text);
    if (end.fanfare) {
        // The winner is on screen while the fanfare plays, not only after it.
        seam().repaintNow(form());
        PlaySoundFile(TadaSound, 0);
    }
}
