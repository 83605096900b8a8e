#include "boardgames/frmRudolph.h"

#include <QCoreApplication>
#include <QPainter>
#include <QResizeEvent>
#include <vector>

#include "boardgames/optRudolph.h"
#include "launcher/shared_routines.h"
#include "platform/button_column.h"
#include "platform/fonts.h"
#include "platform/seam.h"
#include "platform/units.h"
#include "platform/vbmath.h"

namespace {

constexpr double kDoorWidth = 1572;
constexpr double kDoorHeight = 1452;

// The stall colour behind a reindeer whose picture is missing.
const QColor kStall(0xF6, 0xDC, 0x9A);

// Rendered finer than the door, so the picture stays crisp on a scaled screen.
constexpr int kPictureDetail = 2;

std::string assetPath(const std::string& name) { return FullPath(name); }

std::string reindeerPicture(int r) {
    QString name = QString::fromUtf8(kReindeerNames[static_cast<std::size_t>(r)]).toLower();
    return "rudolph_" + name.toStdString() + ".svg";
}

}  // namespace

frmRudolph::frmRudolph() : GameWindow(kSpec, &optRudolph::instance()) {}

frmRudolph& frmRudolph::instance() {
    static frmRudolph window;
    return window;
}

void frmRudolph::createControls() {
    Form* f = form();

    picBack = new PictureBox(f, "picBack");
    placeTwips(picBack, 0, 0, 5295, 6495);
    picBack->setBackColor(QBColor(2));

    const QFont nameFont = vbFont("Comic Sans MS", 12, true);
    for (int d = 1; d <= kRudolphDoors; ++d) {
        const double left = 120 + 1680 * ((d - 1) % 3);
        const double top = 240 + 2040 * ((d - 1) / 3);
        auto* door = new PictureBox(picBack, QString("picHidden_%1").arg(d));
        placeTwips(door, left, top, kDoorWidth, kDoorHeight);
        door->setBackColor(kStall);
        door->onClick = [this, d] { picHidden_Click(d); };
        picHidden[static_cast<std::size_t>(d)] = door;

        auto* name = new Label(picBack, QString("lblName_%1").arg(d));
        placeTwips(name, left, top + 1440, 1575, 495);
        name->setFont(nameFont);
        name->setForeColor(QBColor(4));
        name->setBackColor(QBColor(15));
        name->setBorder(true);
        name->setAlignment(Qt::AlignCenter);
        name->hide();
        lblName[static_cast<std::size_t>(d)] = name;
    }

    // A candy-stripe frame around the question, made before it so it lies behind.
    for (int i = 0; i < 4; ++i) {
        const double out = 60.0 * (i + 1);
        auto* s = new Shape(f, QString("Shape1_%1").arg(i), Shape::RoundedRectangle);
        placeTwips(s, 6000 - out, 240 - out, 1815 + 2 * out, 1455 + 2 * out);
        s->setBorderColor(i % 2 == 0 ? QBColor(12) : QBColor(15));
        s->setBorderWidth(4);
        Shape1[static_cast<std::size_t>(i)] = s;
    }

    picDisplay = new PictureBox(f, "picDisplay");
    placeTwips(picDisplay, 6000, 240, 1815, 1455);
    picDisplay->setBackColor(QBColor(15));
    picDisplay->setForeColor(QBColor(1));
    picDisplay->setTextFont(vbFont("Comic Sans MS", 16, true));

    Frame1 = new Frame(f, "Frame1", QString());
    placeTwips(Frame1, 5520, 2040, 2535, 855);
    Label1 = new Label(Frame1, "Label1", "Guesses");
    placeTwips(Label1, 120, 240, 1215, 435);
    Label1->setFont(vbFont("Comic Sans MS", 12, true));
    Label1->setTransparent(true);
    Label1->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    lblGuess = new Label(Frame1, "lblGuess", "0");
    placeTwips(lblGuess, 1440, 165, 960, 585);
    lblGuess->setFont(vbFont("Arial", 20, true));
    lblGuess->setForeColor(QBColor(1));
    lblGuess->setBackColor(QBColor(15));
    lblGuess->setBorder(true);
    lblGuess->setAlignment(Qt::AlignCenter);

    Image1 = new ImageBox(f, "Image1");
    placeTwips(Image1, 7080, 3000, 975, 1035);
    Image1->setPictureFile(assetPath("rudolph_holly.svg"));

    imgElf = new ImageBox(f, "imgElf");
    placeTwips(imgElf, 5640, 2970, 1155, 1155);
    imgElf->setPictureFile(assetPath("rudolph_elf.svg"));
    imgElf->hide();

    const QFont buttonFont = vbFont("MS Sans Serif", 9.75, true);
    cmdClose = new Button3D(f, "cmdClose", "&Close Doors");
    placeTwips(cmdClose, 5520, 3300, 1455, 495);
    cmdClose->setFont(buttonFont);
    cmdClose->onClick([this] { cmdClose_Click(); });
    cmdClose->hide();

    fraChoice = new Frame(f, "fraChoice", QString());
    placeTwips(fraChoice, 5520, 4200, 2535, 2160);
    ButtonColumn buttons(fraChoice, 180, 180, 2175, 420, 0, 495, buttonFont);
    cmdNew = buttons.add("cmdNew", "&New Game");
    cmdOptions = buttons.add("cmdOptions", "&Options");
    cmdHelp = buttons.add("cmdHelp", "&Help");
    cmdExit = buttons.add("cmdExit", "E&xit");
    cmdNew->onClick([this] { cmdNew_Click(); });

    connectFrameButtons(cmdHelp, cmdExit, cmdOptions);
    lockedWhileRunning = {cmdNew, cmdOptions};
}

