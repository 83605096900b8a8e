#include "platform/held_input.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <deque>
#include <memory>

#include "platform/forms.h"
#include "platform/window_manager.h"

namespace {

bool isMouse(QEvent::Type t) {
    return t == QEvent::MouseButtonPress || t == QEvent::MouseButtonRelease ||
           t == QEvent::MouseButtonDblClick || t == QEvent::MouseMove || t == QEvent::Wheel;
}

bool isKey(QEvent::Type t) { return t == QEvent::KeyPress || t == QEvent::KeyRelease; }

QWidget* widgetOfWindow(const QObject* window) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowHandle() == window) return w;
    return nullptr;
}

// A click gives the focus to the control it lands on, or to the nearest
// container that takes it, as a click straight from the window system does.
void giveFocusOnClick(QWidget* target) {
    for (QWidget* w = target; w; w = w->parentWidget()) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus)) {
            w->setFocus(Qt::MouseFocusReason);
            return;
        }
        if (w->isWindow()) return;
    }
}

class HeldInput : public QObject {
public:
    static HeldInput& instance() {
        static HeldInput* held = nullptr;
        if (!held) {
            held = new HeldInput(qApp);
            qApp->installEventFilter(held);
        }
        return *held;
    }

    void processEvents() {
        const bool wasWaiting = waiting_, wasHandingOut = handingOut_;
        waiting_ = true;
        handingOut_ = false;
        QCoreApplication::processEvents(QEventLoop::X11ExcludeTimers);
        waiting_ = wasWaiting;
        handingOut_ = wasHandingOut;
    }

    void handOutLater() {
        if (queue_.empty() || posted_) return;
        posted_ = true;
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
    }

    void enterModal() { ++modalDepth_; }
    void leaveModal() {
        --modalDepth_;
        handOutLater();
    }

    QWidget* keyTarget(const QEvent* e) const {
        return e == handing_ && isKey(e->type()) ? handingTo_.data() : nullptr;
    }

    bool eventFilter(QObject* obj, QEvent* e) override {
        const QEvent::Type type = e->type();
        if (type == QEvent::ShortcutOverride) {
            // A held key must not press a button by its mnemonic meanwhile: it
            // does so when it is handed out.
            if (!holding()) return false;
            e->accept();
            return true;
        }
        // A close request held is not a window closed.
        if (type == QEvent::Close && holding()) e->ignore();
        if (!obj->isWindowType() || !e->spontaneous() ||
            !(isMouse(type) || isKey(type) || type == QEvent::Close))
            return false;
        QWidget* window = widgetOfWindow(obj);
        if (!window) return false;
        QWidget* target = targetOf(window, e);
        const bool repeat = isKey(type) && repeats(static_cast<QKeyEvent*>(e));
        if (!holding()) return false;
        // A click on a control that is disabled as it is made does nothing,
        // whatever the handler makes of the control before it is handed out.
        if (isMouse(type) && !clickable(target)) return true;
        Held held{target, nullptr, false, nullptr, modalDepth_};
        if (isKey(type) && !holdKey(window, static_cast<QKeyEvent*>(e), repeat, held)) return true;
        held.event = copyFor(target, e);
        queue_.push_back(std::move(held));
        handOutLater();
        return true;
    }

protected:
    void customEvent(QEvent*) override {
        posted_ = false;
        handOut();
    }

private:
    using QObject::QObject;

    struct Held {
        QPointer<QWidget> target;
        std::unique_ptr<QEvent> event;
        // A mnemonic presses the button it stood for when it was made, if any.
        bool mnemonic;
        QPointer<QAbstractButton> presses;
        // How many modal windows were up when it was made: input made before
        // a modal window waits until the window is gone.
        int modalDepth = 0;
    };

    bool heldHere(const Held& held) const { return held.modalDepth >= modalDepth_; }

    static int keyOf(const QKeyEvent* e) {
        return e->nativeScanCode() != 0 ? static_cast<int>(e->nativeScanCode()) : e->key();
    }

    // Whether a key event repeats a key held down. X repeats a held key as a
    // release and a press made at the same moment, and does not always let
    // Qt see that they are a repeat.
    bool repeats(const QKeyEvent* e) {
        const LastKey key{e->type(), keyOf(e), e->timestamp()};
        const bool repeat =
            e->isAutoRepeat() || (key.type == QEvent::KeyPress && last_.type == QEvent::KeyRelease &&
                                  last_.key == key.key && last_.time == key.time);
        last_ = key;
        return repeat;
    }

    // Whether a key made during a wait is kept, and the button a mnemonic
    // presses. A key held through a pause must not play on for seconds after
    // it, so its repeats fold into the press kept before them.
    bool holdKey(QWidget* window, const QKeyEvent* e, bool repeat, Held& held) {
        if (e->type() == QEvent::KeyRelease) return !repeat;
        if (repeat) {
            // The release of the pair came first, and passed for a real one.
            if (!queue_.empty() && isRepeatedRelease(*queue_.back().event, e)) queue_.pop_back();
            for (auto it = queue_.rbegin(); it != queue_.rend(); ++it) {
                if (!isKey(it->event->type()) || keyOf(static_cast<QKeyEvent*>(it->event.get())) != keyOf(e))
                    continue;
                if (it->event->type() == QEvent::KeyPress) return false;
                break;
            }
        }
        if (QWidget* control = controlOfKey(window, e); control && !clickable(control)) return false;
        held.presses = buttonOfMnemonic(window, e);
        held.mnemonic = held.presses != nullptr;
        return true;
    }

