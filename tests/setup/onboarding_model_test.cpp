#include "backup/operation_handle.h"
#include "model/settings_keys.h"
#include "setup/onboarding_model.h"
#include "support/coroutines.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>
#include <QCoreApplication>

namespace keldoran {

namespace {

using Step = OnboardingModel::Step;
using Connection = OnboardingModel::Connection;

const StorageRegion& region(const char* code) {
    static QHash<QString, StorageRegion> regions;
    for (const auto& provider : StorageProvider::all()) {
        for (const auto& candidate : provider.allRegions()) {
            regions.insert(candidate.code, candidate);
        }
    }
    return regions[QLatin1String(code)];
}

/// Answers probes by region code and records them; can hold every probe until released.
struct ScriptedValidator {
    QHash<QString, Validation> answers;
    QStringList probed;
    std::shared_ptr<OperationHandle> gate;

    OnboardingModel::Validator function() {
        return [this](StorageConfig config, QString, QString) {
            return answer(this, config.region.code);
        };
    }
    static QCoro::Task<Validation> answer(ScriptedValidator* self, QString code) {
        self->probed.append(code);
        if (self->gate) {
            co_await OperationHandle::wait(self->gate);
        }
        co_return self->answers.value(code, Validation::failed(QStringLiteral("NoSuchBucket")));
    }
};

class Onboarding : public ::testing::Test {
protected:
    // Lets the clock pass, then the queued work run.
    void pass(qint64 milliseconds) {
        test.clock.set(test.clock.now().addMSecs(milliseconds));
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
        }
    }

    void typeKeys(const QString& bucket = QStringLiteral("backups")) {
        model.setAccessKey(QStringLiteral("SCWACCESSKEY"));
        model.setSecretKey(QStringLiteral("secret"));
        model.setBucket(bucket);
        model.scheduleValidation();
    }

    TestPlatform test;
    OnboardingModel model{StorageProvider::scaleway(), test.clock, test.settings(), test.home()};
    ScriptedValidator validator;
};

} // namespace

TEST_F(Onboarding, leadsThroughTheStepsAndGatesTheForwardButton) {
    EXPECT_EQ(model.step(), Step::welcome);
    EXPECT_EQ(OnboardingModel::stepFromRaw(4), Step::connectStorage);
    EXPECT_EQ(OnboardingModel::stepFromRaw(0), std::nullopt);
    EXPECT_EQ(OnboardingModel::stepFromRaw(9), std::nullopt);
    model.goBack();
    EXPECT_EQ(model.step(), Step::welcome);
    EXPECT_TRUE(model.canContinue());
    model.goForward();
    EXPECT_EQ(model.step(), Step::fullDiskAccess);
    EXPECT_FALSE(model.canContinue());
    model.setFullDiskAccessGranted(true);
    EXPECT_TRUE(model.canContinue());
    model.goForward();
    model.goForward();
    EXPECT_EQ(model.step(), Step::connectStorage);
    EXPECT_FALSE(model.canContinue());
    model.setStep(Step::done);
    model.goForward();
    EXPECT_EQ(model.step(), Step::done);
    EXPECT_TRUE(model.canContinue());
}

TEST_F(Onboarding, checksThePasswordAsTheUserTypes) {
    model.setStep(Step::password);
    EXPECT_EQ(model.passwordMessage(), std::nullopt);
    model.setPassword(QStringLiteral("seven77"));
    model.setConfirmPassword(QStringLiteral("seven77"));
    EXPECT_EQ(model.passwordMessage(), QStringLiteral("Use at least 8 characters."));
    EXPECT_FALSE(model.canContinue());
    model.setPassword(QStringLiteral("eight888"));
    model.setConfirmPassword(QString());
    EXPECT_EQ(model.passwordMessage(), std::nullopt);
    EXPECT_FALSE(model.canContinue());
    model.setConfirmPassword(QStringLiteral("eight889"));
    EXPECT_EQ(model.passwordMessage(), QStringLiteral("Passwords don't match."));
    model.setConfirmPassword(QStringLiteral("eight888"));
    EXPECT_TRUE(model.canContinue());

    // Characters as a reader counts them.
    const QString accented = QString(QStringLiteral("e\u0301")).repeated(8); // 16 code units, 8 characters
    model.setPassword(accented);
    model.setConfirmPassword(accented);
    EXPECT_TRUE(model.passwordValid());
    const QString emoji = QString(QStringLiteral("\U0001F510")).repeated(5); // 10 code units, 5 characters
    model.setPassword(emoji);
    EXPECT_EQ(model.passwordMessage(), QStringLiteral("Use at least 8 characters."));
}

TEST_F(Onboarding, typingValidatesOnceAfterAPause) {
    model.setValidator(validator.function());
    validator.answers.insert(QStringLiteral("fr-par"), Validation::reachableExistingRepo());
    for (int i = 0; i < 3; ++i) {
        typeKeys(QStringLiteral("backups").left(5 + i));
        pass(300);
    }
    EXPECT_TRUE(validator.probed.isEmpty());
    pass(100);
    EXPECT_EQ(validator.probed, QStringList{QStringLiteral("fr-par")});
    EXPECT_EQ(model.connection(), Connection::connected());
    EXPECT_FALSE(model.needsInit());
    EXPECT_EQ(model.regionCity(), QStringLiteral("Paris"));
}

