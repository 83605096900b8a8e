#include "platform/forms.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "platform/fonts.h"
#include "platform/real_seam.h"
#include "platform/recording_seam.h"
#include "platform/text.h"

namespace {

class TestWindow : public FormWindow {
public:
    TestWindow() : FormWindow("frmTest", Kind::Game) {
        setCaption("Test");
        setClientSize(3000, 1500);
    }
    QLineEdit* txtBox = nullptr;
    CommandButton* cmdA = nullptr;
    CommandButton* cmdB = nullptr;
    Label* lblMessage = nullptr;
    std::vector<std::string> events;
    int loads = 0;
    int kept = 0;  // a field of the window, not of its controls
    bool swallowLetters = false;

    void Form_KeyDown(int& KeyCode, int) override {
        events.push_back("keydown " + std::to_string(KeyCode));
        if (swallowLetters && KeyCode >= 'A' && KeyCode <= 'Z') KeyCode = 0;
    }
    void Form_KeyPress(int& KeyAscii) override { events.push_back("keypress " + std::to_string(KeyAscii)); }
    void closeRequested() override { events.push_back("close request"); }

protected:
    void createControls() override {
        txtBox = new QLineEdit(form());
        placeTwips(txtBox, 0, 0, 1500, 300);
        cmdA = new CommandButton(form(), "cmdA", "&A");
        cmdB = new CommandButton(form(), "cmdB", "&B");
        placeTwips(cmdA, 0, 400, 900, 400);
        placeTwips(cmdB, 1000, 400, 900, 400);
        lblMessage = new Label(form(), "lblMessage");
        placeTwips(lblMessage, 0, 900, 3000, 500);
    }
    void Form_Load() override { ++loads; }
};

}  // namespace

TEST(Forms, LabelKeepsItsCaptionAndShowsEachLineEndAsOneBreak) {
    TestWindow w;
    w.Load();
    const QString caption = QString("Game Over") + kCR + "You Win!";
    w.lblMessage->setCaption(caption);
    EXPECT_EQ(w.lblMessage->caption(), caption);
    EXPECT_EQ(w.lblMessage->text(), "Game Over\nYou Win!");
    EXPECT_EQ(displayText("a\r\nb\rc\nd"), "a\nb\nc\nd");
    w.Unload();
}

TEST(Forms, LabelShowsWholeLinesBrokenBetweenPhrasesOrShortenedWithAnEllipsis) {
    QWidget window;
    const QFont font = vbFont("Arial", 12, true);
    const QFontMetrics fm(font);
    const QChar ellipsis(0x2026);

    // Room for each phrase of the prompt, with the box's border and margins,
    // but not for the whole line: it breaks after the dash, at its own size.
    Label prompt(&window, "lblPrompt");
    prompt.setFont(font);
    prompt.setBorder(true);
    const int room =
        std::max(fm.horizontalAdvance("Your Turn -"), fm.horizontalAdvance("Click Dreidel")) + 12;
    ASSERT_LT(room, fm.horizontalAdvance("Your Turn - Click Dreidel"));
    prompt.setGeometry(0, 0, room, 200);
    prompt.setCaption(QString(kCR) + "Your Turn - Click Dreidel");
    EXPECT_EQ(prompt.shown().lines, (QStringList{"", "Your Turn -", "Click Dreidel"}));
    EXPECT_EQ(prompt.shown().font, font);

    // A name too long for its one-line box is shortened, not cut.
    Label name(&window, "lblName");
    name.setFont(font);
    name.setGeometry(0, 0, 100, fm.height() + 2);
    name.setCaption(QString(30, 'W'));
    ASSERT_EQ(name.shown().lines.size(), 1);
    EXPECT_TRUE(name.shown().lines[0].endsWith(ellipsis));
    EXPECT_LE(QFontMetrics(name.shown().font).horizontalAdvance(name.shown().lines[0]), 100);

    // Lines the box has no room for are left out; the last whole one says more follows.
    name.setGeometry(0, 0, 100, 2 * fm.lineSpacing());
    name.setCaption(QStringList{"Game Over", "Anna", "Ben", "Carla", "Dan", "Eve", "Fritz", "Gus"}.join(kCR));
    const FittedText& shown = name.shown();
    const QFontMetrics small(shown.font);
    EXPECT_LE((shown.lines.size() - 1) * small.lineSpacing() + small.height(), name.height());
    EXPECT_EQ(shown.lines.front(), "Game Over");
    EXPECT_TRUE(shown.lines.back().endsWith(ellipsis));
}

