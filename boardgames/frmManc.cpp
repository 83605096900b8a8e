#include "boardgames/frmManc.h"

#include <initializer_list>

#include "boardgames/optManc.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "platform/button_column.h"
#include "platform/fonts.h"
#include "platform/seam.h"
#include "platform/text.h"
#include "platform/units.h"
#include "platform/vbmath.h"

namespace {

// The options dialog's choices as the shared settings hold them now.
MancRules::Settings sharedSettings() { return {gMancPlayers, gMancDifficulty, gMancFirst}; }

// The board, in twips. A pit holds two rows of five large seeds (three rows
// of small ones); a store holds seven columns of five.
constexpr int kPitW = 900, kPitH = 390;
constexpr int kStoreW = 1260, kStoreH = 1020;
constexpr int kTopRowY = 1320, kBottomRowY = 1950;
constexpr int kLeftStoreX = 240, kRightStoreX = 7650;
constexpr int kFirstPitX = 1650, kPitPitch = 990;
// How far a bowl reaches beyond its box.
constexpr int kBowlRim = 75;

// Dark wood inside the pits, so every seed colour (10 to 15) stands out.
const QColor kPitColor(92, 52, 24);
const QColor kBoardColor(184, 122, 64);
const QColor kRimColor(60, 32, 12);

QString lines(std::initializer_list<const char*> parts) {
    QString text;
    bool first = true;
    for (const char* part : parts) {
        if (!first) text += kCR;
        text += QString::fromUtf8(part);
        first = false;
    }
    return text;
}

bool isStore(int cell) { return cell == 7 || cell == 14; }

QRect cellRect(int cell) {
    if (cell == 7) return QRect(kLeftStoreX, kTopRowY, kStoreW, kStoreH);
    if (cell == 14) return QRect(kRightStoreX, kTopRowY, kStoreW, kStoreH);
    // The top row runs from pit 6 at the left to pit 1 at the right; the
    // bottom row from pit 8 at the left to pit 13 at the right.
    if (cell <= 6) return QRect(kFirstPitX + kPitPitch * (6 - cell), kTopRowY, kPitW, kPitH);
    return QRect(kFirstPitX + kPitPitch * (cell - 8), kBottomRowY, kPitW, kPitH);
}

}  // namespace

frmManc::frmManc() : GameWindow(kSpec, &optManc::instance()) {}

frmManc& frmManc::instance() {
    static frmManc window;
    return window;
}

