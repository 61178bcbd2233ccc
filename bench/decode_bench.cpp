// Decoding cost of restic's JSON output, and the memory a line stream holds.
//   decode_bench throughput FIXTURES_DIR        lines/s and MB/s for status and ls lines
//   decode_bench make-tree DIR FILES            a tree of FILES small files in folders of 100
//   decode_bench decode-file FILE               decodes a captured `ls --json` output; prints seconds
//   decode_bench list REPOSITORY SNAPSHOT       Restic::ls through the real runner; prints seconds
//   decode_bench stream-memory REPOSITORY SNAPSHOT   peak memory of a stream that keeps nothing
#include "restic/restic.h"
#include "restic/restic_json.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <sys/resource.h>

using namespace keldoran;

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QList<QByteArray> nonEmptyLines(const QByteArray& text) {
    auto lines = text.split('\n');
    lines.removeAll(QByteArray());
    return lines;
}

// Decodes `lines` repeatedly for about a second; answers lines per second and bytes per second.
template <typename Decode>
std::pair<double, double> throughput(const QList<QByteArray>& lines, Decode decode) {
    qint64 bytes = 0;
    for (const auto& line : lines) {
        bytes += line.size() + 1;
    }
    qint64 decoded = 0;
    qint64 rounds = 0;
    const auto start = Clock::now();
    while (secondsSince(start) < 1.0) {
        for (const auto& line : lines) {
            decoded += decode(line) ? 1 : 0;
        }
        ++rounds;
    }
    const double elapsed = secondsSince(start);
    if (decoded == 0) {
        std::fprintf(stderr, "nothing decoded\n");
    }
    return {double(lines.size() * rounds) / elapsed, double(bytes * rounds) / elapsed};
}

int runThroughput(const QString& fixtures) {
    QFile status(fixtures + QStringLiteral("/restic-0.18/backup-json-default-fps-excerpt.stdout.txt"));
    QFile listing(fixtures + QStringLiteral("/restic-0.18/ls-json.txt"));
    if (!status.open(QIODevice::ReadOnly) || !listing.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "fixtures not found in %s\n", qPrintable(fixtures));
        return 1;
    }
    const auto statusLines = nonEmptyLines(status.readAll());
    auto lsLines = nonEmptyLines(listing.readAll());
    lsLines.removeFirst(); // the snapshot line
    const auto [statusPerSecond, statusBytes] = throughput(
        statusLines, [](const QByteArray& line) { return ResticJson::decodeBackupEvent(line).has_value(); });
    const auto [lsPerSecond, lsBytes] = throughput(
        lsLines, [](const QByteArray& line) { return ResticJson::decodeLsEntry(line).has_value(); });
    std::printf("status lines decoded: %.0f lines/s\n", statusPerSecond);
    std::printf("status lines decoded: %.1f MB/s\n", statusBytes / 1e6);
    std::printf("ls lines decoded: %.0f lines/s\n", lsPerSecond);
    std::printf("ls lines decoded: %.1f MB/s\n", lsBytes / 1e6);
    return 0;
}

int makeTree(const QString& root, int files) {
    for (int i = 0; i < files; ++i) {
        const auto folder = QStringLiteral("%1/folder-%2").arg(root).arg(i / 100, 4, 10, QLatin1Char('0'));
        if (i % 100 == 0) {
            QDir().mkpath(folder);
        }
        QFile file(QStringLiteral("%1/file-%2.txt").arg(folder).arg(i, 6, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly)) {
            return 1;
        }
        file.write(QByteArray::number(i));
    }
    return 0;
}

int decodeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return 1;
    }
    const auto lines = nonEmptyLines(file.readAll());
    const auto start = Clock::now();
    qint64 entries = 0;
    for (const auto& line : lines) {
        if (auto entry = ResticJson::decodeLsEntry(line);
            entry && entry->structType == QLatin1String("node")) {
            ++entries;
        }
    }
    std::printf("%.4f %lld\n", secondsSince(start), entries);
    return 0;
}

ResticProcess processFor(const QString& repository) {
    ResticRepository location;
    location.location = repository;
    location.password = ResticRepository::PasswordValue{QStringLiteral("bench-password")};
    const auto binary = ResticBinary::locate(QCoreApplication::applicationDirPath());
    return ResticProcess(binary.value_or(ResticBinary{}), location);
}

QCoro::Task<void> list(QString repository, QString snapshot, int* status) {
    const auto start = Clock::now();
    const auto entries = co_await Restic(processFor(repository)).ls(snapshot, {});
    std::printf("%.4f %lld\n", secondsSince(start), qint64(entries.size()));
    *status = entries.isEmpty() ? 1 : 0;
}

QCoro::Task<void> streamWithoutKeeping(QString repository, QString snapshot, int* status) {
    const long before = peakResidentKiB();
    qint64 lines = 0;
    qint64 bytes = 0;
    QStringList arguments{QStringLiteral("ls"), snapshot, QStringLiteral("--json")};
    auto stream = processFor(repository).streamLines(arguments);
    QCORO_FOREACH(const QByteArray& line, stream) {
        ++lines;
        bytes += line.size() + 1;
    }
    std::printf("%lld %lld %ld\n", lines, bytes, peakResidentKiB() - before);
    *status = lines > 0 ? 0 : 1;
}

// Runs a coroutine on the application's own event loop and exits with its status.
int runOnEventLoop(QCoreApplication& application, QCoro::Task<void> (*body)(QString, QString, int*),
                   const QString& first, const QString& second) {
    int status = 1;
    QTimer::singleShot(0, &application,
                       [&] { body(first, second, &status).then([&] { application.quit(); }); });
    application.exec();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const auto arguments = application.arguments();
    const auto mode = arguments.value(1);
    if (mode == QLatin1String("throughput") && arguments.size() == 3) {
        return runThroughput(arguments[2]);
    }
    if (mode == QLatin1String("make-tree") && arguments.size() == 4) {
        return makeTree(arguments[2], arguments[3].toInt());
    }
    if (mode == QLatin1String("decode-file") && arguments.size() == 3) {
        return decodeFile(arguments[2]);
    }
    if (mode == QLatin1String("list") && arguments.size() == 4) {
        return runOnEventLoop(application, list, arguments[2], arguments[3]);
    }
    if (mode == QLatin1String("stream-memory") && arguments.size() == 4) {
        return runOnEventLoop(application, streamWithoutKeeping, arguments[2], arguments[3]);
    }
    std::fprintf(stderr, "usage: see the comment at the top of decode_bench.cpp\n");
    return 2;
}