TEST(Forms, LabelLaysOutANameAsLongAsANameBoxTakesShowingItsStart) {
    // Each of these took the old layout minutes, and every repaint again.
    QWidget window;
    Label message(&window, "lblMessage");
    message.setFont(vbFont("Arial", 12, true));
    message.setBorder(true);
    message.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    message.setGeometry(0, 0, 176, 132);
    const QChar ellipsis(0x2026);
    for (const QString unit :
         {"Maximilian", "Maximilian Alexander Bartholomew ", "Maximilian, Alexander - Bartholomew. "}) {
        QString name;
        while (name.size() < 32767) name += unit;
        name.truncate(32767);
        message.setCaption(QString("Player 1:") + kCR + name + kCR + "Your Turn - Click Dreidel");
        const FittedText& shown = message.shown();
        const QFontMetrics fm(shown.font);
        ASSERT_GE(shown.lines.size(), 2) << unit.toStdString();
        EXPECT_EQ(shown.lines[0], "Player 1:");
        EXPECT_TRUE(shown.lines[1].startsWith("Maxim")) << shown.lines[1].toStdString();
        // What does not fit is cut with an ellipsis: the name itself, or what follows it.
        EXPECT_TRUE(shown.lines[1].endsWith(ellipsis) || shown.lines.back().endsWith(ellipsis))
            << shown.lines.join('|').toStdString();
        EXPECT_LE((shown.lines.size() - 1) * fm.lineSpacing() + fm.height(), message.height());
        for (const QString& line : shown.lines) EXPECT_LE(fm.horizontalAdvance(line), message.width());
    }
}

TEST(Forms, AMessageBoxShowsALongPathWholeBrokenWhereItMust) {
    RealSeam real;
    const QString path = "/home/anna/" + QString("Schneeflocke").repeated(14).left(160) + "/words.txt";
    const QString text = "The word list could not be saved in" + QString(kCR) + path;
    QString shown;
    bool inside = false, whole = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        const auto* label = box->findChild<QLabel*>("qt_msgbox_label");
        shown = label->text();
        inside = box->rect().contains(label->geometry()) &&
                 box->width() <= box->screen()->availableGeometry().width();
        // Laid out at the label's width, every line of the text fits it.
        const QRect needed =
            label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 100000), Qt::TextWordWrap, shown);
        whole = needed.width() <= label->width() && needed.height() <= label->height();
        box->close();
    });
    real.msgBox(text, MsgButtons::OK, MsgIcon::Exclamation, "Quenvale", nullptr);
    EXPECT_EQ(shown.remove(QChar(0x200B)), displayText(text));
    EXPECT_TRUE(inside);
    EXPECT_TRUE(whole);
}

