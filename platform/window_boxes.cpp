#include "platform/window_boxes.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <array>
#include <cstdint>
#include <cstdlib>

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

xcb_atom_t motifHintsAtom(xcb_connection_t* c) {
    static xcb_atom_t atom = XCB_ATOM_NONE;
    if (atom == XCB_ATOM_NONE) {
        static const char name[] = "_MOTIF_WM_HINTS";
        auto cookie = xcb_intern_atom(c, 0, sizeof name - 1, name);
        if (xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr)) {
            atom = reply->atom;
            std::free(reply);
        }
    }
    return atom;
}

}  // namespace

void setWindowBoxes(QWidget* window, WindowBoxes boxes) {
    if (!window || QGuiApplication::platformName() != QLatin1String("xcb")) return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return;
    const xcb_atom_t atom = motifHintsAtom(c);
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
