// Helpers for bench/browse.sh.
//   browse_bench make-tree HOME        200,000 small files: 20 folders of 100 folders of 100 files, and a
//                                      few files at the top
//   browse_bench browse FOLDER         one restore-browser session on the newest snapshot: the first
//                                      level's time, then revisits of that level and of FOLDER
#include "backup/backup_controller.h"
#include "logging/log.h"
#include "model/app_model.h"
#include "platform/platform.h"
#include "restore/restore_browser.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

using namespace keldoran;

namespace {

using SteadyClock = std::chrono::steady_clock;

double millisecondsSince(SteadyClock::time_point start) {
    return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
}

int makeTree(const QString& home) {
    for (int top = 0; top < 20; ++top) {
        for (int middle = 0; middle < 100; ++middle) {
            const auto folder = QStringLiteral("%1/Folder %2/Part %3")
                                    .arg(home)
                                    .arg(top, 2, 10, QLatin1Char('0'))
                                    .arg(middle);
            QDir().mkpath(folder);
            for (int leaf = 0; leaf < 100; ++leaf) {
                QFile file(QStringLiteral("%1/file-%2.txt").arg(folder).arg(leaf));
                if (!file.open(QIODevice::WriteOnly) ||
                    file.write(QByteArray::number(top * 10000 + middle * 100 + leaf)) < 0) {
                    return 1;
                }
            }
        }
    }
    for (int i = 0; i < 30; ++i) {
        QFile file(QStringLiteral("%1/note %2.txt").arg(home).arg(i));
        if (!file.open(QIODevice::WriteOnly)) {
            return 1;
        }
    }
    return 0;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QCoro::Task<int> browse(Platform* platform, QString folderName) {
    AppModel model(*platform);
    auto& controller = model.controller();
    const auto outcome = co_await controller.configure();
    if (outcome != BackupController::ConfigurationOutcome::configured) {
        std::fprintf(stderr, "not configured\n");
        co_return 1;
    }
    RestoreBrowser browser(controller, *platform->clock, platform->folders.home);
    co_await browser.loadSnapshots(); // also lists the first level once, which warms restic's cache
    const auto snapshot = browser.selectedSnapshot();
    if (!snapshot) {
        std::fprintf(stderr, "no snapshot\n");
        co_return 1;
    }

    // A fresh selection empties the listing cache, so this is the first showing of the level.
    const auto firstStart = SteadyClock::now();
    co_await browser.selectSnapshot(snapshot);
    const double first = millisecondsSince(firstStart);
    const auto firstCount = browser.currentLevelEntries().size();

    LsEntry folder;
    folder.path = platform->folders.home + QLatin1Char('/') + folderName;
    co_await browser.openFolder(folder);
    if (browser.currentLevelEntries().size() != 100 || firstCount != 50) {
        std::fprintf(stderr, "unexpected listing: %lld at the top, %lld in the folder\n",
                     qlonglong(firstCount), qlonglong(browser.currentLevelEntries().size()));
        co_return 1;
    }

    // Every listing from restic passes through the loading state; a revisit must not.
    int listings = 0;
    QObject::connect(&browser, &RestoreBrowser::loadingChanged,
                     [&] { listings += browser.isLoading() ? 1 : 0; });
    std::vector<double> revisits;
    for (int i = 0; i < 100; ++i) {
        const auto start = SteadyClock::now();
        co_await browser.navigate(0);
        co_await browser.openFolder(folder);
        revisits.push_back(millisecondsSince(start) / 2);
        if (browser.currentLevelEntries().size() != 100) {
            std::fprintf(stderr, "a revisit lost its listing\n");
            co_return 1;
        }
    }
    std::printf("%.2f %.4f %.4f %d\n", first, median(revisits),
                *std::max_element(revisits.begin(), revisits.end()), listings);
    co_await controller.whenIdle();
    co_return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const auto arguments = application.arguments();
    if (arguments.size() == 3 && arguments[1] == QLatin1String("make-tree")) {
        return makeTree(arguments[2]);
    }
    if (arguments.size() != 3 || arguments[1] != QLatin1String("browse")) {
        std::fprintf(stderr, "usage: browse_bench make-tree HOME | browse FOLDER\n");
        return 2;
    }
    LivePlatform live;
    int status = 1;
    const auto folderName = arguments[2];
    QTimer::singleShot(0, &application, [&] {
        [](Platform* platform, QString name, int* result) -> QCoro::Task<void> {
            *result = co_await browse(platform, name);
            QCoreApplication::quit();
        }(&live.platform(), folderName, &status);
    });
    application.exec();
    return status;
}
