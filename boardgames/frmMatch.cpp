#include "boardgames/frmMatch.h"

#include <algorithm>

#include "boardgames/optMatch.h"
#include "launcher/shared_routines.h"
#include "platform/button_column.h"
#include "platform/fonts.h"
#include "platform/seam.h"
#include "platform/units.h"

namespace {

constexpr double kCardWidth = 975;
constexpr double kCardHeight = 855;

// The gift wrapping that stands in for a missing card back: face-down cards
// must still stand out from the black board, and differ from every toy colour.
constexpr int kStandInWrapping = 4;
constexpr int kStandInRibbon = 14;

}  // namespace

frmMatch::frmMatch() : GameWindow(kSpec, &optMatch::instance()) {}

frmMatch& frmMatch::instance() {
    static frmMatch window;
    return window;
}

QColor frmMatch::windowColor() const { return bgrColor(backColor()); }

void frmMatch::createControls() {
    Form* f = form();
    for (int j = 1; j <= kMatchMaxSlots; ++j) {
        auto* box = new PictureBox(f, QString("picHidden_%1").arg(j));
        placeTwips(box, 120 + 1080 * ((j - 1) % 5), 120 + 960 * ((j - 1) / 5), kCardWidth, kCardHeight);
        // Before the first deal the board is empty: the slots blend into the window.
        box->setBackColor(windowColor());
        box->onClick = [this, j] { picHidden_Click(j); };
        picHidden[static_cast<std::size_t>(j)] = box;
    }

    const QFont heading = vbFont("Arial", 12, true);
    const QFont counter = vbFont("Arial", 26, true);
    for (int p = 1; p <= 2; ++p) {
        const double left = p == 1 ? 5640 : 6960;
        auto* h = new Label(f, QString("lblP_%1").arg(p));
        placeTwips(h, left, 120, 1185, 375);
        h->setFont(heading);
        h->setForeColor(Qt::white);
        h->setTransparent(true);
        h->setAlignment(Qt::AlignCenter);
        lblP[static_cast<std::size_t>(p)] = h;

        auto* c = new Label(f, QString("lblMatch_%1").arg(p), "0");
        placeTwips(c, left, 540, 1185, 735);
        c->setFont(counter);
        c->setForeColor(QBColor(1));
        c->setBackColor(QBColor(15));
        c->setBorder(true);
        c->setAlignment(Qt::AlignCenter);
        lblMatch[static_cast<std::size_t>(p)] = c;
    }

    lblMessage = new Label(f, "lblMessage");
    placeTwips(lblMessage, 5520, 1440, 2745, 1095);
    lblMessage->setFont(vbFont("Comic Sans MS", 14, true));
    lblMessage->setForeColor(QBColor(14));
    lblMessage->setTransparent(true);
    lblMessage->setAlignment(Qt::AlignCenter);

    fraChoice = new Frame(f, "fraChoice", "");
    placeTwips(fraChoice, 5640, 2640, 2505, 3120);
    greyFrame(fraChoice, LockedCaptions::Black);
    ButtonColumn buttons(fraChoice, 180, 300, 2145, 615, 0, 720, vbFont("MS Sans Serif", 9.75, true));
    cmdNew = buttons.add("cmdNew", "&New Game");
    cmdOptions = buttons.add("cmdOptions", "&Options");
    cmdHelp = buttons.add("cmdHelp", "&Help");
    cmdExit = buttons.add("cmdExit", "E&xit");
    cmdNew->onClick([this] { cmdNew_Click(); });

    connectFrameButtons(cmdHelp, cmdExit, cmdOptions);
    lockedWhileRunning = {cmdNew, cmdOptions};
}

void frmMatch::Form_Load() {
    seedFromClock();
    WowSound = FullPath("wow.wav");
    BoingSound = FullPath("boing.wav");
    TadaSound = FullPath("tada.wav");
    centre();
    loadOptions();
    rules_.GameOn = 0;

    showHeadings();
    for (int k = 1; k <= kMatchMaxPairs; ++k) ToyColor[static_cast<std::size_t>(k)] = kMatchToyColors[k];
    // The pictures are installed with the program; should one be missing or
    // damaged the game still plays, showing that toy as its card colour alone
    // (and the back as plain wrapping).
    picGift = Metafile::load(FullPath(kMatchCardBack));
    for (int k = 1; k <= kMatchMaxPairs; ++k)
        picChoice[static_cast<std::size_t>(k)] = Metafile::load(FullPath(kMatchToyPictures[k]));
}

