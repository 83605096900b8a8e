#include "wordgames/frmSnow.h"

#include <QApplication>
#include <algorithm>

#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "launcher/shared_words.h"
#include "platform/button_column.h"
#include "platform/fonts.h"
#include "platform/seam.h"
#include "platform/units.h"
#include "platform/vbmath.h"
#include "wordgames/frmEdit.h"
#include "wordgames/frmInput.h"
#include "wordgames/word_list.h"

namespace {

// The scene inside picBack, in twips: a night sky over deep snow.
constexpr double kSceneWidth = 4200, kSceneHeight = 6060;
constexpr double kGroundTop = 4860;

const QColor kSnowWhite(0xFA, 0xFC, 0xFF);
const QColor kSnowShade(0xB8, 0xD4, 0xF0);
const QColor kTwig(0x8B, 0x4A, 0x1C);
const QColor kPuddle(0x6C, 0xC4, 0xFF);
const QColor kPuddleEdge(0x1E, 0x6E, 0xC8);

}  // namespace

frmSnow::frmSnow() : GameWindow(kSpec) {}

frmSnow& frmSnow::instance() {
    static frmSnow window;
    return window;
}

void frmSnow::createControls() {
    Form* f = form();

    picBack = new PictureBox(f, "picBack");
    placeTwips(picBack, 120, 120, kSceneWidth, kSceneHeight);
    picBack->setBorder(true);

    auto image = [this](const QString& name, const char* file, double l, double t, double w, double h) {
        auto* img = new ImageBox(picBack, name);
        placeTwips(img, l, t, w, h);
        img->setPictureFile(FullPath(file));
        return img;
    };
    auto snowball = [this](const char* name, double l, double t, double d) {
        auto* s = new Shape(picBack, name, Shape::Circle);
        placeTwips(s, l, t, d, d);
        s->setFillColor(kSnowWhite);
        s->setBorderColor(kSnowShade);
        s->setBorderWidth(2);
        return s;
    };

    // Back to front: the stocking hangs from the left hand, over the arm.
    shpBody = snowball("shpBody", 1050, 2850, 2100);
    shpHead = snowball("shpHead", 1425, 1560, 1350);
    const double arms[3][4] = {{1140, 3450, 330, 2640}, {600, 2910, 150, 2880}, {540, 2850, 480, 2400}};
    for (std::size_t i = 0; i < 3; ++i) {
        const double* a = arms[i];
        linLArm[i] = new LineShape(picBack, QString("linLArm_%1").arg(i));
        linLArm[i]->setPoints(a[0], a[1], a[2], a[3]);
        // The right arm mirrors the left about the snowman's middle.
        linRArm[i] = new LineShape(picBack, QString("linRArm_%1").arg(i));
        linRArm[i]->setPoints(kSceneWidth - a[0], a[1], kSceneWidth - a[2], a[3]);
        for (LineShape* arm : {linLArm[i], linRArm[i]}) {
            arm->setBorderColor(kTwig);
            arm->setBorderWidth(i == 0 ? 5 : 4);
        }
    }
    imgHat = image("imgHat", "snow_hat.svg", 1380, 690, 1440, 1080);
    imgEyes = image("imgEyes", "snow_eyes.svg", 1710, 1920, 780, 270);
    imgNose = image("imgNose", "snow_nose.svg", 2010, 2160, 630, 300);
    imgMouth = image("imgMouth", "snow_mouth.svg", 1740, 2460, 720, 270);
    for (std::size_t i = 0; i < 3; ++i)
        imgButton[i] = image(QString("imgButton_%1").arg(i), "snow_button.svg", 1950,
                             3240 + 540 * static_cast<double>(i), 300, 300);
    imgStocking = image("imgStocking", "snow_stocking.svg", 60, 2580, 600, 900);
    imgSun = image("imgSun", "snow_sun.svg", 2880, 150, 1170, 1170);
    imgSun->hide();

    const double puddles[6][4] = {{510, 5040, 1260, 330},  {1950, 4980, 1500, 360}, {240, 5490, 960, 300},
                                  {1380, 5430, 1560, 390}, {3090, 5490, 900, 300},  {2010, 5790, 1260, 210}};
    for (std::size_t i = 0; i < 6; ++i) {
        auto* p = new Shape(picBack, QString("shpPuddle_%1").arg(i), Shape::Oval);
        placeTwips(p, puddles[i][0], puddles[i][1], puddles[i][2], puddles[i][3]);
        p->setFillColor(kPuddle);
        p->setBorderColor(kPuddleEdge);
        p->setBorderWidth(2);
        p->hide();
        shpPuddle[i] = p;
    }

    lblWord = new Label(f, "lblWord");
    placeTwips(lblWord, 4440, 240, 4785, 780);
    lblWord->setFont(vbFont("Courier New", 24, true));
    lblWord->setForeColor(QBColor(1));
    lblWord->setBackColor(QBColor(15));
    lblWord->setBorder(true);
    lblWord->setAlignment(Qt::AlignCenter);
    lblWord->setWordWrap(false);

    Label1 = new Label(f, "Label1", "Guesses Left:");
    placeTwips(Label1, 4560, 1230, 2340, 480);
    Label1->setFont(vbFont("Comic Sans MS", 14, true));
    Label1->setForeColor(QBColor(1));
    Label1->setTransparent(true);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    lblleft = new Label(f, "lblleft");
    placeTwips(lblleft, 7020, 1140, 840, 630);
    lblleft->setFont(vbFont("Comic Sans MS", 20, true));
    lblleft->setForeColor(QBColor(4));
    lblleft->setBackColor(QBColor(15));
    lblleft->setBorder(true);
    lblleft->setAlignment(Qt::AlignCenter);

    // Three rows of letters: A to I, J to R, and S to Z centred under them.
    const QFont letterFont = vbFont("Comic Sans MS", 16, true);
    for (int k = 0; k < kSnowLetters; ++k) {
        const int row = k / 9, col = k % 9;
        const double left = 4468 + 531 * col + (row == 2 ? 531 / 2.0 : 0);
        auto* l = new Label(f, QString("lblLetter_%1").arg(k), QString(QChar('A' + k)));
        placeTwips(l, left, 1980 + 555 * row, 480, 480);
        l->setFont(letterFont);
        l->setForeColor(QBColor(1));
        l->setBackColor(QBColor(14));
        l->setBorder(true);
        l->setAlignment(Qt::AlignCenter);
        l->setWordWrap(false);
        l->setCursor(Qt::PointingHandCursor);
        l->onClick([this, k] { lblLetter_Click(k); });
        lblLetter[static_cast<std::size_t>(k)] = l;
    }

    Frame1 = new Frame(f, "Frame1", "");
    greyFrame(Frame1, LockedCaptions::Black);
    placeTwips(Frame1, 4440, 3780, 2760, 1500);
    const char* sources[2] = {"Enter Own Word", "Computer Chooses Word"};
    for (int i = 0; i < 2; ++i) {
        auto* o = new OptionButton(Frame1, QString("optComp_%1").arg(i), sources[i]);
        placeTwips(o, 150, 210 + 345 * i, 2490, 330);
        o->onClick([this, i] { optComp_Click(i); });
        optComp[static_cast<std::size_t>(i)] = o;
    }
    cmdEdit = new CommandButton(Frame1, "cmdEdit", "&Edit Word List");
    placeTwips(cmdEdit, 150, 945, 2460, 435);
    cmdEdit->onClick([this] { cmdEdit_Click(); });

    cmdOK = new Button3D(f, "cmdOK", "&New Word");
    placeTwips(cmdOK, 7320, 3840, 1905, 1440);
    cmdOK->setFont(vbFont("MS Sans Serif", 12, true));
    cmdOK->setFaceColor(QColor(0xC0, 0xE8, 0xC0));
    cmdOK->onClick([this] { cmdOK_Click(); });

    fraChoice = new Frame(f, "fraChoice", "");
    greyFrame(fraChoice, LockedCaptions::Black);
    placeTwips(fraChoice, 4440, 5400, 4785, 780);
    ButtonColumn buttons(fraChoice, 180, 165, 2100, 495, 2325, 0, vbFont("MS Sans Serif", 9.75, true));
    cmdHelp = buttons.add("cmdHelp", "&Help");
    cmdExit = buttons.add("cmdExit", "E&xit");

    connectFrameButtons(cmdHelp, cmdExit);
    // The word source cannot change while a word is guessed.
    lockedWhileRunning = {Frame1};
}

