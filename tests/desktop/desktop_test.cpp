// The real platform layer on a real X display (a virtual one, started by the
// test command), with input and window-manager messages sent the way a desktop
// sends them.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/lost_focus.h"
#include "platform/real_seam.h"
#include "platform/text_controls.h"

namespace {

class TwoButtons : public FormWindow {
public:
    TwoButtons() : FormWindow("frmTwoButtons", Kind::Game) {
        setCaption("Two buttons");
        setClientSize(3000, 1500);
    }
    CommandButton* cmdA = nullptr;
    CommandButton* cmdB = nullptr;
    CommandButton* cmdC = nullptr;
    std::function<void(int)> keyDown;

    void Form_KeyDown(int& KeyCode, int) override {
        if (keyDown) keyDown(KeyCode);
    }

protected:
    void createControls() override {
        cmdA = new CommandButton(form(), "cmdA", "&A");
        cmdB = new CommandButton(form(), "cmdB", "&B");
        cmdC = new CommandButton(form(), "cmdC", "&C");
        placeTwips(cmdA, 0, 0, 900, 400);
        placeTwips(cmdB, 1000, 0, 900, 400);
        placeTwips(cmdC, 2000, 0, 900, 400);
    }
};

// An options dialog: an option, then OK, which hides it.
class OptionsDialog : public FormWindow {
public:
    OptionsDialog() : FormWindow("optTwoButtons", Kind::Dialog) {
        setCaption("Options");
        setClientSize(2400, 1200);
    }
    OptionButton* optA = nullptr;
    CommandButton* cmdOK = nullptr;

protected:
    void createControls() override {
        optA = new OptionButton(form(), "optA", "&A");
        cmdOK = new CommandButton(form(), "cmdOK", "&OK");
        placeTwips(optA, 100, 100, 1200, 300);
        placeTwips(cmdOK, 100, 600, 900, 400);
        cmdOK->onClick([this] { Hide(); });
        optA->setFocus();
    }
};

// A box to type a word in, beside a button that is off while the word is
// typed, one that is on, and one that a number key stands for.
class WordBox : public FormWindow {
public:
    WordBox() : FormWindow("frmWordBox", Kind::Dialog) {
        setCaption("Word");
        setClientSize(4000, 1500);
        setKeyPreview(true);
    }
    TextBox* txtWord = nullptr;
    CommandButton* cmdWait = nullptr;
    CommandButton* cmdBell = nullptr;
    CommandButton* cmdExit = nullptr;
    CommandButton* cmdTwo = nullptr;
    std::vector<std::string> order;

    void Form_KeyPress(int& KeyAscii) override {
        if (KeyAscii != '2') return;
        order.push_back("2");
        KeyAscii = 0;
    }

protected:
    void createControls() override {
        txtWord = new TextBox(form(), "txtWord");
        cmdWait = new CommandButton(form(), "cmdWait", "&Wait");
        cmdBell = new CommandButton(form(), "cmdBell", "&Bell");
        cmdExit = new CommandButton(form(), "cmdExit", "E&xit");
        cmdTwo = new CommandButton(form(), "cmdTwo", "2");
        placeTwips(txtWord, 100, 100, 3000, 400);
        placeTwips(cmdWait, 100, 700, 900, 400);
        placeTwips(cmdBell, 1100, 700, 900, 400);
        placeTwips(cmdExit, 2100, 700, 900, 400);
        placeTwips(cmdTwo, 3100, 700, 400, 400);
        keyStandsFor(cmdTwo, '2');
        cmdBell->onClick([this] { order.push_back("Bell"); });
        onLostFocus(txtWord, [this] { order.push_back("word left"); });
        cmdExit->onClick([this] { order.push_back("Exit"); });
        cmdExit->setEnabled(false);
    }
};

// Another client of the display, standing in for the keyboard and the window
// manager.
class Desktop {
public:
    Desktop() : c_(xcb_connect(nullptr, nullptr)) {
        root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
        // Qt sends its answers to pings to the root window, for its structure.
        const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(c_, root_, XCB_CW_EVENT_MASK, &mask);
        protocols_ = atom("WM_PROTOCOLS");
        ping_ = atom("_NET_WM_PING");
    }
    ~Desktop() { xcb_disconnect(c_); }

    static constexpr xcb_keycode_t kSpace = 65, kTab = 23, kReturn = 36, kRight = 114, kAlt = 64, kB = 56,
                                   kQ = 24, kX = 53, k2 = 11;