void frmMatch::showHeadings() {
    const MatchHeadings h = MatchRules::counterHeadings(optMatch::stored());
    lblP[1]->setCaption(QString::fromStdString(h.player1));
    lblP[2]->setCaption(QString::fromStdString(h.player2));
}

void frmMatch::setMessage(const std::string& text) { lblMessage->setCaption(QString::fromStdString(text)); }

void frmMatch::cmdNew_Click() {
    const std::string prompt = rules_.newGame(optMatch::stored());
    beginRunning();

    for (int s = 1; s <= kMatchMaxSlots; ++s) {
        PictureBox* box = picHidden[static_cast<std::size_t>(s)];
        box->hide();
        paintCardBack(box);
    }
    for (int s = 1; s <= 2 * rules_.Pairs; ++s) picHidden[static_cast<std::size_t>(s)]->show();

    showHeadings();
    lblMatch[1]->setCaption("0");
    lblMatch[2]->setCaption("0");
    setMessage(prompt);
}

void frmMatch::picHidden_Click(int Index) {
    for (const MatchStep& step : rules_.pickCard(Index)) {
        switch (step.kind) {
            case MatchStepKind::Beep:
                seam().beep();
                break;
            case MatchStepKind::Counter: {
                Label* counter = lblMatch[static_cast<std::size_t>(step.counter)];
                counter->setCaption(QString::fromStdString(step.text));
                seam().repaintNow(counter);
                break;
            }
            case MatchStepKind::ShowToy:
                ShowToy(picHidden[static_cast<std::size_t>(step.slot)], step.toy);
                break;
            case MatchStepKind::Pair:
                PlaySoundFile(WowSound, 1);
                Delay(1);
                RemoveCard(step.first);
                RemoveCard(step.second);
                break;
            case MatchStepKind::Miss:
                PlaySoundFile(BoingSound, 1);
                Delay(1);
                CoverCard(step.first);
                CoverCard(step.second);
                break;
            case MatchStepKind::TurnPassed:
                break;
            case MatchStepKind::GameOver:
                showEnd(step.text);
                // The result is on screen while the fanfare plays, not only after it.
                seam().repaintNow(form());
                PlaySoundFile(TadaSound, 0);
                break;
            case MatchStepKind::Prompt:
                setMessage(step.text);
                break;
            case MatchStepKind::ComputerSecondCard:
                Delay(0.5);
                setMessage(step.text);
                seam().repaintNow(lblMessage);
                Delay(1);
                picHidden_Click(rules_.ComputerPick());
                break;
            case MatchStepKind::ComputerTurn:
                setMessage(step.text);
                seam().repaintNow(lblMessage);
                Delay(1);
                picHidden_Click(rules_.ComputerPick());
                break;
        }
    }
}

void frmMatch::ShowToy(PictureBox* box, int toy) {
    box->setBackColor(QBColor(ToyColor[static_cast<std::size_t>(toy)]));
    box->setPicture(picChoice[static_cast<std::size_t>(toy)], Metafile::Fit::Contain);
    seam().repaintNow(box);
}

void frmMatch::paintCardBack(PictureBox* box) {
    if (picGift) {
        box->setBackColor(windowColor());
        box->setPicture(picGift, Metafile::Fit::Stretch);
        return;
    }
    box->setPicture(std::nullopt);
    box->setBackColor(QBColor(kStandInWrapping));
    // A ribbon across both ways, so the stand-in still reads as a gift.
    const double w = box->scaleWidth(), h = box->scaleHeight();
    const double band = std::min(w, h) / 7;
    box->Box(w / 2 - band / 2, 0, w / 2 + band / 2, h, QBColor(kStandInRibbon), true);
    box->Box(0, h / 2 - band / 2, w, h / 2 + band / 2, QBColor(kStandInRibbon), true);
}

void frmMatch::CoverCard(int slot) {
    PictureBox* box = picHidden[static_cast<std::size_t>(slot)];
    paintCardBack(box);
    seam().repaintNow(box);
}

void frmMatch::RemoveCard(int slot) {
    PictureBox* box = picHidden[static_cast<std::size_t>(slot)];
    box->setPicture(std::nullopt);
    box->setBackColor(windowColor());
}

void frmMatch::showEnd(const std::string& text) {
    endRunning();
    setMessage(text);
}

void frmMatch::StopGame() { showEnd(rules_.endGame()); }