    static bool isRepeatedRelease(const QEvent& queued, const QKeyEvent* press) {
        if (queued.type() != QEvent::KeyRelease) return false;
        const auto& release = static_cast<const QKeyEvent&>(queued);
        return keyOf(&release) == keyOf(press) && release.timestamp() == press->timestamp();
    }

    // Input is held during a wait, and after it for as long as older input
    // waits to be handed out, so that the order stays as it was made.
    bool holding() const {
        return !handingOut_ && (waiting_ || std::any_of(queue_.begin(), queue_.end(),
                                                        [&](const Held& h) { return heldHere(h); }));
    }

    // The widget the event goes to as the window stands now: the focused
    // control for a key, the control under the pointer for the mouse, or the
    // one that took the press while a button is held down.
    QWidget* targetOf(QWidget* window, QEvent* e) {
        const QEvent::Type type = e->type();
        if (type == QEvent::Close) return window;
        if (isKey(type)) {
            if (QWidget* grabber = QWidget::keyboardGrabber()) return grabber;
            return window->focusWidget() ? window->focusWidget() : window;
        }
        if (QWidget* grabber = QWidget::mouseGrabber()) return grabber;
        const auto* p = static_cast<QSinglePointEvent*>(e);
        QWidget* under = window->childAt(p->position().toPoint());
        if (!under) under = window;
        switch (type) {
            case QEvent::MouseButtonPress:
                if (!pressed_) pressed_ = under;
                return pressed_;
            case QEvent::MouseButtonDblClick:
                return pressed_ ? pressed_.data() : under;
            case QEvent::MouseButtonRelease: {
                QWidget* target = pressed_ ? pressed_.data() : under;
                if (p->buttons() == Qt::NoButton) pressed_ = nullptr;
                return target;
            }
            case QEvent::MouseMove:
                return pressed_ && p->buttons() != Qt::NoButton ? pressed_.data() : under;
            default:
                return under;
        }
    }

    // A copy of the event as its target would have received it then.
    static std::unique_ptr<QEvent> copyFor(QWidget* target, QEvent* e) {
        if (e->type() == QEvent::Close) return std::make_unique<QCloseEvent>();
        if (isKey(e->type())) return std::unique_ptr<QEvent>(e->clone());
        if (e->type() == QEvent::Wheel) {
            const auto* w = static_cast<QWheelEvent*>(e);
            auto copy =
                std::make_unique<QWheelEvent>(target->mapFromGlobal(w->globalPosition()), w->globalPosition(),
                                              w->pixelDelta(), w->angleDelta(), w->buttons(), w->modifiers(),
                                              w->phase(), w->inverted(), w->source(), w->pointingDevice());
            copy->setTimestamp(w->timestamp());
            return copy;
        }
        const auto* m = static_cast<QMouseEvent*>(e);
        auto copy = std::make_unique<QMouseEvent>(m->type(), target->mapFromGlobal(m->globalPosition()),
                                                  m->scenePosition(), m->globalPosition(), m->button(),
                                                  m->buttons(), m->modifiers(), m->pointingDevice());
        copy->setTimestamp(m->timestamp());
        return copy;
    }

    void handOut() {
        // A handler that waits again, or one run by the input being handed
        // out, comes back here when it has returned.
        if (waiting_ || handingOut_) return;
        handingOut_ = true;
        for (;;) {
            const auto next =
                std::find_if(queue_.begin(), queue_.end(), [&](const Held& h) { return heldHere(h); });
            if (next == queue_.end()) break;
            Held held = std::move(*next);
            queue_.erase(next);
            if (held.mnemonic) {
                QAbstractButton* button = held.presses;
                if (button && clickable(button) && !blockedByModal(button->window()->windowHandle()))
                    pressByMnemonic(button);
                continue;
            }
            QWidget* target = held.target;
            if (!target || !target->isVisible() || blockedByModal(target->window()->windowHandle())) continue;
            const QEvent::Type type = held.event->type();
            if (type == QEvent::Close) {
                target->close();
                continue;
            }
            if (isKey(type) && !target->isEnabled()) continue;
            if (type == QEvent::MouseButtonPress) giveFocusOnClick(target);
            handing_ = held.event.get();
            handingTo_ = target;
            QCoreApplication::sendEvent(target, held.event.get());
            handing_ = nullptr;
        }
        handingOut_ = false;
    }

    struct LastKey {
        QEvent::Type type = QEvent::None;
        int key = 0;
        quint64 time = 0;
    };
    LastKey last_;
    const QEvent* handing_ = nullptr;
    QPointer<QWidget> handingTo_;
    std::deque<Held> queue_;
    QPointer<QWidget> pressed_;
    bool waiting_ = false, handingOut_ = false, posted_ = false;
    int modalDepth_ = 0;
};

}  // namespace

void followInput() { HeldInput::instance(); }

void processEventsHoldingInput() { HeldInput::instance().processEvents(); }

void handOutHeldInput() { HeldInput::instance().handOutLater(); }

ShowingModal::ShowingModal() { HeldInput::instance().enterModal(); }

ShowingModal::~ShowingModal() { HeldInput::instance().leaveModal(); }

QWidget* heldKeyTarget(const QEvent* e) { return HeldInput::instance().keyTarget(e); }
