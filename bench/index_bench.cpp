// Helpers for bench/index.sh.
//   index_bench build FOLDER SNAPSHOT [FILES]   indexes one snapshot of $RESTIC_REPOSITORY into FOLDER:
//                                             "milliseconds peak-resident-MiB"
//   index_bench first-level                   a fresh restore browser on the newest snapshot, its index
//                                             opened cold: the first level's milliseconds
//   index_bench levels                        milliseconds of each folder level opened from the index: p99
//   index_bench search                        whole-snapshot searches for 4-letter substrings: p95
//   index_bench history FOLDER PATH...        a file's versions across the snapshots of FOLDER: the worst
//   index_bench size FOLDER                   "bytes entries" of the index in FOLDER
#include "backup/backup_controller.h"
#include "index/index_database.h"
#include "index/snapshot_indexer.h"
#include "model/app_model.h"
#include "platform/platform.h"
#include "restic/restic_binary.h"
#include "restore/restore_browser.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTimer>
#include <random>

using namespace keldoran;

namespace {

using SteadyClock = std::chrono::steady_clock;

double millisecondsSince(SteadyClock::time_point start) {
    return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
}

double percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(share * double(values.size())))];
}

double peakResidentMiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const auto& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
        }
    }
    return 0;
}

Restic resticFromEnvironment() {
    const auto environment = QProcessEnvironment::systemEnvironment();
    ResticRepository repository;
    repository.location = environment.value(QStringLiteral("RESTIC_REPOSITORY"));
    repository.password =
        ResticRepository::PasswordValue{environment.value(QStringLiteral("RESTIC_PASSWORD"))};
    // restic is not allowed to inherit credentials: they are handed over as the repository's own.
    for (const auto& name : environment.keys()) {
        if (name.startsWith(QLatin1String("AWS_"))) {
            repository.additionalEnvironment.insert(name, environment.value(name));
        }
    }
    const auto binary = ResticBinary::locate(QCoreApplication::applicationDirPath());
    return Restic(ResticProcess(binary.value_or(ResticBinary{}), repository));
}

QCoro::Task<int> build(QString folder, QString snapshot, std::optional<qint64> files) {
    SnapshotIndexer indexer(folder);
    const auto start = SteadyClock::now();
    indexer.request(resticFromEnvironment(), {snapshot, QDateTime::currentDateTimeUtc(), files});
    co_await indexer.whenIdle();
    const double elapsed = millisecondsSince(start);
    if (!indexer.index().isIndexed(snapshot)) {
        std::fprintf(stderr, "snapshot %s not indexed\n", qPrintable(snapshot));
        co_return 1;
    }
    std::printf("%.1f %.1f\n", elapsed, peakResidentMiB());
    co_return 0;
}

// A browser on the newest snapshot whose first level came from restic, with the index not yet opened.
QCoro::Task<bool> openBrowser(AppModel* model, RestoreBrowser* browser) {
    const auto outcome = co_await model->controller().configure();
    if (outcome != BackupController::ConfigurationOutcome::configured) {
        std::fprintf(stderr, "not configured\n");
        co_return false;
    }
    co_await browser->loadSnapshots();
    if (!browser->selectedSnapshot()) {
        std::fprintf(stderr, "no snapshot\n");
        co_return false;
    }
    co_return true;
}

QCoro::Task<int> firstLevel(Platform* platform) {
    AppModel model(*platform);
    RestoreBrowser browser(model.controller(), *platform->clock, platform->folders.home);
    const bool opened = co_await openBrowser(&model, &browser);
    if (!opened) {
        co_return 1;
    }
    auto& indexer = model.snapshotIndexer();
    browser.useIndex(&indexer);
    const std::optional<QString> snapshot = browser.selectedSnapshot();
    const auto start = SteadyClock::now();
    co_await browser.selectSnapshot(snapshot);
    const double elapsed = millisecondsSince(start);
    if (!browser.isIndexed() || browser.currentLevelEntries().size() != 50) {
        std::fprintf(stderr, "the first level did not come from the index (indexed: %d, %lld entries)\n",
                     int(browser.isIndexed()), qlonglong(browser.currentLevelEntries().size()));
        co_return 1;
    }
    std::printf("%.3f\n", elapsed);
    co_await model.controller().whenIdle();
    co_return 0;
}

