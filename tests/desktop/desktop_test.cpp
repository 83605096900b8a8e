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
#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/real_seam.h"

namespace {

class TwoButtons : public FormWindow {
public:
    TwoButtons() : FormWindow("frmTwoButtons", Kind::Game) {
        setCaption("Two buttons");
        setClientSize(3000, 1500);
    }
    CommandButton* cmdA = nullptr;
    CommandButton* cmdB = nullptr;

protected:
    void createControls() override {
        cmdA = new CommandButton(form(), "cmdA", "&A");
        cmdB = new CommandButton(form(), "cmdB", "&B");
        placeTwips(cmdA, 0, 0, 900, 400);
        placeTwips(cmdB, 1000, 0, 900, 400);
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

    void pressSpace(xcb_window_t window) {
        constexpr xcb_keycode_t kSpace = 65;
        for (auto type : {XCB_KEY_PRESS, XCB_KEY_RELEASE}) {
            xcb_key_press_event_t e;
            std::memset(&e, 0, sizeof e);
            e.response_type = static_cast<std::uint8_t>(type);
            e.detail = kSpace;
            e.root = root_;
            e.event = window;
            e.same_screen = 1;
            const std::uint32_t sent = type == XCB_KEY_PRESS ? std::uint32_t{XCB_EVENT_MASK_KEY_PRESS}
                                                             : std::uint32_t{XCB_EVENT_MASK_KEY_RELEASE};
            xcb_send_event(c_, 0, window, sent, reinterpret_cast<const char*>(&e));
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

}  // namespace

TEST(Desktop, AWaitAnswersTheWindowManagerButHoldsKeysAndTimerTicksUntilItEnds) {
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    RealSeam real;
    setSeam(&real);
    TwoButtons w;
    w.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.form()));
    w.cmdB->setFocus();
    const auto window = static_cast<xcb_window_t>(w.form()->winId());
    Desktop desktop;

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
    setSeam(nullptr);
}
