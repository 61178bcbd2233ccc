// The tray application with a benchmark's eyes, for bench/tray.sh. Same process as keldoran's.
//   tray_bench paint   prints "painted <ms since epoch>" each time a newly opened popover first paints
//   tray_bench stall   once configured, opens the popover, backs up and prints the longest the main
//                      thread went without turning its event loop, and the most CPU it spent within one
//                      such gap: "stall <ms> busy <ms> updates <n> seconds <s>"
#include "app/desktop_application.h"
#include "app/desktop_shell.h"
#include "backup/backup_controller.h"
#include "model/app_model.h"
#include "widgets/status_popover.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QSet>
#include <QTimer>

using namespace keldoran;

namespace {

// Prints the first paint of every popover instance.
class PaintWatch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            if (auto* popover = qobject_cast<StatusPopover*>(watched);
                popover && !painted_.contains(popover)) {
                painted_.insert(popover);
                // A later popover may be built at the same address.
                connect(popover, &QObject::destroyed, this, [this, popover] { painted_.remove(popover); });
                // The frame is drawn after this event returns: report once the loop has turned.
                QTimer::singleShot(0, [] {
                    std::printf("painted %lld\n", QDateTime::currentMSecsSinceEpoch());
                    std::fflush(stdout);
                });
            }
        }
        return false;
    }

private:
    QSet<QObject*> painted_;
};

// CPU time the calling thread has used: a gap the thread spent working, not waiting for a core.
double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1000 + double(now.tv_nsec) / 1e6;
}

// Time the calling thread has waited on a run queue for a core, from the scheduler's own count.
double threadRunQueueWaitMs() {
    std::FILE* file = std::fopen("/proc/thread-self/schedstat", "r");
    if (!file) {
        return 0;
    }
    unsigned long long running = 0;
    unsigned long long waiting = 0;
    const int read = std::fscanf(file, "%llu %llu", &running, &waiting);
    std::fclose(file);
    return read == 2 ? double(waiting) / 1e6 : 0;
}

// Measures the gaps between turns of the event loop while a backup streams its progress.
class StallWatch : public QObject {
public:
    explicit StallWatch(DesktopShell& shell)
        : shell_(shell) {
        poll_.setInterval(100);
        connect(&poll_, &QTimer::timeout, this, [this] { step(); });
        poll_.start();
        tick_.setInterval(5);
        connect(&tick_, &QTimer::timeout, this, [this] {
            const auto gap = sinceTick_.restart();
            const auto cpu = threadCpuMs();
            const auto busy = cpu - cpuAtTick_;
            cpuAtTick_ = cpu;
            const auto wait = threadRunQueueWaitMs();
            const auto waited = wait - waitAtTick_;
            waitAtTick_ = wait;
            longest_ = std::max(longest_, gap);
            longestBusy_ = std::max(longestBusy_, busy);
            if (gap > 25) { // where the long ones fall, to find what caused them in the log
                std::fprintf(stderr,
                             "gap %lld ms (main thread busy %.1f ms, waiting for a core %.1f ms) ending %s\n",
                             qint64(gap), busy, waited,
                             qPrintable(QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)));
            }
        });
    }

private:
    void step() {
        auto& model = shell_.model();
        auto& controller = model.controller();
        if (!started_) {
            if (!controller.isConfigured() || controller.currentOperation()) {
                return;
            }
            shell_.showPopover();
            connect(&model, &AppModel::baseStatusChanged, this, [this] { ++updates_; });
            controller.startBackup();
            started_ = true;
            clock_.start();
            sinceTick_.start();
            cpuAtTick_ = threadCpuMs();
            waitAtTick_ = threadRunQueueWaitMs();
            tick_.start();
            return;
        }
        if (!controller.hasBackupTask()) {
            std::printf("stall %lld busy %.1f updates %d seconds %.1f\n", qint64(longest_), longestBusy_,
                        updates_, clock_.elapsed() / 1000.0);
            std::fflush(stdout);
            poll_.stop();
            tick_.stop();
            QCoreApplication::quit();
        }
    }

    DesktopShell& shell_;
    QTimer poll_;
    QTimer tick_;
    QElapsedTimer sinceTick_;
    QElapsedTimer clock_;
    qint64 longest_ = 0;
    double longestBusy_ = 0;
    double cpuAtTick_ = 0;
    double waitAtTick_ = 0;
    int updates_ = 0;
    bool started_ = false;
};

} // namespace

int main(int argc, char** argv) {
    const bool stall = argc > 1 && std::strcmp(argv[1], "stall") == 0;
    PaintWatch* paints = nullptr;
    StallWatch* stalls = nullptr;
    const int status = runDesktopApplication(argc, argv, [&](DesktopShell& shell) {
        if (stall) {
            stalls = new StallWatch(shell);
        } else {
            paints = new PaintWatch;
            qApp->installEventFilter(paints);
        }
    });
    delete paints;
    delete stalls;
    return status;
}