void frmRudolph::Form_Load() {
    seedFromClock();
    UhOhSound = FullPath("uhoh.wav");
    for (std::size_t p = 0; p < Praise.size(); ++p) Praise[p] = FullPath(kRudolphPraise[p]);
    for (int r = 1; r <= kRudolphDoors; ++r)
        NameSound[static_cast<std::size_t>(r)] = FullPath(kReindeerSounds[r]);
    centre();
    loadOptions();
    for (int r = 1; r <= kRudolphDoors; ++r) Names[static_cast<std::size_t>(r)] = kReindeerNames[r];
    rules_.GameOn = 0;
    rules_.Peeking = 0;

    const QSize detail(twipsToPixels(kDoorWidth) * kPictureDetail,
                       twipsToPixels(kDoorHeight) * kPictureDetail);
    for (int r = 1; r <= kRudolphDoors; ++r)
        picChoice[static_cast<std::size_t>(r)] =
            renderSvgImage(assetPath(reindeerPicture(r)), detail, kStall);

    // Until the first game the barn stands with all its doors shut.
    for (int d = 1; d <= kRudolphDoors; ++d) {
        CloseDoor(d);
    }
}

void frmRudolph::cmdNew_Click() {
    rules_.newGame(optRudolph::stored());
    beginRunning();
    picDisplay->setBackColor(QBColor(15));
    for (int d = 1; d <= kRudolphDoors; ++d) {
        PictureBox* door = picHidden[static_cast<std::size_t>(d)];
        lblName[static_cast<std::size_t>(d)]->hide();
        door->hide();
        door->setPicture(std::nullopt);
    }
    for (int d = 1; d <= rules_.Count; ++d) {
        picHidden[static_cast<std::size_t>(d)]->show();
        CloseDoor(d);
    }
    picDisplay->Cls();
    lblGuess->setCaption("0");
    if (rules_.Peeking == 1) {
        ShowAll(rules_.Count);
        return;
    }
    Next_One(rules_.DoorsLeft);
}

void frmRudolph::cmdClose_Click() {
    if (rules_.Peeking == 0) return;
    rules_.closeDoors();
    for (int d = 1; d <= rules_.Count; ++d) {
        lblName[static_cast<std::size_t>(d)]->hide();
        CloseDoor(d);
    }
    cmdClose->hide();
    Next_One(rules_.DoorsLeft);
}

void frmRudolph::Next_One(int N) { AskFor(rules_.Next_One(N)); }

void frmRudolph::showLines(const QString& first, const QString& second) {
    picDisplay->Cls();
    picDisplay->currentY = 0.2 * picDisplay->scaleHeight();
    for (const QString& line : {first, second}) {
        picDisplay->currentX = (picDisplay->scaleWidth() - picDisplay->textWidth(line)) * 0.5;
        picDisplay->Print(line);
    }
}