void frmManc::createControls() {
    Form* f = form();

    auto* board = new Shape(f, "shpBoard", Shape::RoundedRectangle);
    placeTwips(board, 105, 1125, 8940, 1410);
    board->setFillColor(kBoardColor);
    board->setBorderColor(kRimColor);
    board->setBorderWidth(2);

    for (int cell = 1; cell <= kMancCells; ++cell) {
        const QRect r = cellRect(cell);
        auto* bowl = new Shape(f, QString("shpBowl_%1").arg(cell), Shape::RoundedRectangle);
        placeTwips(bowl, r.x() - kBowlRim, r.y() - kBowlRim, r.width() + 2 * kBowlRim,
                   r.height() + 2 * kBowlRim);
        bowl->setFillColor(kPitColor);
        bowl->setBorderColor(kRimColor);
        bowl->setBorderWidth(2);
        shpBowl[static_cast<std::size_t>(cell)] = bowl;
    }
    for (int cell = 1; cell <= kMancCells; ++cell) {
        const QRect r = cellRect(cell);
        auto* box = new PictureBox(f, QString("picSeeds_%1").arg(cell));
        placeTwips(box, r.x(), r.y(), r.width(), r.height());
        box->setBackColor(kPitColor);
        box->setFillSolid(true);
        box->Cls();
        box->onClick = [this, cell] { picSeeds_Click(cell); };
        picSeeds[static_cast<std::size_t>(cell)] = box;
    }

    // Each side's names: over or under its row of pits, and by its store
    // together with the score (the top player's store is at the left, the
    // bottom player's at the right).
    const QFont nameFont = vbFont("Comic Sans MS", 12, true);
    auto name = [&](int index, int left, int top, int width) {
        auto* l = new Label(f, QString("lblPlayer_%1").arg(index));
        placeTwips(l, left, top, width, 375);
        l->setFont(nameFont);
        l->setForeColor(QBColor(1));
        l->setTransparent(true);
        l->setAlignment(Qt::AlignCenter);
        lblPlayer[static_cast<std::size_t>(index)] = l;
    };
    name(1, kFirstPitX, 720, 5850);
    name(3, kLeftStoreX, 120, kStoreW);
    name(0, kFirstPitX, 2640, 5850);
    name(2, kRightStoreX, 2640, kStoreW);

    auto score = [&](int p, int left, int top) {
        auto* l = new Label(f, QString("lblScore_%1").arg(p), "0");
        placeTwips(l, left, top, 960, 495);
        l->setFont(vbFont("Arial", 18, true));
        l->setForeColor(QBColor(1));
        l->setBackColor(QBColor(15));
        l->setBorder(true);
        l->setAlignment(Qt::AlignCenter);
        lblScore[static_cast<std::size_t>(p)] = l;
    };
    score(2, kLeftStoreX + 150, 510);
    score(1, kRightStoreX + 150, 3045);

    imgRight = new ImageBox(f, "imgRight");
    placeTwips(imgRight, kRightStoreX + 90, 60, 1080, 1020);
    imgRight->setPictureFile(FullPath("manc_tree.svg"));
    imgLeft = new ImageBox(f, "imgLeft");
    placeTwips(imgLeft, kLeftStoreX + 90, 2640, 1080, 1020);
    imgLeft->setPictureFile(FullPath("manc_snowman.svg"));

    lblMessage = new Label(f, "lblMessage");
    placeTwips(lblMessage, kFirstPitX, 3180, 5850, 1500);
    lblMessage->setFont(vbFont("Comic Sans MS", 14, true));
    lblMessage->setForeColor(QBColor(4));
    lblMessage->setTransparent(true);
    lblMessage->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    ButtonColumn buttons(f, 870, 4980, 1650, 645, 1920, 0, vbFont("MS Sans Serif", 9.75, true));
    cmdNew = buttons.add("cmdNew", "&New Game");
    cmdOptions = buttons.add("cmdOptions", "&Options");
    cmdHelp = buttons.add("cmdHelp", "&Help");
    cmdExit = buttons.add("cmdExit", "E&xit");
    cmdNew->onClick([this] { cmdNew_Click(); });

    connectFrameButtons(cmdHelp, cmdExit, cmdOptions);
    lockedWhileRunning = {cmdNew, cmdOptions};
}

void frmManc::Form_Load() {
    seedFromClock();
    loadOptions();
    UhOhSound = FullPath("uhoh.wav");
    BubbleSound = FullPath("lgbubble.wav");
    CheerSound = FullPath("cheering.wav");
    DingSound = FullPath("ding.wav");
    TadaSound = FullPath("tada.wav");
    rules_.GameOn = 0;
    rules_.Player = 1;
    centre();

    // The boxes are new and empty, so the board starts empty too, scores included.
    rules_.Seeds.fill(0);
    rules_.Score.fill(0);
    SmallSeeds.fill(0);
    PitStepX = CInt(pixelsToTwips(picSeeds[1]->width()) / 5);
    PitStepY = CInt(pixelsToTwips(picSeeds[1]->height()) / 2);
    StoreStepX = CInt(pixelsToTwips(picSeeds[7]->width()) / 7);
    StoreStepY = CInt(pixelsToTwips(picSeeds[7]->height()) / 5);
    showNames(sharedSettings().chosen().Players == 1);
}

void frmManc::showNames(bool one) {
    lblPlayer[0]->setCaption(one ? "You" : "Player 1");
    lblPlayer[2]->setCaption(one ? "You" : "Player 1");
    lblPlayer[1]->setCaption(one ? "Computer" : "Player 2");
    lblPlayer[3]->setCaption(one ? "Computer" : "Player 2");
}

void frmManc::setMessage(const QString& text) {
    lblMessage->setCaption(text);
    seam().repaintNow(lblMessage);
}

