// Setup against the real restic and S3 test server; runs under support/with-private-session.
#include "backup/backup_controller.h"
#include "model/app_model.h"
#include "model/settings_keys.h"
#include "storage/keychain.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/s3_test_server.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>
#include <QTcpServer>
#include <QTemporaryDir>

namespace keldoran {

namespace {

class Setup : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.isRunning());
        server.addClientEnvironment(test.platform().environment);
        model = std::make_unique<AppModel>(test.platform());
    }

    StorageConfig bucket(const QString& name) const {
        return {StorageProvider::scaleway().defaultRegion, name};
    }
    Validation validate(const QString& name, const QString& accessKey = QStringLiteral("S3RVER")) {
        return await(model->controller().validate(bucket(name), accessKey, QStringLiteral("any secret")));
    }
    std::optional<QString> complete(const QString& name, const QString& password) {
        try {
            await(model->controller().completeSetup(bucket(name), QStringLiteral("S3RVER"),
                                                    QStringLiteral("S3RVER"), password,
                                                    Keychain::serviceName(), &test.settings()));
        } catch (const SetupError& error) {
            return error.message();
        }
        return std::nullopt;
    }

    S3TestServer server;
    TestPlatform test;
    std::unique_ptr<AppModel> model;
};

} // namespace

TEST_F(Setup, createsTheRepositoryInAnEmptyBucketAndStoresEverything) {
    EXPECT_EQ(validate(QString::fromLatin1(S3TestServer::bucket)), Validation::reachableNeedsInit());
    EXPECT_EQ(complete(QString::fromLatin1(S3TestServer::bucket), QStringLiteral("a good password")),
              std::nullopt);
    EXPECT_EQ(StorageConfig::load(test.settings()), bucket(QString::fromLatin1(S3TestServer::bucket)));
    const Keychain keychain(test.secrets);
    EXPECT_EQ(await(keychain.read(Keychain::Account::repositoryPassword)), QStringLiteral("a good password"));
    EXPECT_EQ(await(keychain.read(Keychain::Account::accessKey)), QStringLiteral("S3RVER"));
    EXPECT_TRUE(model->controller().isConfigured());
    EXPECT_TRUE(test.services.calls.contains(QStringLiteral("registerAgent")));
    EXPECT_TRUE(model->startAtLogin());

    // Now it holds a repository: recognised without a password, refused with another one.
    EXPECT_EQ(validate(QString::fromLatin1(S3TestServer::bucket)), Validation::reachableExistingRepo());
    EXPECT_EQ(complete(QString::fromLatin1(S3TestServer::bucket), QStringLiteral("another password")),
              QStringLiteral(
                  "This bucket already holds a backup protected by a different password. Enter the password "
                  "that backup was created with."));
    EXPECT_EQ(complete(QString::fromLatin1(S3TestServer::bucket), QStringLiteral("a good password")),
              std::nullopt);
}

// restic answers a missing bucket like an empty one; the bucket itself is asked, so a mistyped name is
// told apart from an empty bucket, and is created only when setup goes on with the user's consent.
TEST_F(Setup, aMissingBucketIsToldApartFromAnEmptyOneAndCreatedWithTheRepository) {
    EXPECT_EQ(validate(QStringLiteral("not-yet-there")), Validation::bucketMissing());
    EXPECT_EQ(validate(QString::fromLatin1(S3TestServer::bucket)), Validation::reachableNeedsInit());
    EXPECT_EQ(complete(QStringLiteral("not-yet-there"), QStringLiteral("a good password")), std::nullopt);
    EXPECT_EQ(validate(QStringLiteral("not-yet-there")), Validation::reachableExistingRepo());
}

TEST_F(Setup, wrongKeysAreRejected) {
    const auto result = validate(QString::fromLatin1(S3TestServer::bucket), QStringLiteral("AKIAWRONGWRONG"));
    ASSERT_EQ(result.kind, Validation::Kind::failed);
    EXPECT_EQ(SetupMessages::userMessage(result.message),
              QStringLiteral(
                  "Those keys were rejected. Double-check the access key and secret key, then try again."));
    EXPECT_FALSE(StorageConfig::load(test.settings()).has_value()); // nothing is stored before success
}

TEST_F(Setup, anUnreachableEndpointFailsAfterTheTimeLimitAsANetworkFailure) {
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost, 0);
    const auto port = closed.serverPort();
    closed.close(); // nothing listens there now
    test.platform().environment.insert(QStringLiteral("KELDORAN_S3_ENDPOINT"),
                                       QStringLiteral("127.0.0.1:%1").arg(port));

    auto probe = model->controller().validate(bucket(QStringLiteral("bucket-b")), QStringLiteral("S3RVER"),
                                              QStringLiteral("x"));
    ASSERT_TRUE(spinUntil([&] { return test.clock.pendingCalls() > 0; }));
    QCoreApplication::processEvents();
    EXPECT_FALSE(probe.isReady()); // restic keeps retrying
    test.clock.advance(BackupController::probeTimeLimitSeconds);
    const auto result = await(std::move(probe));
    ASSERT_EQ(result.kind, Validation::Kind::failed);
    EXPECT_EQ(SetupMessages::userMessage(result.message),
              QStringLiteral("Couldn't reach Scaleway. Check your internet connection and try again."));
}

// What restic says about the repository's location is no error: a bucket may be named after one.
// Without its restic Keldoran says so, never that the keys or the bucket are wrong.
TEST_F(Setup, aMissingResticIsSaidAsSuch) {
    const QTemporaryDir empty;
    test.platform().resticDirectory = empty.path();
    const auto missing = QStringLiteral("The restic executable is missing from the app.");
    const auto validation = validate(QStringLiteral("any-bucket"));
    EXPECT_EQ(validation.kind, Validation::Kind::failed);
    EXPECT_EQ(SetupMessages::userMessage(validation.message), missing);
    EXPECT_EQ(complete(QStringLiteral("any-bucket"), QStringLiteral("a sturdy password")), missing);
}

TEST(SetupBucketNames, anEmptyBucketNamedLikeAnErrorCanBeSetUp) {
    const QStringList names{QStringLiteral("forbidden-403"), QStringLiteral("access-denied-backups"),
                            QStringLiteral("dial-tcp-no-such-host")};
    S3TestServer server(names);
    ASSERT_TRUE(server.isRunning());
    TestPlatform test;
    server.addClientEnvironment(test.platform().environment);
    AppModel model(test.platform());
    for (const auto& name : names) {
        const StorageConfig config{StorageProvider::scaleway().defaultRegion, name};
        EXPECT_EQ(await(model.controller().validate(config, QStringLiteral("S3RVER"), QStringLiteral("x"))),
                  Validation::reachableNeedsInit())
            << name.toStdString();
    }
}

} // namespace keldoran