QCoro::Task<int> levels(Platform* platform) {
    AppModel model(*platform);
    RestoreBrowser browser(model.controller(), *platform->clock, platform->folders.home);
    const bool opened = co_await openBrowser(&model, &browser);
    if (!opened) {
        co_return 1;
    }
    browser.useIndex(&model.snapshotIndexer());
    const std::optional<QString> newest = browser.selectedSnapshot();
    co_await browser.selectSnapshot(newest);
    std::vector<double> times;
    const auto home = platform->folders.home;
    for (int top = 0; top < 20; ++top) {
        for (int part = 0; part < 100; part += 4) {
            co_await browser.navigate(0);
            LsEntry folder;
            folder.path = QStringLiteral("%1/Folder %2").arg(home).arg(top, 2, 10, QLatin1Char('0'));
            co_await browser.openFolder(folder);
            folder.path += QStringLiteral("/Part %1").arg(part);
            const auto start = SteadyClock::now();
            co_await browser.openFolder(folder);
            times.push_back(millisecondsSince(start));
            if (browser.currentLevelEntries().size() != 100 || browser.isLoading()) {
                std::fprintf(stderr, "a level did not come from the index\n");
                co_return 1;
            }
        }
    }
    std::printf("%.3f\n", percentile(times, 0.99));
    co_await model.controller().whenIdle();
    co_return 0;
}

QCoro::Task<int> search(Platform* platform) {
    AppModel model(*platform);
    RestoreBrowser browser(model.controller(), *platform->clock, platform->folders.home);
    const bool opened = co_await openBrowser(&model, &browser);
    if (!opened) {
        co_return 1;
    }
    browser.useIndex(&model.snapshotIndexer());
    const std::optional<QString> newest = browser.selectedSnapshot();
    co_await browser.selectSnapshot(newest);
    // Four letters out of the names the tree holds, wherever they fall.
    const QStringList names{QStringLiteral("file-57.txt"), QStringLiteral("Part 42"),
                            QStringLiteral("Folder 13"), QStringLiteral("note 7.txt")};
    std::mt19937 random(7);
    std::vector<double> times;
    qsizetype found = 0;
    for (int i = 0; i < 60; ++i) {
        const auto& name = names[random() % names.size()];
        const auto text = name.mid(random() % (name.size() - 3), 4);
        browser.setSearchText({});
        const auto start = SteadyClock::now();
        browser.setSearchText(text);
        times.push_back(millisecondsSince(start));
        found += browser.matchesElsewhere().size();
    }
    if (found == 0) {
        std::fprintf(stderr, "no search found anything\n");
        co_return 1;
    }
    std::printf("%.3f\n", percentile(times, 0.95));
    co_await model.controller().whenIdle();
    co_return 0;
}

int history(const QString& folder, const QStringList& paths) {
    SnapshotIndex index(folder);
    if (index.open() || index.indexedSnapshots().size() < 2) {
        std::fprintf(stderr, "no index of several snapshots in %s\n", qPrintable(folder));
        return 1;
    }
    double worst = 0;
    qsizetype versions = 0;
    for (const auto& path : paths) {
        const auto start = SteadyClock::now();
        versions += index.versions(path).size();
        worst = std::max(worst, millisecondsSince(start));
    }
    if (versions <= paths.size()) {
        std::fprintf(stderr, "the files have no history\n");
        return 1;
    }
    std::printf("%.3f\n", worst);
    return 0;
}

int size(const QString& folder) {
    const auto file = IndexDatabase::fileIn(folder);
    qint64 entries = 0;
    {
        IndexDatabase database(file);
        if (database.open(IndexDatabase::Trust::verify)) {
            return 1;
        }
        database.execute(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        auto query = database.prepare(QStringLiteral("SELECT count(*) FROM entry"));
        query.exec();
        query.next();
        entries = query.value(0).toLongLong();
    }
    std::printf("%lld %lld\n", qlonglong(QFileInfo(file).size()), qlonglong(entries));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const auto arguments = application.arguments();
    const auto command = arguments.value(1);
    if (command == QLatin1String("history") && arguments.size() >= 4) {
        return history(arguments[2], arguments.mid(3));
    }
    if (command == QLatin1String("size") && arguments.size() == 3) {
        return size(arguments[2]);
    }
    std::function<QCoro::Task<int>()> run;
    LivePlatform live;
    if (command == QLatin1String("build") && (arguments.size() == 4 || arguments.size() == 5)) {
        std::optional<qint64> files;
        if (arguments.size() == 5) {
            files = arguments[4].toLongLong();
        }
        run = [=] {
            return build(arguments[2], arguments[3], files);
        };
    } else if (command == QLatin1String("first-level")) {
        run = [&] {
            return firstLevel(&live.platform());
        };
    } else if (command == QLatin1String("levels")) {
        run = [&] {
            return levels(&live.platform());
        };
    } else if (command == QLatin1String("search")) {
        run = [&] {
            return search(&live.platform());
        };
    } else {
        std::fprintf(stderr,
                     "usage: index_bench build FOLDER SNAPSHOT [FILES] | first-level | levels | search | "
                     "history FOLDER PATH... | size FOLDER\n");
        return 2;
    }
    int status = 1;
    QTimer::singleShot(0, &application, [&] {
        [](std::function<QCoro::Task<int>()> body, int* result) -> QCoro::Task<void> {
            *result = co_await body();
            QCoreApplication::quit();
        }(run, &status);
    });
    application.exec();
    return status;
}