void frmSnow::drawScene() {
    // Deep snow under a starry sky; the snowman's parts lie on top as controls.
    picBack->setFillSolid(true);
    picBack->setFillColor(kSnowShade);
    picBack->Circle(600, kGroundTop + 700, 1000, kSnowShade);
    picBack->Circle(3700, kGroundTop + 650, 1050, kSnowShade);
    picBack->Box(0, kGroundTop, kSceneWidth, kSceneHeight, kSnowWhite, true);
    picBack->setFillColor(QColor(0xFF, 0xF0, 0x90));
    const double stars[][2] = {{300, 300},   {900, 660},   {1560, 240},  {2400, 540}, {480, 1500},
                               {3600, 1800}, {1080, 1260}, {2760, 1440}, {240, 2220}, {3900, 2460}};
    for (const auto& s : stars) picBack->Circle(s[0], s[1], 36, QColor(0xFF, 0xF0, 0x90));
    picBack->setFillSolid(false);
}

void frmSnow::Form_Load() {
    seedFromClock();
    Game.Allowed = 0;
    picBack->setBackColor(QBColor(0));
    drawScene();
    HighbingWav = FullPath("highbing.wav");
    UhohWav = FullPath("uhoh.wav");
    DingWav = FullPath("ding.wav");
    // A hand-edited settings file may hold any number here: anything but 0
    // lets the computer choose.
    const int source = gSnowComputerWord == 0 ? 0 : 1;
    optComp[static_cast<std::size_t>(source)]->setValue(true);
    optComp_Click(source);
    cmdEdit->setEnabled(gSnowComputerWord != 0);
    centre();
    lblWord->setCaption("");
    lblleft->setCaption("0");
    if (gWordCount == 0) LoadWordList();
}