    // One key going down or up at a moment of the server's clock, with the
    // modifiers held then.
    void key(xcb_window_t window, xcb_keycode_t key, bool down, xcb_timestamp_t time,
             std::uint16_t state = 0) {
        xcb_key_press_event_t e;
        std::memset(&e, 0, sizeof e);
        e.response_type = down ? XCB_KEY_PRESS : XCB_KEY_RELEASE;
        e.detail = key;
        e.time = time;
        e.root = root_;
        e.event = window;
        e.state = state;
        e.same_screen = 1;
        xcb_send_event(c_, 0, window, down ? XCB_EVENT_MASK_KEY_PRESS : XCB_EVENT_MASK_KEY_RELEASE,
                       reinterpret_cast<const char*>(&e));
        xcb_flush(c_);
    }

    // A key held down from one moment to another, repeated as X repeats it: a
    // release and a press at the same moment, 25 times a second after 660 ms.
    void hold(xcb_window_t window, xcb_keycode_t k, xcb_timestamp_t from, xcb_timestamp_t to) {
        key(window, k, true, from);
        for (xcb_timestamp_t t = from + 660; t < to; t += 40) {
            key(window, k, false, t);
            key(window, k, true, t);
        }
        key(window, k, false, to);
    }

    // Alt with a letter, as typed.
    void alt(xcb_window_t window, xcb_keycode_t letter, xcb_timestamp_t time) {
        key(window, kAlt, true, time);
        key(window, letter, true, time + 10, XCB_MOD_MASK_1);
        key(window, letter, false, time + 20, XCB_MOD_MASK_1);
        key(window, kAlt, false, time + 30, XCB_MOD_MASK_1);
    }

    void pressSpace(xcb_window_t window) { pressKey(window, kSpace); }

    void pressKey(xcb_window_t window, xcb_keycode_t key) {
        for (auto type : {XCB_KEY_PRESS, XCB_KEY_RELEASE}) {
            xcb_key_press_event_t e;
            std::memset(&e, 0, sizeof e);
            e.response_type = static_cast<std::uint8_t>(type);
            e.detail = key;
            e.root = root_;
            e.event = window;
            e.same_screen = 1;
            const std::uint32_t sent = type == XCB_KEY_PRESS ? std::uint32_t{XCB_EVENT_MASK_KEY_PRESS}
                                                             : std::uint32_t{XCB_EVENT_MASK_KEY_RELEASE};
            xcb_send_event(c_, 0, window, sent, reinterpret_cast<const char*>(&e));
        }
        xcb_flush(c_);
    }

    // A left click at a point of the window, in its own pixels.
    void click(xcb_window_t window, QPoint at, QPoint onScreen) {
        for (auto type : {XCB_BUTTON_PRESS, XCB_BUTTON_RELEASE}) {
            xcb_button_press_event_t e;
            std::memset(&e, 0, sizeof e);
            e.response_type = static_cast<std::uint8_t>(type);
            e.detail = 1;
            e.root = root_;
            e.event = window;
            e.event_x = static_cast<std::int16_t>(at.x());
            e.event_y = static_cast<std::int16_t>(at.y());
            e.root_x = static_cast<std::int16_t>(onScreen.x());
            e.root_y = static_cast<std::int16_t>(onScreen.y());
            e.state = type == XCB_BUTTON_PRESS ? 0 : XCB_BUTTON_MASK_1;
            e.same_screen = 1;
            // Sent to the client that made the window, whatever it listens to.
            xcb_send_event(c_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&e));
        }
        xcb_flush(c_);
    }

    void ping(xcb_window_t window, std::uint32_t stamp) {
        xcb_client_message_event_t e;
        std::memset(&e, 0, sizeof e);
        e.response_type = XCB_CLIENT_MESSAGE;
        e.format = 32;
        e.window = window;
        e.type = protocols_;
        e.data.data32[0] = ping_;
        e.data.data32[1] = stamp;
        e.data.data32[2] = window;
        xcb_send_event(c_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&e));
        xcb_flush(c_);
    }

    // The window that has the keyboard, where the keyboard's keys go.
    xcb_window_t focus() {
        xcb_get_input_focus_reply_t* reply = xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr);
        const xcb_window_t f = reply ? reply->focus : xcb_window_t{XCB_WINDOW_NONE};
        std::free(reply);
        return f;
    }

    // Takes a window off the screen and brings it back, as a window manager
    // does when it minimises a window and restores it.
    void unmap(xcb_window_t window) {
        xcb_unmap_window(c_, window);
        xcb_flush(c_);
    }
    void map(xcb_window_t window) {
        xcb_map_window(c_, window);
        xcb_flush(c_);
    }

    // Gives the keyboard to a window, as a window manager does when it is clicked.
    void giveFocus(xcb_window_t window) {
        xcb_set_input_focus(c_, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
        xcb_flush(c_);
    }

    // Whether the answer to that ping has come, without waiting for it.
    bool answered(std::uint32_t stamp) {
        while (xcb_generic_event_t* e = xcb_poll_for_event(c_)) {
            auto* m = reinterpret_cast<xcb_client_message_event_t*>(e);
            const bool match = (e->response_type & 0x7f) == XCB_CLIENT_MESSAGE && m->type == protocols_ &&
                               m->data.data32[0] == ping_ && m->data.data32[1] == stamp;
            std::free(e);
            if (match) return true;
        }
        return false;
    }

private:
    xcb_atom_t atom(const char* name) {
        auto cookie = xcb_intern_atom(c_, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c_, cookie, nullptr);
        const xcb_atom_t a = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return a;
    }

    xcb_connection_t* c_;
    xcb_window_t root_ = 0;
    xcb_atom_t protocols_ = XCB_ATOM_NONE, ping_ = XCB_ATOM_NONE;
};

