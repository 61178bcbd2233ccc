// AppRemoval with the session's real (throwaway) keyring; runs under support/with-keyring.
#include "setup/app_removal.h"
#include "storage/keychain.h"
#include "support/coroutines.h"
#include "support/local_repository.h"
#include "support/log_capture.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>

namespace keldoran {

TEST(AppRemoval, removesEverythingButTheResticCacheUnlessAsked) {
    TestPlatform test;
    test.storeConfiguration();
    test.services.loginItem = ServiceRegistration::Status::enabled;
    const auto removal = AppRemoval::live(test.platform());
    writeFile(removal.locations.logs + QStringLiteral("/Keldoran.log"), "a line\n");
    writeFile(removal.locations.appCaches + QStringLiteral("/x"), "cached");
    writeFile(removal.locations.resticCache + QStringLiteral("/data/pack"), QByteArray(10000, 'p'));
    EXPECT_EQ(removal.locations.appCaches,
              test.platform().folders.caches + QStringLiteral("/app.keldoran.Keldoran"));
    EXPECT_GE(AppRemoval::directorySize(removal.locations.resticCache).value_or(0), 10000);

    LogCapture log;
    const auto outcome = await(removal.run(false));
    using Step = AppRemoval::Step;
    EXPECT_EQ(outcome.removed,
              (QList<Step>{Step::loginItem, Step::backgroundAgent, Step::keychain, Step::preferences,
                           Step::logs, Step::httpStorages, Step::appCaches}));
    EXPECT_TRUE(outcome.failed.isEmpty());
    const Keychain keychain(test.secrets);
    EXPECT_EQ(await(keychain.read(Keychain::Account::repositoryPassword)), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(IniSettingsStore::standardPath(test.platform().folders.configuration)));
    EXPECT_FALSE(QFileInfo::exists(removal.locations.logs));
    EXPECT_FALSE(QFileInfo::exists(removal.locations.appCaches));
    EXPECT_TRUE(QFileInfo::exists(removal.locations.resticCache));
    EXPECT_TRUE(test.services.calls.contains(QStringLiteral("unregisterLoginItem")));
    EXPECT_TRUE(test.services.calls.contains(QStringLiteral("unregisterAgent")));
    EXPECT_EQ(log.messages(QStringLiteral("lifecycle")).last(),
              QStringLiteral("app removal: removed loginItem, backgroundAgent, keychain, preferences, logs, "
                             "httpStorages, appCaches; "
                             "failed "));

    // Again, with nothing left to remove and restic's cache included: everything counts as removed.
    const auto again = await(removal.run(true));
    EXPECT_EQ(again.removed.size(), 8);
    EXPECT_FALSE(QFileInfo::exists(removal.locations.resticCache));
    EXPECT_EQ(AppRemoval::directorySize(removal.locations.resticCache), std::nullopt);
}

TEST(AppRemoval, aFolderThatCannotBeDeletedFailsItsStepAndTheOthersGoOn) {
    TestPlatform test;
    auto removal = AppRemoval::live(test.platform());
    // Even root cannot delete what the kernel presents under /proc.
    removal.locations.logs = QStringLiteral("/proc/self/task");
    LogCapture log;
    const auto outcome = await(removal.run(false));
    EXPECT_EQ(outcome.failed, QList<AppRemoval::Step>{AppRemoval::Step::logs});
    EXPECT_TRUE(outcome.removed.contains(AppRemoval::Step::appCaches));
    const auto lines = log.messages(QStringLiteral("lifecycle"));
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[lines.size() - 2].startsWith(QStringLiteral("app removal: task not removed: ")))
        << lines[lines.size() - 2].toStdString();
    EXPECT_TRUE(lines.last().endsWith(QStringLiteral("; failed logs")));
}

} // namespace keldoran
