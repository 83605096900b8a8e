#include "platform/real_seam.h"

#include <QApplication>
#include <QEventLoop>
#include <QLayout>
#include <QMessageBox>
#include <QPointer>
#include <QTime>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "platform/held_input.h"
#include "platform/help_viewer.h"
#include "platform/printer.h"
#include "platform/session_end.h"
#include "platform/sound_engine.h"
#include "platform/text.h"
#include "platform/window_manager.h"

namespace {
class ModalWatcher : public QObject {
public:
    explicit ModalWatcher(QEventLoop* loop) : loop_(loop) {}
    bool eventFilter(QObject* obj, QEvent* e) override {
        // Only the program's own hiding ends the showing: a window manager that
        // iconifies the dialog (or its opener with it) hides it too, but the
        // dialog comes back on restore and must still be modal then.
        if (e->type() == QEvent::Hide && !static_cast<QWidget*>(obj)->isVisible()) loop_->quit();
        return false;
    }

private:
    QEventLoop* loop_;
};
}  // namespace

RealSeam::RealSeam() = default;
RealSeam::~RealSeam() = default;

// The engine starts with the first sound, the menu's song, which is asked for
// once the menu is built and shown: the device then opens on its own thread
// while the menu is painted. Started any earlier, the loading of the sound
// library there would hold up the building of the menu, since only one thread
// at a time may load a library or look up a symbol; and the song, already
// waiting, goes out with the device's very first buffer.
SoundEngine& RealSeam::sound() {
    if (!sound_) sound_ = std::make_unique<SoundEngine>();
    return *sound_;
}

double RealSeam::now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

double RealSeam::secondsSinceMidnight() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

void RealSeam::delay(double seconds) {
    if (seconds <= 0) return;
    waitFor([] { return false; }, seconds);
}

bool RealSeam::waitFor(const std::function<bool()>& done, double seconds) {
    const double start = now();
    bool finished = done();
    while (!finished && now() - start < seconds && !sessionEnding()) {
        keepWindowsAlive();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        finished = done();
    }
    handOutHeldInput();
    return finished;
}

void RealSeam::playSound(const std::string& path, bool wait) {
    sound().play(path, wait, [] {
        keepWindowsAlive();
        return !sessionEnding();
    });
    if (wait) handOutHeldInput();
}

void RealSeam::stopSound() { sound().stop(); }

void RealSeam::beep() { sound().beep(); }

MsgAnswer RealSeam::msgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                           QWidget* owner) {
    // Nobody is there to answer once the session ends: a handler that goes on
    // after its wait was cut short gets the answer of a box closed unread.
    if (sessionEnding()) {
        if (buttons == MsgButtons::OKCancel) return MsgAnswer::Cancel;
        if (buttons == MsgButtons::YesNo) return MsgAnswer::No;
        return MsgAnswer::OK;
    }
    QMessageBox box(owner ? owner : QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(withBreaksInLongRuns(displayText(text)));
    switch (icon) {
        case MsgIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case MsgIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MsgIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MsgIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MsgIcon::None:
            break;
    }
    switch (buttons) {
        case MsgButtons::OK:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MsgButtons::OKCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Ok);
            break;
        case MsgButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::No);
            break;
    }
    const ShowingModal showing;
    int r = box.exec();
    switch (r) {
        case QMessageBox::Cancel:
            return MsgAnswer::Cancel;
        case QMessageBox::Yes:
            return MsgAnswer::Yes;
        case QMessageBox::No:
            return MsgAnswer::No;
        default:
            break;
    }
    // Closing a box by its title bar answers with its escape button.
    if (buttons == MsgButtons::OKCancel && box.clickedButton() != box.button(QMessageBox::Ok))
        return MsgAnswer::Cancel;
    if (buttons == MsgButtons::YesNo) return MsgAnswer::No;
    return MsgAnswer::OK;
}

void RealSeam::setHelpFile(const std::string& path) { HelpViewer::instance().setFile(path); }

void RealSeam::helpContext(int context) { HelpViewer::instance().showTopic(context); }

void RealSeam::helpContents() { HelpViewer::instance().showContents(); }

void RealSeam::repaintNow(QWidget* widget) {
    if (!widget) return;
    if (QLayout* l = widget->layout()) l->activate();
    widget->repaint();
}

void RealSeam::runModal(QWidget* window) {
    // Once the session ends a dialog is not shown: nobody would close it.
    if (!window || sessionEnding()) return;
    QPointer<QWidget> guard(window);
    // Modal to the window that opened it, so the help viewer stays usable meanwhile.
    QWidget* opener = QApplication::activeWindow();
    if (opener && opener != window && !opener->isModal()) {
        window->winId();
        opener->winId();
        window->windowHandle()->setTransientParent(opener->windowHandle());
        window->setWindowModality(Qt::WindowModal);
    } else {
        window->setWindowModality(Qt::ApplicationModal);
    }
    window->show();
    window->raise();
    window->activateWindow();
    // The dialog ends its modal showing by hiding itself or by being unloaded.
    QEventLoop loop;
    ModalWatcher watcher(&loop);
    window->installEventFilter(&watcher);
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    const ShowingModal showing;
    if (window->isVisible()) loop.exec();
    if (guard) {
        guard->removeEventFilter(&watcher);
        guard->setWindowModality(Qt::NonModal);
    }
}

Printer& RealSeam::printer() {
    if (!printer_) printer_ = makeSystemPrinter();
    return *printer_;
}

void RealSeam::endProgram() {
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    QCoreApplication::exit(0);
}