void frmManc::cmdNew_Click() {
    rules_.newGame(sharedSettings());
    beginRunning();

    const QColor seed = QBColor(rules_.SeedColor);
    for (int i = 1; i <= 6; ++i) {
        for (int cell : {i, i + 7}) {
            picSeeds[static_cast<std::size_t>(cell)]->Cls();
            SmallSeeds[static_cast<std::size_t>(cell)] = 0;
            picSeeds[static_cast<std::size_t>(cell)]->setFillColor(seed);
        }
        for (int k = 1; k <= kMancSeedsPerPit; ++k) {
            AddSeedToPit(i, k);
            AddSeedToPit(i + 7, k);
        }
    }
    for (int cell : {7, 14}) {
        picSeeds[static_cast<std::size_t>(cell)]->Cls();
        SmallSeeds[static_cast<std::size_t>(cell)] = 0;
        picSeeds[static_cast<std::size_t>(cell)]->setFillColor(seed);
    }
    StoreX[1] = StoreX[2] = CInt(StoreStepX * 0.5);
    StoreY[1] = StoreY[2] = CInt(StoreStepY * 0.5);
    ShowScore(1);
    ShowScore(2);

    showNames(rules_.onePlayer());
    setMessage("");
    if (!rules_.onePlayer()) {
        setMessage(lines({"", "Player 1's Turn", "Click Pit"}));
    } else if (rules_.ComputerFirst == 0) {
        setMessage(lines({"", "Your Turn", "Click Pit"}));
    } else {
        setMessage(lines({"", "Computer's", "Turn"}));
        rules_.Player = 2;
        computerTurn(false);
        setMessage(lines({"", "Your Turn", "Click Pit"}));
    }
    rules_.Player = 1;
}

void frmManc::picSeeds_Click(int Index) {
    if (rules_.GameOn != 1) return;
    if (Index < 1 || Index > kMancCells || !rules_.canMove(Index)) {
        PlaySoundFile(UhOhSound, 0);
        return;
    }

    bool freeTurn = false;
    SowSeeds(rules_.Player, Index, freeTurn);
    if (CheckGameEnd()) {
        endByMove(false);
        return;
    }
    if (freeTurn) {
        if (rules_.onePlayer())
            setMessage(lines({"", "You Get A Free Turn", "Click Pit"}));
        else
            setMessage(kCR + QString::fromStdString("Player" + Str(rules_.Player)) + "-Free Turn" + kCR +
                       "Click Pit");
        return;
    }

    rules_.Player = rules_.Player == 1 ? 2 : 1;
    if (!rules_.onePlayer()) {
        setMessage(kCR + QString::fromStdString("Player" + Str(rules_.Player)) + "'s Turn" + kCR +
                   "Click Pit");
        return;
    }
    setMessage(lines({"", "Computer's", "Turn"}));
    if (computerTurn(true)) {
        endByMove(true);
        return;
    }
    setMessage(lines({"", "Your Turn", "Click Pit"}));
    rules_.Player = 1;
}

bool frmManc::computerTurn(bool testEnd) {
    for (;;) {
        Delay(1);
        const int pit = ChooseComputerPit();
        if (pit == 0) return false;  // no seeds on its side: the end test has already run
        bool freeTurn = false;
        SowSeeds(rules_.Player, pit, freeTurn);
        if (testEnd && CheckGameEnd()) return true;
        if (!freeTurn) return false;
        setMessage(lines({"", "Computer Gets Free Turn"}));
    }
}

void frmManc::endByMove(bool waitForCheer) {
    cmdexit_Click();
    PlaySoundFile(CheerSound, waitForCheer ? 0 : 1);
}

void frmManc::StopGame() {
    rules_.GameOn = 0;
    endRunning();
    if (rules_.Ended == 0)
        setMessage(lines({"", "Game Stopped", ""}));
    else
        setMessage(lines({"", "Game Over", ""}) + QString::fromStdString(rules_.resultText()));
}

void frmManc::SowSeeds(int player, int pit, bool& freeTurn) {
    playSteps(rules_.SowSeeds(player, pit, freeTurn));
}