void frmSnow::optComp_Click(int Index) {
    if (Index != 0 && Index != 1) return;
    gSnowComputerWord = static_cast<std::int16_t>(Index);
    // The list matters only when the computer chooses.
    cmdEdit->setEnabled(Index != 0);
}

void frmSnow::cmdEdit_Click() { frmEdit::instance().ShowModal(); }

void frmSnow::cmdOK_Click() {
    cmdOK->hide();
    NewWord();
}

void frmSnow::NewWord() {
    beginRunning();
    for (Label* l : lblLetter) l->show();
    lblWord->hide();

    if (gSnowComputerWord == 0) {
        frmInput::instance().ShowModal();
        // The dialog switches to the computer when no word was entered.
        const int source = gSnowComputerWord == 0 ? 0 : 1;
        optComp[static_cast<std::size_t>(source)]->setValue(true);
        optComp_Click(source);
    }
    if (gSnowWord.empty() || gSnowComputerWord == 1) gSnowWord = chooseComputerWord(gWordList, gWordCount);

    Game.newWord(gSnowWord);
    showWord();
    lblWord->show();
    seam().repaintNow(lblWord);
    lblleft->setCaption(QString::fromStdString(Format(Game.Allowed, "#0")));

    imgSun->hide();
    for (Shape* p : shpPuddle) p->hide();
    for (int n = 1; n <= kSnowParts; ++n) setPartVisible(n, true);
}