TEST(Forms, SizesAreInTwipsAndUnloadKeepsFieldsButRenewsControls) {
    TestWindow w;
    w.Load();
    EXPECT_EQ(w.form()->size(), QSize(200, 100));
    EXPECT_EQ(w.cmdB->geometry(), QRect(67, 27, 60, 27));
    EXPECT_EQ(w.form()->windowTitle(), "Test");
    w.kept = 42;
    QPointer<QWidget> oldLabel = w.lblMessage;
    w.Unload();
    EXPECT_FALSE(w.isLoaded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(oldLabel.isNull());
    w.Load();
    EXPECT_EQ(w.loads, 2);
    EXPECT_EQ(w.kept, 42);
    EXPECT_TRUE(w.lblMessage->caption().isEmpty());
    w.Unload();
}

TEST(Forms, KeyPreviewSeesKeysBeforeTheFocusedControlAndMaySwallowThem) {
    ScopedRecordingSeam rec;
    TestWindow w;
    w.setKeyPreview(true);
    w.Show();
    QApplication::setActiveWindow(w.form());
    w.txtBox->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), w.txtBox);

    QTest::keyClick(w.txtBox, Qt::Key_A);
    EXPECT_EQ(w.txtBox->text(), "a");
    EXPECT_EQ(w.events, (std::vector<std::string>{"keydown 65", "keypress 97"}));

    w.events.clear();
    w.swallowLetters = true;
    QTest::keyClick(w.txtBox, Qt::Key_B);
    EXPECT_EQ(w.txtBox->text(), "a");
    QTest::keyClick(w.txtBox, Qt::Key_Left);
    EXPECT_EQ(w.events, (std::vector<std::string>{"keydown 66", "keydown 37"}));

    w.setKeyPreview(false);
    w.events.clear();
    QTest::keyClick(w.txtBox, Qt::Key_C);
    EXPECT_TRUE(w.events.empty());
    EXPECT_EQ(w.txtBox->text(), "ca");
    w.Unload();
}

TEST(Forms, F1OpensHelpAtTheWindowsNumberOrTheContents) {
    ScopedRecordingSeam rec;
    TestWindow w;
    w.setHelpContextID(13);
    w.Show();
    QApplication::setActiveWindow(w.form());
    w.cmdA->setFocus();
    QTest::keyClick(w.cmdA, Qt::Key_F1);
    w.setHelpContextID(0);
    QTest::keyClick(w.cmdA, Qt::Key_F1);
    EXPECT_EQ(rec->log, (std::vector<std::string>{"help 13", "help contents"}));
    w.Unload();
}

TEST(Forms, CloseRequestGoesToTheWindowNotStraightToUnload) {
    TestWindow w;
    w.Show();
    QCloseEvent e;
    QApplication::sendEvent(w.form(), &e);
    EXPECT_FALSE(e.isAccepted());
    EXPECT_TRUE(w.isLoaded());
    EXPECT_EQ(w.events, (std::vector<std::string>{"close request"}));
    w.Unload();
}

TEST(Forms, KeyChangedByTheWindowReachesTheControlOnceAsChanged) {
    ScopedRecordingSeam rec;
    class UpperCasing : public TestWindow {
    public:
        void Form_KeyPress(int& KeyAscii) override {
            TestWindow::Form_KeyPress(KeyAscii);
            if (KeyAscii >= 'a' && KeyAscii <= 'z') KeyAscii -= 32;
        }
    } w;
    w.setKeyPreview(true);
    w.Show();
    QApplication::setActiveWindow(w.form());
    w.txtBox->setFocus();
    QTest::keyClick(w.txtBox, Qt::Key_A);
    EXPECT_EQ(w.txtBox->text(), "A");
    EXPECT_EQ(w.events, (std::vector<std::string>{"keydown 65", "keypress 97"}));
    // Keys that type nothing never reach the key-press handler.
    w.events.clear();
    QTest::keyClick(w.txtBox, Qt::Key_Delete);
    QTest::keyClick(w.txtBox, Qt::Key_Tab);
    EXPECT_EQ(w.events, (std::vector<std::string>{"keydown 46", "keydown 9"}));
    w.Unload();
}

TEST(Forms, EnterClicksTheFocusedButton) {
    TestWindow w;
    w.Show();
    QApplication::setActiveWindow(w.form());
    int clicks = 0;
    w.cmdA->onClick([&] { ++clicks; });
    w.cmdA->setFocus();
    QTest::keyClick(w.cmdA, Qt::Key_Return);
    QTest::keyClick(w.cmdA, Qt::Key_Enter);
    QTest::keyClick(w.cmdA, Qt::Key_Space);
    EXPECT_EQ(clicks, 3);
    Button3D b(w.form(), "cmd3D", "&Go");
    int clicks3D = 0;
    b.onClick([&] { ++clicks3D; });
    b.show();
    b.setFocus();
    QTest::keyClick(&b, Qt::Key_Return);
    EXPECT_EQ(clicks3D, 1);
    w.Unload();
}