// The real platform, with another client of the display beside it.
class OnTheDesktop : public ::testing::Test {
protected:
    OnTheDesktop() { setSeam(&real_); }
    ~OnTheDesktop() override { setSeam(nullptr); }

    // Shows the window and waits until it has the keyboard.
    static xcb_window_t shown(FormWindow& w) {
        w.Show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.form()));
        return static_cast<xcb_window_t>(w.form()->winId());
    }

    RealSeam real_;
    Desktop desktop;
};

}  // namespace

TEST_F(OnTheDesktop, AWaitAnswersTheWindowManagerButHoldsKeysAndTimerTicksUntilItEnds) {
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    TwoButtons w;
    const xcb_window_t window = shown(w);
    w.cmdB->setFocus();

    std::vector<std::string> order;
    int ticks = 0, ticksDuringWait = -1;
    bool answeredDuringWait = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    w.cmdB->onClick([&] { order.push_back("B"); });
    w.cmdA->onClick([&] {
        order.push_back("A start");
        const int ticksBefore = ticks;
        // The child presses Space on B while the pause runs; the window
        // manager asks whether the window is still alive.
        desktop.pressSpace(window);
        desktop.ping(window, 4242);
        seam().delay(1.0);
        answeredDuringWait = desktop.answered(4242);
        ticksDuringWait = ticks - ticksBefore;
        order.push_back("A end");
    });
    w.cmdA->click();
    EXPECT_TRUE(answeredDuringWait);
    EXPECT_EQ(ticksDuringWait, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return order.size() == 3; }, 2000));
    EXPECT_EQ(order, (std::vector<std::string>{"A start", "A end", "B"}));
    EXPECT_GT(ticks, 0);
    w.Unload();
}

TEST_F(OnTheDesktop, AClickDuringAWaitIsJudgedAsTheWindowStoodWhenItWasMade) {
    TwoButtons w;
    const xcb_window_t window = shown(w);
    const auto clickOn = [&](QWidget* control) {
        const QPoint at = control->geometry().center();
        desktop.click(window, at, w.form()->mapToGlobal(at));
    };

    // As at the end of a game: the start button is disabled while the game's
    // last sound plays, and another button comes back where the bare window was.
    w.cmdB->setEnabled(false);
    w.cmdC->hide();
    std::vector<std::string> order;
    w.cmdB->onClick([&] { order.push_back("B"); });
    w.cmdC->onClick([&] { order.push_back("C"); });
    w.cmdA->onClick([&] {
        order.push_back("A start");
        if (order.size() == 1) {
            clickOn(w.cmdB);
            clickOn(w.cmdC);
            clickOn(w.cmdA);
            seam().delay(0.5);
            w.cmdB->setEnabled(true);
            w.cmdC->show();
        }
        order.push_back("A end");
    });
    w.cmdA->click();
    // The click on A, made last, still runs after the wait, once the others are judged.
    EXPECT_TRUE(QTest::qWaitFor([&] { return order.size() >= 4; }, 2000));
    EXPECT_EQ(order, (std::vector<std::string>{"A start", "A end", "A start", "A end"}));
    w.Unload();
}

