#include "platform/session_end.h"

#include <fcntl.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <cerrno>
#include <csignal>

namespace {

// The signal handler may only write to a pipe; the event loop reads it.
int signalPipe[2] = {-1, -1};
bool ending = false;

void (*saveOnDisplayLoss)() = nullptr;
QtMessageHandler earlierHandler = nullptr;

bool displayLost() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return false;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 && x11->connection() && xcb_connection_has_error(x11->connection());
}

void onMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (earlierHandler) earlierHandler(type, context, text);
    static bool saving = false;
    if (saving || !qGuiApp || QThread::currentThread() != qGuiApp->thread() || !displayLost()) return;
    saving = true;
    saveOnDisplayLoss();
    _exit(1);
}

void onSignal(int) {
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a signal not yet taken up: one is enough.
    [[maybe_unused]] const ssize_t n = write(signalPipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

bool sessionEnding() { return ending; }

void endSessionOnSignals(std::function<void()> end) {
    if (signalPipe[0] < 0 && pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* app = QCoreApplication::instance();
    // The signal is taken up even while a handler waits, since a wait keeps
    // the event loop turning; a timer tick is not, so the end runs when the
    // handler has returned and never in the middle of a game's move.
    auto* later = new QTimer(app);
    later->setSingleShot(true);
    later->setInterval(0);
    QObject::connect(later, &QTimer::timeout, app, [end = std::move(end)] { end(); });
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, app, [later] {
        char bytes[16];
        while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
        }
        if (ending) return;
        ending = true;
        later->start();
    });
    struct sigaction action {};
    action.sa_handler = &onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGHUP, SIGINT}) sigaction(s, &action, nullptr);
}

void saveWhenDisplayLost(void (*save)()) {
    saveOnDisplayLoss = save;
    earlierHandler = qInstallMessageHandler(&onMessage);
}
