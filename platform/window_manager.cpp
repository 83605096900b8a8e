#include "platform/window_manager.h"

#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/held_input.h"

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
    processEventsHoldingInput();
    // Qt sends its answers when the event loop next goes idle, which a wait
    // never lets it do.
    if (xcb_connection_t* c = connection()) xcb_flush(c);
}

bool blockedByModal(const QWindow* window) {
    const QWindow* modal = QGuiApplication::modalWindow();
    if (!window || !modal || modal == window) return false;
    for (const QWindow* p = window->transientParent(); p; p = p->transientParent())
        if (p == modal) return false;
    if (modal->modality() == Qt::ApplicationModal) return true;
    for (const QWindow* p = modal->transientParent(); p; p = p->transientParent())
        if (p == window) return true;
    return false;
}

namespace {

// Qt asks the window manager to activate the dialog when a window it blocks
// gets the focus, but a manager may refuse (openbox does, when the request is
// older than the click that moved the focus), or the dialog may not be mapped
// yet; the keys then go to the blocked window, which drops them.
void passFocusToModal() {
    xcb_connection_t* c = connection();
    QWindow* modal = QGuiApplication::modalWindow();
    if (!c || !modal || !modal->handle()) return;
    xcb_window_t focus = XCB_WINDOW_NONE;
    if (auto* reply = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)) {
        focus = reply->focus;
        std::free(reply);
    }
    const QWindow* focused = nullptr;
    for (QWindow* w : QGuiApplication::topLevelWindows())
        if (w->handle() && static_cast<xcb_window_t>(w->winId()) == focus) focused = w;
    if (!focused || !blockedByModal(focused)) return;
    const auto dialog = static_cast<xcb_window_t>(modal->winId());
    bool viewable = false;
    if (auto* reply = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, dialog), nullptr)) {
        viewable = reply->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(reply);
    }
    // The focus is ours already, so passing it between our own windows takes
    // nothing from another program.
    if (viewable) xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, dialog, XCB_CURRENT_TIME);
    xcb_flush(c);
}

class FocusWatcher : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t" || !QGuiApplication::modalWindow()) return false;
        const auto* e = static_cast<const xcb_generic_event_t*>(message);
        const auto kind = e->response_type & 0x7f;
        if (kind == XCB_FOCUS_IN) {
            const auto* f = reinterpret_cast<const xcb_focus_in_event_t*>(e);
            if (f->detail == XCB_NOTIFY_DETAIL_POINTER) return false;
        } else if (kind != XCB_MAP_NOTIFY) {
            return false;
        }
        // Looked at once Qt has handled this event and those that came with it.
        QTimer::singleShot(0, qApp, passFocusToModal);
        return false;
    }
};

}  // namespace

void keepFocusOnModalDialogs() {
    static FocusWatcher* watcher = nullptr;
    if (watcher || !connection()) return;
    watcher = new FocusWatcher;
    qApp->installNativeEventFilter(watcher);
}