TEST_F(OnTheDesktop, AModalDialogKeepsTheKeysWhenTheFocusLandsOnTheWindowItBlocks) {
    TwoButtons w;
    const xcb_window_t owner = shown(w);
    OptionsDialog dialog;
    dialog.Load();
    const auto dialogWindow = static_cast<xcb_window_t>(dialog.form()->winId());

    // The window manager gives the keyboard to the blocked game window and
    // takes no request to give it back that is older than the user's act:
    // after a click on the game window, and when it brings both windows back
    // from being minimised, the game window first. Then Tab, then Return must
    // still close the dialog from its option.
    const auto clickOwner = [&] { desktop.giveFocus(owner); };
    const auto restoreBoth = [&] {
        desktop.unmap(dialogWindow);
        desktop.unmap(owner);
        desktop.map(owner);
        desktop.giveFocus(owner);
        desktop.map(dialogWindow);
    };
    bool closedByKeys[2] = {false, false};
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(0, [&] {
            desktop.giveFocus(dialogWindow);
            static_cast<void>(QTest::qWaitFor(
                [&] { return QGuiApplication::focusWindow() == dialog.form()->windowHandle(); }, 1000));
            if (i == 0)
                clickOwner();
            else
                restoreBoth();
            static_cast<void>(QTest::qWaitFor([&] { return desktop.focus() == dialogWindow; }, 1000));
            desktop.pressKey(desktop.focus(), Desktop::kTab);
            desktop.pressKey(desktop.focus(), Desktop::kReturn);
            closedByKeys[i] = QTest::qWaitFor([&] { return !dialog.form()->isVisible(); }, 1000);
            dialog.Hide();
        });
        dialog.ShowModal();
        dialog.optA->setFocus();
    }
    EXPECT_TRUE(closedByKeys[0]);
    EXPECT_TRUE(closedByKeys[1]);
    dialog.Unload();
    w.Unload();
}

TEST_F(OnTheDesktop, AKeyHeldDownThroughAWaitCountsOnceAndEachSeparatePressCounts) {
    TwoButtons w;
    w.setKeyPreview(true);
    const xcb_window_t window = shown(w);

    std::vector<std::string> order;
    w.keyDown = [&](int code) {
        if (code == vbKeyRight) order.push_back("Right");
    };
    // The child holds Right from before the pause to after it, then holds it
    // again and taps it, while the pause still runs.
    desktop.key(window, Desktop::kRight, true, 1000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return order.size() == 1; }, 2000));
    w.cmdA->onClick([&] {
        order.push_back("A start");
        for (xcb_timestamp_t t = 1660; t < 2500; t += 40) {
            desktop.key(window, Desktop::kRight, false, t);
            desktop.key(window, Desktop::kRight, true, t);
        }
        desktop.key(window, Desktop::kRight, false, 2500);
        desktop.hold(window, Desktop::kRight, 2600, 4000);
        desktop.key(window, Desktop::kRight, true, 4100);
        desktop.key(window, Desktop::kRight, false, 4150);
        seam().delay(0.5);
        order.push_back("A end");
    });
    w.cmdA->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return order.size() >= 4; }, 2000));
    EXPECT_EQ(order, (std::vector<std::string>{"Right", "A start", "A end", "Right", "Right", "Right"}));
    w.Unload();
}

TEST_F(OnTheDesktop, AltWithALetterIsAMnemonicNeverTypedAndAKeyIsJudgedAsItsControlStoodWhenMade) {
    WordBox w;
    const xcb_window_t window = shown(w);
    w.txtWord->setFocus();

    // Exit is off while a word is typed, and no control has Q.
    desktop.alt(window, Desktop::kX, 1000);
    desktop.alt(window, Desktop::kQ, 1100);
    desktop.key(window, Desktop::kQ, true, 1200);
    desktop.key(window, Desktop::kQ, false, 1250);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.txtWord->Text().isEmpty(); }, 2000));
    EXPECT_EQ(w.txtWord->Text().toStdString(), "q");
    // Bell takes the focus from the box before it is pressed, as a click gives it.
    desktop.alt(window, Desktop::kB, 1300);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.order.empty() && w.order.back() == "Bell"; }, 2000));
    EXPECT_EQ(w.order, (std::vector<std::string>{"word left", "Bell"}));
    w.order.clear();
    w.txtWord->setFocus();

    // During a pause: Alt+X while Exit is off, Alt+B while Bell is on, and 2
    // while its button is off; Exit and the 2 come on before the pause ends.
    w.cmdTwo->setEnabled(false);
    w.cmdWait->onClick([&] {
        w.order.push_back("Wait start");
        desktop.alt(window, Desktop::kX, 2000);
        desktop.alt(window, Desktop::kB, 2100);
        desktop.key(window, Desktop::k2, true, 2200);
        desktop.key(window, Desktop::k2, false, 2250);
        desktop.key(window, Desktop::kQ, true, 2300);
        desktop.key(window, Desktop::kQ, false, 2350);
        seam().delay(0.5);
        w.cmdExit->setEnabled(true);
        w.cmdTwo->setEnabled(true);
        w.order.push_back("Wait end");
    });
    w.cmdWait->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.txtWord->Text().size() >= 2; }, 2000));
    EXPECT_EQ(w.txtWord->Text().toStdString(), "qq");
    EXPECT_EQ(w.order, (std::vector<std::string>{"Wait start", "Wait end", "word left", "Bell"}));
    w.Unload();
}