void frmRudolph::AskFor(int r) {
    showLines("Where's", QString::fromStdString(Names[static_cast<std::size_t>(r)]) + "?");
    seam().repaintNow(picDisplay);
    Delay(0.5);
    PlaySoundFile(NameSound[static_cast<std::size_t>(r)], 1);
}

void frmRudolph::picHidden_Click(int Index) {
    const DoorClick click = rules_.pickDoor(Index);
    if (click.outcome == DoorOutcome::Ignored) return;

    lblGuess->setCaption(QString::fromStdString(Format(rules_.Guesses, "##")));
    seam().repaintNow(lblGuess);
    ShowReindeer(picHidden[static_cast<std::size_t>(Index)], rules_.Order[Index], Index);
    Delay(1);

    if (click.outcome == DoorOutcome::Wrong) {
        imgElf->show();
        seam().repaintNow(imgElf);
        PlaySoundFile(UhOhSound, 0);
        CloseDoor(Index);
        lblName[static_cast<std::size_t>(Index)]->hide();
        seam().repaintNow(picBack);
        imgElf->hide();
        // The elf stands outside the barn, so it is wiped off here, or it would
        // stay in view through the pause before the next question.
        seam().repaintNow(form());
        Next_One(rules_.DoorsLeft);
        return;
    }

    PlaySoundFile(Praise[static_cast<std::size_t>(click.praise)], 0);
    if (click.outcome == DoorOutcome::LastFound) {
        cmdexit_Click();
        seam().playSound(FullPath("rudsong.wav"), true);
        return;
    }
    Next_One(rules_.DoorsLeft);
}

void frmRudolph::ShowReindeer(PictureBox* box, int r, int d) {
    box->setPicture(std::nullopt);
    const QImage& picture = picChoice[static_cast<std::size_t>(r)];
    if (!picture.isNull()) box->PaintPicture(picture, 0, 0, box->scaleWidth(), box->scaleHeight());
    // The door is seen open through the pause that follows.
    seam().repaintNow(box);
    Label* name = lblName[static_cast<std::size_t>(d)];
    name->setCaption(QString::fromStdString(Names[static_cast<std::size_t>(rules_.Order[d])]));
    name->show();
    seam().repaintNow(name);
}

void frmRudolph::ShowAll(int n) {
    for (int d = 1; d <= n; ++d) ShowReindeer(picHidden[static_cast<std::size_t>(d)], rules_.Order[d], d);
    cmdClose->show();
    cmdClose->setFocus();
}

void frmRudolph::CloseDoor(int d) {
    PictureBox* door = picHidden[static_cast<std::size_t>(d)];
    door->setPicture(std::nullopt);
    door->setScaleMode(PictureBox::Pixels);
    door->setForeColor(QBColor(0));
    door->setFillColor(QBColor(14));
    door->setFillSolid(true);
    const int w = CInt(door->scaleWidth());
    const int h = CInt(door->scaleHeight());

    door->Box(0, 0, w, h);
    door->setFillColor(QBColor(6));
    door->Box(0, 0, w, 0.1 * h);
    door->Box(0, 0.9 * h, w, h);
    door->Box(0, 0.1 * h, 0.1 * w, 0.9 * h);
    door->Box(0.9 * w, 0.1 * h, w, 0.9 * h);

    auto at = [w, h](double fx, double fy) { return QPointF(CInt(fx * w), CInt(fy * h)); };
    door->Polygon(std::vector<QPointF>{at(0.1, 0.18), at(0.1, 0.1), at(0.18, 0.1), at(0.9, 0.82),
                                       at(0.9, 0.9), at(0.82, 0.9)});
    door->Polygon(std::vector<QPointF>{at(0.1, 0.82), at(0.1, 0.9), at(0.18, 0.9), at(0.9, 0.18),
                                       at(0.9, 0.1), at(0.82, 0.1)});

    door->setFillSolid(false);
    door->setScaleMode(PictureBox::Twips);
    seam().repaintNow(door);
}

void frmRudolph::StopGame() {
    rules_.endGame();
    cmdClose->hide();
    endRunning();
    picDisplay->setPicture(std::nullopt);
    picDisplay->setBackColor(QBColor(15));
    showLines("Game", "Over");
    // Seen at once: a won game goes straight on into the closing song.
    seam().repaintNow(picDisplay);
}