TEST_F(Onboarding, sweepsTheRegionsInOrderAndFollowsRedirects) {
    model.setValidator(validator.function());
    validator.answers.insert(QStringLiteral("fr-par"), Validation::wrongRegion(region("pl-waw")));
    validator.answers.insert(QStringLiteral("nl-ams"), Validation::failed(QStringLiteral("Access Denied")));
    validator.answers.insert(QStringLiteral("pl-waw"), Validation::reachableNeedsInit());
    typeKeys();
    pass(400);
    EXPECT_EQ(validator.probed, (QStringList{"fr-par", "nl-ams", "pl-waw"}));
    EXPECT_EQ(model.connection(), Connection::connected());
    EXPECT_TRUE(model.needsInit());
    EXPECT_EQ(model.region(), region("pl-waw"));
    EXPECT_EQ(model.regionCity(), QStringLiteral("Warsaw"));

    // Every region redirecting elsewhere: the not-found text maps to the wrong-region sentence.
    validator.probed.clear();
    validator.answers = {{QStringLiteral("fr-par"), Validation::wrongRegion(region("nl-ams"))},
                         {QStringLiteral("nl-ams"), Validation::wrongRegion(region("pl-waw"))},
                         {QStringLiteral("pl-waw"), Validation::wrongRegion(region("fr-par"))}};
    model.setBucket(QStringLiteral("other"));
    model.scheduleValidation();
    pass(400);
    EXPECT_EQ(validator.probed, (QStringList{"fr-par", "nl-ams", "pl-waw"}));
    EXPECT_EQ(
        model.connection(),
        Connection::failed(QStringLiteral(
            "That bucket is in a different region than expected. Check the bucket name, then try again.")));

    validator.answers.clear(); // every probe fails with the last message mapped
    model.setBucket(QStringLiteral("third"));
    model.scheduleValidation();
    pass(400);
    EXPECT_EQ(model.connection(), Connection::failed(QStringLiteral(
                                      "Couldn't find that bucket. Check the bucket name, then try again.")));
}

TEST_F(Onboarding, clearingAFieldWhileValidatingStopsTheSweep) {
    model.setValidator(validator.function());
    validator.gate = std::make_shared<OperationHandle>();
    validator.answers.insert(QStringLiteral("fr-par"), Validation::reachableExistingRepo());
    typeKeys();
    pass(400);
    EXPECT_EQ(model.connection(), Connection::validating());
    model.setAccessKey(QString());
    model.scheduleValidation();
    EXPECT_EQ(model.connection(), Connection::idle());
    validator.gate->markFinished();
    pass(0);
    EXPECT_EQ(model.connection(), Connection::idle()); // the cancelled sweep changes nothing after
    EXPECT_EQ(validator.probed.size(), 1);
}

TEST_F(Onboarding, withoutAValidatorTheKeysAloneDecide) {
    model.setAccessKey(QStringLiteral("short"));
    model.setSecretKey(QStringLiteral("s"));
    model.setBucket(QStringLiteral("my-bucket"));
    model.scheduleValidation();
    pass(400);
    EXPECT_EQ(model.connection(), Connection::validating());
    pass(700);
    EXPECT_EQ(model.connection(), Connection::failed(QStringLiteral("Couldn't reach the bucket.")));
}

TEST_F(Onboarding, choosingAnotherProviderStartsOverButTheSameKeepsTheState) {
    model.setValidator(validator.function());
    validator.answers.insert(QStringLiteral("nl-ams"), Validation::reachableNeedsInit());
    typeKeys();
    pass(400);
    EXPECT_EQ(model.connection(), Connection::connected());
    model.selectProvider(StorageProvider::scaleway());
    EXPECT_EQ(model.connection(), Connection::connected());
    model.selectProvider(StorageProvider::ovhcloud());
    EXPECT_EQ(model.connection(), Connection::idle());
    EXPECT_EQ(model.region(), StorageProvider::ovhcloud().defaultRegion);
    EXPECT_FALSE(model.needsInit());
    EXPECT_EQ(model.regionCity(), QStringLiteral("Gravelines"));
}

TEST_F(Onboarding, theDefaultProviderIsChosenOnceAndKept) {
    auto& settings = test.settings();
    EXPECT_EQ(OnboardingModel::chooseDefaultProvider(settings, QLocale(QLocale::German, QLocale::Germany)).id,
              StorageProviderId::scaleway);
    EXPECT_EQ(settings.stringValue(SettingsKeys::onboardingDefaultProvider), QStringLiteral("scaleway"));
    settings.setValue(SettingsKeys::onboardingDefaultProvider, QStringLiteral("ionos"));
    EXPECT_EQ(OnboardingModel::chooseDefaultProvider(settings, QLocale::c()).id, StorageProviderId::ionos);
    settings.setValue(SettingsKeys::onboardingDefaultProvider, QStringLiteral("a-provider-now-gone"));
    EXPECT_EQ(OnboardingModel::chooseDefaultProvider(settings, QLocale::c()).id, StorageProviderId::scaleway);
    EXPECT_EQ(settings.stringValue(SettingsKeys::onboardingDefaultProvider), QStringLiteral("scaleway"));
}

} // namespace keldoran
