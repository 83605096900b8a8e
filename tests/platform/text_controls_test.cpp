#include "platform/text_controls.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWidget>
#include <memory>

#include "platform/fonts.h"
#include "platform/forms.h"
#include "platform/recording_seam.h"

namespace {

QStringList entries(const ListBox& list) {
    QStringList out;
    for (int i = 0; i < list.ListCount(); ++i) out << list.List(i);
    return out;
}

}  // namespace

TEST(TextBoxTest, KeyHandlerRefusesChangesOrPassesEachTypedCharacter) {
    ScopedRecordingSeam rec;
    QWidget window;
    auto* box = new TextBox(&window, "txtTest");
    std::vector<int> seen;
    box->onKeyPress([&](int& KeyAscii) {
        seen.push_back(KeyAscii);
        if (KeyAscii >= 'a' && KeyAscii <= 'z')
            KeyAscii -= 32;
        else if (KeyAscii == '7')
            KeyAscii = 0;
    });
    QTest::keyClicks(box, "q7B");
    EXPECT_EQ(box->Text(), "QB");
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->Text(), "Q");
    EXPECT_EQ(seen, (std::vector<int>{'q', '7', 'B', 8}));
}

TEST(TextBoxTest, ABoxNotBeingTypedInShowsALongNameFromItsFirstLetter) {
    QWidget window;
    auto* box = new TextBox(&window, "txtName");
    box->setGeometry(0, 0, 80, 25);
    box->setAlignment(Qt::AlignCenter);
    auto* other = new QPushButton("OK", &window);
    other->setGeometry(0, 30, 80, 25);
    window.show();
    QApplication::setActiveWindow(&window);
    other->setFocus();
    const QString name = "Maximilian Alexander Bartholomew";
    ASSERT_GT(box->fontMetrics().horizontalAdvance(name), box->width());

    box->setText(name);
    EXPECT_EQ(box->cursorPosition(), 0);
    // Given the focus, typing goes on after the name; once the focus leaves,
    // the name shows from its start again.
    box->setFocus();
    QTest::keyClicks(box, "s");
    EXPECT_EQ(box->Text(), name + "s");
    other->setFocus();
    ASSERT_FALSE(box->hasFocus());
    EXPECT_EQ(box->cursorPosition(), 0);
    // Tabbed into, the whole name is chosen, to be typed over.
    box->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(box->selectedText(), name + "s");
}

TEST(TextBoxTest, MaxLengthStopsTypingAndPasting) {
    QWidget window;
    auto* box = new TextBox(&window, "txtTest");
    box->setMaxLength(5);
    QTest::keyClicks(box, "ABCDEFG");
    EXPECT_EQ(box->Text(), "ABCDE");
    box->clear();
    box->insert("LONGERTHANFIVE");
    EXPECT_EQ(box->Text(), "LONGE");
}

TEST(TextBoxTest, PastedTextPassesTheInputFilterAndDroppedCharactersBeepOnce) {
    ScopedRecordingSeam rec;
    QWidget window;
    auto* box = new TextBox(&window, "txtTest");
    box->setInputFilter([](const QString& s) {
        QString out;
        for (QChar c : s)
            if (c.isLetter()) out += c.toUpper();
        return out;
    });
    box->insert("ice cream");
    EXPECT_EQ(box->Text(), "ICECREAM");
    EXPECT_EQ(rec->log, (std::vector<std::string>{"beep"}));
    rec->take();

    // Changing letters alone is no refusal, and nothing more beeps afterwards.
    box->clear();
    QApplication::clipboard()->setText("snow");
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), "SNOW");
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->Text(), "SNO");
    EXPECT_TRUE(rec->log.empty());
}

TEST(ListBoxTest, SortedListInsertsInOrderAndKeepsReplacedEntriesInPlace) {
    QWidget window;
    ListBox list(&window, "lstTest");
    list.setSorted(true);
    EXPECT_EQ(list.AddItem("STAR"), 0);
    EXPECT_EQ(list.AddItem("BELL"), 0);
    EXPECT_EQ(list.AddItem("holly"), 1);  // sorted ignoring case
    EXPECT_EQ(list.AddItem("BELL"), 1);   // after the equal entry already there
    EXPECT_EQ(entries(list), (QStringList{"BELL", "BELL", "holly", "STAR"}));

    list.setList(0, "TREE");
    EXPECT_EQ(entries(list), (QStringList{"TREE", "BELL", "holly", "STAR"}));
    // An explicit index wins over the order.
    EXPECT_EQ(list.AddItem("ZEBRA", 0), 0);
    EXPECT_EQ(list.List(0), "ZEBRA");
    EXPECT_EQ(list.List(99), "");

    ListBox plain(&window, "lstPlain");
    plain.AddItem("B");
    plain.AddItem("A");
    EXPECT_EQ(entries(plain), (QStringList{"B", "A"}));
}

