#include "interruptwatcher.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>
#include <csignal>
#endif

namespace sys {

#ifdef Q_OS_UNIX
namespace {
int signalPipe[2] = {-1, -1};
volatile std::sig_atomic_t caught = 0;

void onSignal(int) {
    caught = 1;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}
}  // namespace

void InterruptWatcher::catchSignals() {
    if (signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigset_t taken;
    sigemptyset(&taken);
    sigaddset(&taken, SIGINT);
    sigaddset(&taken, SIGTERM);
    pthread_sigmask(SIG_UNBLOCK, &taken, nullptr);
}

bool InterruptWatcher::hasCaught() {
    return caught != 0;
}

InterruptWatcher::InterruptWatcher(QObject* parent) : QObject(parent) {
    catchSignals();
    if (signalPipe[0] < 0) return;
    notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte;
        [[maybe_unused]] const ssize_t got = ::read(signalPipe[1], &byte, 1);
        emit interrupted();
    });
}

InterruptWatcher::~InterruptWatcher() {
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
}
#else
InterruptWatcher::InterruptWatcher(QObject* parent) : QObject(parent) {}
InterruptWatcher::~InterruptWatcher() = default;
void InterruptWatcher::catchSignals() {}
bool InterruptWatcher::hasCaught() {
    return false;
}
#endif

}  // namespace sys
