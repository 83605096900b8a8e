#include "platform/window_manager.h"

#include <xcb/xcb.h>

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// The Motif window manager hints, which X window managers still read.
enum : std::uint32_t {
    kHintFunctions = 1u << 0,
    kHintDecorations = 1u << 1,
    kFuncMove = 1u << 2,
    kFuncMinimize = 1u << 3,
    kFuncClose = 1u << 5,
    kDecorBorder = 1u << 1,
    kDecorTitle = 1u << 3,
    kDecorMenu = 1u << 4,
    kDecorMinimize = 1u << 5,
};

xcb_connection_t* connection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t internAtom(xcb_connection_t* c, const char* name) {
    auto cookie = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_atom_t atom = XCB_ATOM_NONE;
    if (xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr)) {
        atom = reply->atom;
        std::free(reply);
    }
    return atom;
}

}  // namespace

void setWindowBoxes(QWidget* window, WindowBoxes boxes) {
    xcb_connection_t* c = window ? connection() : nullptr;
    if (!c) return;
    static const xcb_atom_t atom = internAtom(c, "_MOTIF_WM_HINTS");
    if (atom == XCB_ATOM_NONE) return;
    // Qt sends only the functions for a title bar without buttons, and some
    // managers then draw every button all the same.
    std::array<std::uint32_t, 5> hints{kHintFunctions | kHintDecorations, kFuncMove,
                                       kDecorBorder | kDecorTitle, 0, 0};
    if (boxes == WindowBoxes::MinimizeAndClose) {
        hints[1] |= kFuncMinimize | kFuncClose;
        hints[2] |= kDecorMenu | kDecorMinimize;
    }
    // The property goes on the native window, made now if it is not yet.
    const auto id = static_cast<xcb_window_t>(window->winId());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, atom, atom, 32, hints.size(), hints.data());
    xcb_flush(c);
}

void keepWindowsAlive() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::X11ExcludeTimers);
    // Qt sends its answers when the event loop next goes idle, which a wait
    // never lets it do.
    if (xcb_connection_t* c = connection()) xcb_flush(c);
}

void wakeForHeldInput() {
    xcb_connection_t* c = connection();
    if (!c) return;
    // Qt looks for held input only when some new event comes from the server,
    // so one of our windows changes a property of its own: the change comes
    // back as an event, which Qt passes over, after the input.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->testAttribute(Qt::WA_WState_Created)) continue;
        static const xcb_atom_t atom = internAtom(c, "_QUENVALE_WAKE");
        const std::uint32_t value = 0;
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(w->winId()), atom,
                            XCB_ATOM_CARDINAL, 32, 1, &value);
        xcb_flush(c);
        return;
    }
}
