#include "quit_signals.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <iterator>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace keldoran {

namespace {

// Every live instance's write end: the handler tells each of them. A fixed table of atomics is what a
// signal handler may read; an instance only ever closes its own ends, never another's.
std::atomic<int> writeEnds[8] = {-1, -1, -1, -1, -1, -1, -1, -1};

void onSignal(int) {
    const char byte = 1;
    for (const auto& end : writeEnds) {
        if (const int descriptor = end.load(); descriptor >= 0) {
            [[maybe_unused]] auto written = ::write(descriptor, &byte, 1);
        }
    }
}

} // namespace

QuitSignals::QuitSignals() {
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pair) != 0) {
        return;
    }
    for (auto& end : writeEnds) {
        int free = -1;
        if (end.compare_exchange_strong(free, pair[0])) {
            writeEnd_ = pair[0];
            break;
        }
    }
    if (writeEnd_ < 0) {
        ::close(pair[0]);
        ::close(pair[1]);
        return;
    }
    readEnd_ = pair[1];
    notifier_ = std::make_unique<QSocketNotifier>(readEnd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        char byte;
        while (::read(readEnd_, &byte, 1) > 0) {
        }
        emit quitRequested();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

QuitSignals::~QuitSignals() {
    notifier_.reset();
    for (auto& end : writeEnds) {
        int mine = writeEnd_;
        if (writeEnd_ >= 0 && end.compare_exchange_strong(mine, -1)) {
            break;
        }
    }
    const bool anyLeft = std::any_of(std::begin(writeEnds), std::end(writeEnds),
                                     [](const auto& end) { return end.load() >= 0; });
    if (!anyLeft) {
        ::signal(SIGTERM, SIG_DFL);
        ::signal(SIGINT, SIG_DFL);
    }
    for (const int descriptor : {writeEnd_, readEnd_}) {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
    }
}

} // namespace keldoran
