#include "platform/session_end.h"

#include <fcntl.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <iostream>
#include <iterator>

namespace {

constexpr int kSessionSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The signal handler may only write to a pipe; the event loop reads it.
int signalPipe[2] = {-1, -1};
// Which of the signals came, by their place in kSessionSignals.
volatile std::sig_atomic_t signalled[std::size(kSessionSignals)] = {};
bool ending = false;
bool failed = false;

// What the last call set up, undone by the next (the tests run the program
// more than once in one process).
QPointer<QSocketNotifier> notifier;
QPointer<QTimer> later;
QMetaObject::Connection loopEnded;

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
    // No window can be shown any more: what fails goes to standard error.
    ending = true;
    saveOnDisplayLoss();
    _exit(1);
}

void setDisposition(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    // One handler at a time: none interrupts another.
    sigemptyset(&action.sa_mask);
    for (int s : kSessionSignals) sigaddset(&action.sa_mask, s);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

void onSignal(int signal) {
    std::size_t kind = 0;
    while (kind + 1 < std::size(kSessionSignals) && kSessionSignals[kind] != signal) ++kind;
    // The same signal again is somebody who will not wait. Another one is
    // not: at a logout the session sends SIGHUP right after SIGTERM.
    if (signalled[kind]) {
        // Delivered as soon as this handler returns, since the signal is
        // blocked while its handler runs.
        setDisposition(signal, SIG_DFL);
        raise(signal);
        return;
    }
    signalled[kind] = 1;
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = write(signalPipe[1], &byte, 1);
    errno = saved;
}

void drainPipe() {
    char bytes[16];
    while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
}

}  // namespace

bool sessionEnding() { return ending; }

void reportNotSavedAtSessionEnd(const std::string& what, const std::string& path, const std::string& why) {
    failed = true;
    std::cerr << "Quenvale: the " << what << " could not be saved to " << path << ": " << why << std::endl;
}

bool sessionEndFailed() { return failed; }

void endSessionOnSignals(std::function<void()> end) {
    if (signalPipe[0] < 0 && pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    delete notifier;
    delete later;
    QObject::disconnect(loopEnded);
    drainPipe();
    for (auto& s : signalled) s = 0;
    ending = false;
    failed = false;

    auto* app = QCoreApplication::instance();
    // The signal is taken up even while a handler waits, since a wait keeps
    // the event loop turning; a timer tick is not, so the end runs when the
    // handler has returned and never in the middle of a game's move.
    later = new QTimer(app);
    later->setSingleShot(true);
    later->setInterval(0);
    QObject::connect(later, &QTimer::timeout, app, [end = std::move(end)] { end(); });
    notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, app, [] {
        drainPipe();
        if (ending) return;
        ending = true;
        later->start();
    });
    // What runs after the loop (the sound device let go, a print given its
    // last moment) must not hold a logout.
    loopEnded = QObject::connect(app, &QCoreApplication::aboutToQuit, [] {
        for (int s : kSessionSignals) setDisposition(s, SIG_DFL);
    });
    for (int s : kSessionSignals) setDisposition(s, &onSignal);
}

void saveWhenDisplayLost(void (*save)()) {
    saveOnDisplayLoss = save;
    // Installed once: a handler that called itself as the earlier one would never return.
    const QtMessageHandler previous = qInstallMessageHandler(&onMessage);
    if (previous != &onMessage) earlierHandler = previous;
}
