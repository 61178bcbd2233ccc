// What a caller pays per log call while the background writer appends and rotates the file.
#include "logging/log.h"
#include "logging/log_file.h"
#include "platform/system_log.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <vector>

using namespace keldoran;

int main(int argc, char** argv) {
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toUtf8());
    QCoreApplication application(argc, argv);
    const bool journal = QFile::exists(QStringLiteral("/run/systemd/journal/socket"));

    constexpr int calls = 100000;
    std::vector<double> microseconds;
    microseconds.reserve(calls);
    const QString message =
        QStringLiteral("summary: +1234567 bytes, 0 warnings, 31 excludes — a typical backup line");
    for (int i = 0; i < calls; ++i) {
        const auto start = std::chrono::steady_clock::now();
        Log::backup().info(message);
        microseconds.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    const auto drainStart = std::chrono::steady_clock::now();
    LogFile::shared().flush();
    const double drain = std::chrono::duration<double>(std::chrono::steady_clock::now() - drainStart).count();

    std::sort(microseconds.begin(), microseconds.end());
    const auto at = [&](double fraction) {
        return microseconds[size_t(fraction * (calls - 1))];
    };
    const auto rotatedBytes = QFileInfo(LogFile::shared().previousPath()).size();
    std::printf("system log: %s\n", journal ? "journal" : "standard error");
    std::printf("file rotated during the run: %s (%lld bytes in Keldoran.log.1)\n",
                rotatedBytes > 0 ? "yes" : "no", rotatedBytes);
    std::printf("writer finished %.3f s after the last call\n", drain);
    std::printf("log call median: %.2f us\n", at(0.5));
    std::printf("log call p99: %.2f us\n", at(0.99));
    std::printf("log call max: %.2f us\n", microseconds.back());
    return 0;
}