bool frmManc::CheckGameEnd() {
    playSteps(rules_.CheckGameEnd());
    return rules_.Ended == 1;
}

void frmManc::playSteps(const std::vector<MancStep>& steps) {
    for (const MancStep& step : steps) {
        switch (step.kind) {
            case MancStepKind::Clear:
                clearCell(step.cell);
                break;
            case MancStepKind::Sow:
                AddSeedToPit(step.cell, step.count);
                PlaySoundFile(BubbleSound, 0);
                break;
            case MancStepKind::Store:
                AddSeedToPit(step.cell, step.count);
                break;
            case MancStepKind::Score:
                ShowScore(step.player);
                break;
            case MancStepKind::Capture:
                PlaySoundFile(TadaSound, 1);
                break;
            case MancStepKind::FreeTurn:
                PlaySoundFile(DingSound, 1);
                break;
        }
    }
}

void frmManc::clearCell(int cell) {
    SmallSeeds[static_cast<std::size_t>(cell)] = 0;
    PictureBox* box = picSeeds[static_cast<std::size_t>(cell)];
    box->Cls();
    seam().repaintNow(box);
}

void frmManc::AddSeedToPit(int cell, int count) {
    PictureBox* box = picSeeds[static_cast<std::size_t>(cell)];
    int& small = SmallSeeds[static_cast<std::size_t>(cell)];
    if (!isStore(cell) && small == 0 && count >= 11) {
        // Too many for two rows: the whole pit is drawn again in three rows of small seeds.
        box->Cls();
        small = 1;
        for (int k = 1; k <= count; ++k) DrawSeed(cell, k);
    } else {
        DrawSeed(cell, count);
    }
    seam().repaintNow(box);
}

void frmManc::DrawSeed(int cell, int k) {
    PictureBox* box = picSeeds[static_cast<std::size_t>(cell)];
    const QColor outline = QBColor(0);
    if (isStore(cell)) {
        // The store's owner: whoever the seed goes to.
        const std::size_t p = cell == 14 ? 1 : 2;
        box->Circle(StoreX[p], StoreY[p], CInt(PitStepY * 0.45), outline);
        StoreY[p] += StoreStepY;
        if (StoreY[p] > 5 * StoreStepY) {
            StoreY[p] = CInt(StoreStepY * 0.5);
            StoreX[p] += StoreStepX;
        }
        return;
    }
    const bool small = SmallSeeds[static_cast<std::size_t>(cell)] == 1;
    const int base = small ? CInt(PitStepY * 0.33) : CInt(PitStepY * 0.5);
    const int radius = small ? CInt(PitStepY * 0.27) : CInt(PitStepY * 0.45);
    // Rows of five; everything from the eleventh on goes in the third row.
    const int row = k <= 5 ? 0 : (k <= 10 ? 1 : 2);
    const int column = k - 5 * row;
    box->Circle(CInt((column - 0.5) * PitStepX), (2 * row + 1) * base, radius, outline);
}

void frmManc::ShowScore(int p) {
    Label* label = lblScore[static_cast<std::size_t>(p)];
    label->setCaption(QString::fromStdString(Format(rules_.Score[static_cast<std::size_t>(p)], "#0")));
    seam().repaintNow(label);
}

int frmManc::ChooseComputerPit() {
    const int pit = rules_.ChooseComputerPit();
    if (pit == 0) return 0;
    Shape* bowl = shpBowl[static_cast<std::size_t>(pit)];
    // The computer's pits are 1 to 6, so a bowl always follows in the stack.
    Shape* nextBowl = shpBowl[static_cast<std::size_t>(pit + 1)];
    for (int flash = 0; flash < 3; ++flash) {
        // The red comes over the seeds too: the bowl's rim alone is too thin
        // for a child to catch in a twentieth of a second.
        bowl->setFillColor(QBColor(12));
        bowl->raise();
        seam().repaintNow(bowl);
        Delay(0.05);
        bowl->setFillColor(picSeeds[static_cast<std::size_t>(pit)]->backColor());
        bowl->stackUnder(nextBowl);
        seam().repaintNow(bowl);
        Delay(0.05);
    }
    return pit;
}