TEST(ListBoxTest, SelectionFollowsItsEntryAndRemovingTheSelectedOneLeavesNone) {
    QWidget window;
    ListBox list(&window, "lstTest");
    list.setSorted(true);
    int clicks = 0;
    list.onClick([&] { ++clicks; });
    for (const char* w : {"BELL", "HOLLY", "STAR"}) list.AddItem(w);
    EXPECT_EQ(list.ListIndex(), -1);
    list.setListIndex(1);
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(clicks, 1);

    // An entry added in front moves the selection along with its entry.
    list.AddItem("ANGEL");
    EXPECT_EQ(list.ListIndex(), 2);
    EXPECT_EQ(list.List(list.ListIndex()), "HOLLY");

    // Removing another entry keeps the selection on its entry.
    list.RemoveItem(0);
    EXPECT_EQ(list.List(list.ListIndex()), "HOLLY");

    list.RemoveItem(list.ListIndex());
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(entries(list), (QStringList{"BELL", "STAR"}));

    list.setListIndex(0);
    list.setListIndex(-1);
    EXPECT_EQ(list.ListIndex(), -1);
    list.setListIndex(5);
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST(ListBoxTest, ShowsWholeRowsAndItsWidestEntryWithoutAHorizontalScrollBar) {
    QWidget window;
    window.resize(300, 300);
    ListBox list(&window, "lstTest");
    list.setFont(vbFont("MS Sans Serif", 12));
    list.setGeometry(10, 10, 185, 264);
    list.setWidestEntry(QString(15, 'W'));
    for (int i = 0; i < 40; ++i) list.AddItem(QString(15, 'W'));
    window.show();
    QApplication::processEvents();

    const int row = list.sizeHintForRow(0);
    const int inside = list.height() - 2 * list.frameWidth();
    EXPECT_EQ(inside % row, 0);
    EXPECT_GT(list.height(), 264 - row);
    EXPECT_LE(list.height(), 264);
    EXPECT_TRUE(list.verticalScrollBar()->isVisible());
    EXPECT_FALSE(list.horizontalScrollBar()->isVisible());
}

TEST(DialogKeysTest, EnterClicksTheDefaultButtonAndEscapeTheCancelButtonWhenUsable) {
    QWidget window;
    auto* box = new TextBox(&window, "txtTest");
    auto* ok = new QPushButton("OK", &window);
    auto* other = new QPushButton("Other", &window);
    auto* cancel = new QPushButton("Cancel", &window);
    int okClicks = 0, otherClicks = 0, cancelClicks = 0;
    QObject::connect(ok, &QPushButton::clicked, [&] { ++okClicks; });
    QObject::connect(other, &QPushButton::clicked, [&] { ++otherClicks; });
    QObject::connect(cancel, &QPushButton::clicked, [&] { ++cancelClicks; });
    setDefaultButton(&window, ok);
    setCancelButton(&window, cancel);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(cancelClicks, 1);

    // A focused button takes the Enter itself.
    other->setFocus();
    QTest::keyClick(other, Qt::Key_Return);
    EXPECT_EQ(otherClicks, 1);
    EXPECT_EQ(okClicks, 1);

    // A disabled or hidden button is not clicked.
    box->setFocus();
    ok->setEnabled(false);
    cancel->hide();
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(cancelClicks, 1);

    // A key the text box's handler took never reaches the window.
    ok->setEnabled(true);
    int seen = 0;
    box->onKeyPress([&](int& KeyAscii) {
        if (KeyAscii == 13) {
            ++seen;
            KeyAscii = 0;
        }
    });
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(okClicks, 1);
}

TEST(LoadLabelTest, NewElementLooksLikeTheTemplateAndStartsHidden) {
    QWidget window;
    Label templ(&window, "lblCell_0", "?");
    templ.setGeometry(10, 20, 25, 25);
    templ.setFont(QFont("Liberation Mono", 21, QFont::Bold));
    templ.setForeColor(Qt::red);
    templ.setBackColor(Qt::white);
    templ.setBorder(true);
    templ.setAlignment(Qt::AlignCenter);
    window.show();

    std::unique_ptr<Label> copy(loadLabel(templ, "lblCell_1"));
    EXPECT_EQ(copy->parentWidget(), &window);
    EXPECT_EQ(copy->objectName(), "lblCell_1");
    EXPECT_EQ(copy->geometry(), templ.geometry());
    EXPECT_EQ(copy->caption(), "?");
    EXPECT_EQ(copy->font(), templ.font());
    EXPECT_EQ(copy->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(copy->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(copy->frameStyle(), templ.frameStyle());
    EXPECT_EQ(copy->alignment(), Qt::AlignCenter);
    EXPECT_FALSE(copy->isVisible());
    EXPECT_TRUE(copy->autoFillBackground());
}