void frmSnow::showWord() { lblWord->setCaption(QString::fromStdString(Game.Shown)); }

void frmSnow::lblLetter_Click(int Index) {
    const std::vector<SnowStep> steps = Game.pickLetter(Index);
    QString shown = lblWord->caption();
    for (const SnowStep& step : steps) {
        switch (step.kind) {
            case SnowStepKind::Picked:
                lblLetter[static_cast<std::size_t>(Index)]->hide();
                PlaySoundFile(DingWav, 0);
                break;
            case SnowStepKind::Reveal: {
                const auto at = static_cast<std::size_t>(step.position - 1);
                if (at < static_cast<std::size_t>(shown.size()))
                    shown[static_cast<qsizetype>(at)] = QChar(Game.Word[at]);
                lblWord->setCaption(shown);
                seam().repaintNow(lblWord);
                PlaySoundFile(HighbingWav, 0);
                break;
            }
            case SnowStepKind::Win:
                imgSun->hide();
                for (int n = 1; n <= kSnowParts; ++n) setPartVisible(n, true);
                seam().playSound(FullPath("frosty.wav"), false);
                cmdexit_Click();
                break;
            case SnowStepKind::Miss:
                lblleft->setCaption(QString::fromStdString(Format(step.guessesLeft, "#0")));
                MeltStep(step);
                break;
            case SnowStepKind::SunOut:
                imgSun->show();
                break;
            case SnowStepKind::Loss:
                for (Shape* p : shpPuddle) p->show();
                // The melting song holds the window: let the child see the
                // puddles while it plays.
                seam().repaintNow(picBack);
                seam().playSound(FullPath("melting.wav"), true);
                lblWord->setCaption(QString::fromStdString(gSnowWord));
                seam().repaintNow(lblWord);
                cmdexit_Click();
                break;
        }
    }
}

void frmSnow::MeltStep(const SnowStep& miss) {
    PlaySoundFile(UhohWav, 0);
    for (int n : miss.parts) HidePart(n);
}

void frmSnow::HidePart(int n) { setPartVisible(n, false); }

std::vector<QWidget*> frmSnow::partControls(int n) const {
    switch (n) {
        case kSnowBody:
            return {shpBody};
        case kSnowHead:
            return {shpHead};
        case kSnowEyes:
            return {imgEyes};
        case kSnowNose:
            return {imgNose};
        case kSnowMouth:
            return {imgMouth};
        case kSnowButton1:
        case kSnowButton2:
        case kSnowButton3:
            return {imgButton[static_cast<std::size_t>(n - kSnowButton1)]};
        case kSnowHat:
            return {imgHat};
        case kSnowArms:
            return {linLArm[0], linLArm[1], linLArm[2], linRArm[0], linRArm[1], linRArm[2]};
        case kSnowStocking:
            return {imgStocking};
        default:
            return {};
    }
}

void frmSnow::setPartVisible(int n, bool visible) {
    for (QWidget* w : partControls(n)) w->setVisible(visible);
}

bool frmSnow::partVisible(int n) const {
    const std::vector<QWidget*> controls = partControls(n);
    return std::any_of(controls.begin(), controls.end(), [](QWidget* w) { return !w->isHidden(); });
}

void frmSnow::Form_KeyPress(int& KeyAscii) {
    if (KeyAscii >= 'a' && KeyAscii <= 'z') {
        lblLetter_Click(KeyAscii - 97);
        return;
    }
    if (KeyAscii >= 'A' && KeyAscii <= 'Z') {
        lblLetter_Click(KeyAscii - 65);
        return;
    }
    KeyAscii = 0;
    seam().beep();
}

void frmSnow::StopGame() {
    lblWord->setCaption(QString::fromStdString(gSnowWord));
    seam().repaintNow(lblWord);
    Game.stop();
    endRunning();
    cmdOK->show();
    cmdOK->setFocus();
}
