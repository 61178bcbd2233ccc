#pragma once

#include "platform/clock.h"
#include "platform/settings_store.h"
#include "scope/backup_scope.h"
#include "storage/storage_config.h"
#include "storage/validation.h"

#include <chrono>
#include <functional>
#include <memory>
#include <qcoro/qcorotask.h>
#include <QLocale>
#include <QObject>
#include <stop_token>

namespace keldoran {

class AppModel;

/// The state behind the setup window: the step, the chosen provider and region, the keys and bucket as
/// typed, the live result of checking them, the repository password and the scope being reviewed. It
/// checks the keys while the user types and sweeps the provider's regions to find the bucket; it stores
/// nothing itself. Main thread only.
class OnboardingModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(int step READ stepNumber NOTIFY stepChanged)
    Q_PROPERTY(bool canContinue READ canContinue NOTIFY canContinueChanged)

public:
    enum class Step {
        welcome = 1,
        fullDiskAccess,
        chooseProvider,
        connectStorage,
        region,
        password,
        scope,
        done
    };

    struct Connection {
        /// bucketMissing: the keys work, but the bucket does not exist (yet).
        enum class State { idle, validating, connected, failed, bucketMissing };
        State state = State::idle;
        QString message;
        bool operator==(const Connection&) const = default;

        static Connection idle() { return {State::idle, {}}; }
        static Connection validating() { return {State::validating, {}}; }
        static Connection connected() { return {State::connected, {}}; }
        static Connection failed(QString message) { return {State::failed, std::move(message)}; }
        static Connection bucketMissing(QString message) {
            return {State::bucketMissing, std::move(message)};
        }
    };

    /// One probe of a candidate configuration with the two keys (the controller's validate).
    using Validator = std::function<QCoro::Task<Validation>(StorageConfig, QString, QString)>;
    /// One probe of the found repository with the keys and a password (the controller's probe).
    using PasswordChecker = std::function<QCoro::Task<Validation>(StorageConfig, QString, QString, QString)>;

    /// Whether the typed password opens the backup found in the bucket.
    enum class PasswordCheck { unchecked, checking, opens, doesNotOpen, failed };

    OnboardingModel(StorageProvider defaultProvider, Clock& clock, SettingsStore& settings,
                    const QString& home, QObject* parent = nullptr);
    /// Stops a validation in flight; it notices and touches nothing more.
    ~OnboardingModel() override;

    static std::optional<Step> stepFromRaw(int raw);
    /// The provider proposed first: the stored "onboardingDefaultProvider" when it names one, otherwise the
    /// locale's preferred provider, which is then stored so the choice stays.
    static StorageProvider chooseDefaultProvider(SettingsStore& settings, const QLocale& locale);

    Step step() const { return step_; }
    int stepNumber() const { return int(step_); }
    void setStep(Step step);
    /// Forward and back by one step; back on the first and forward on the last change nothing. A step
    /// not shown is passed over.
    void goForward();
    void goBack();
    /// The access step is shown only when the home folder cannot be read.
    void setFullDiskAccessStepShown(bool shown);
    /// The step's number among the shown steps, and how many are shown: "Step 2 of 7".
    int shownStepNumber() const;
    int shownStepCount() const;

    const StorageProvider& defaultProvider() const { return defaultProvider_; }
    const StorageProvider& provider() const { return provider_; }
    void selectProvider(const StorageProvider& provider);

    /// Another S3-compatible storage's address, region and bucket addressing as typed; they become the
    /// provider's one region while "Other S3-compatible storage" is chosen.
    void setCustomStorage(const QString& address, const QString& regionCode, bool pathStyle);
    QString customAddress() const { return customAddress_; }
    QString customRegionCode() const { return customRegionCode_; }
    bool customPathStyle() const { return customPathStyle_; }

    bool fullDiskAccessGranted() const { return fullDiskAccessGranted_; }
    void setFullDiskAccessGranted(bool granted);

    QString accessKey() const { return accessKey_; }
    QString secretKey() const { return secretKey_; }
    QString bucket() const { return bucket_; }
    void setAccessKey(const QString& key);
    void setSecretKey(const QString& key);
    void setBucket(const QString& bucket);

    Connection connection() const { return connection_; }
    StorageRegion region() const { return region_; }
    bool needsInit() const { return needsInit_; }
    /// The user lets Keldoran create the missing bucket: only then does a missing bucket let setup go on.
    bool createsBucket() const { return createsBucket_; }
    void setCreatesBucket(bool creates);
    /// The city of the region: "Paris" for "Paris, France".
    QString regionCity() const;

    QString password() const { return password_; }
    QString confirmPassword() const { return confirmPassword_; }
    void setPassword(const QString& password);
    void setConfirmPassword(const QString& password);
    /// For a new backup: at least 8 user-perceived characters, and the confirmation equal. For a
    /// backup the bucket already holds: the password opens it (no confirmation is asked).
    bool passwordValid() const;
    std::optional<QString> passwordMessage() const;
    /// The bucket holds a backup already: the password step asks for its password and checks it.
    bool joinsExistingBackup() const;
    PasswordCheck passwordCheck() const { return passwordCheck_; }
    void setPasswordChecker(PasswordChecker checker) { passwordChecker_ = std::move(checker); }

    BackupScope& scope() { return *scope_; }

    /// Whether the forward button may be pressed on this step.
    bool canContinue() const;

    void setValidator(Validator validator) { validator_ = std::move(validator); }
    std::chrono::milliseconds validationDebounce{400};
    /// Called whenever the access key, secret key or bucket changes: a new check after a pause in typing.
    void scheduleValidation();

    bool isFinishing() const { return finishing_; }
    /// Forward on the last step: completes the setup and starts the first backup. Answers the setup
    /// error's text, or none on success.
    QCoro::Task<std::optional<QString>> finish(AppModel& model);

signals:
    void stepChanged();
    void providerChanged();
    void fullDiskAccessGrantedChanged();
    void fieldsChanged();
    void connectionChanged();
    void regionChanged();
    void passwordChanged();
    void canContinueChanged();
    void finishingChanged();

private:
    static QCoro::Task<void> runValidation(OnboardingModel* model, StorageProvider provider,
                                           QString accessKey, QString secretKey, QString bucket,
                                           std::stop_token stop);
    static QCoro::Task<void> runPasswordCheck(OnboardingModel* model, StorageConfig config, QString accessKey,
                                              QString secretKey, QString password, std::stop_token stop);
    void schedulePasswordCheck();
    void setPasswordCheck(PasswordCheck check, QString failure = {});
    void setConnection(const Connection& connection);
    void setRegion(const StorageRegion& region);
    void applyCustomStorage();
    /// What was found of another storage says nothing of this one.
    void forgetConnection();

    Clock& clock_;
    const StorageProvider defaultProvider_;
    Step step_ = Step::welcome;
    bool fullDiskAccessGranted_ = false;
    bool fullDiskAccessStepShown_ = true;
    StorageProvider provider_;
    QString customAddress_;
    QString customRegionCode_;
    bool customPathStyle_ = false;
    /// Why the custom address or region typed cannot be used.
    std::optional<QString> customProblem_;
    QString accessKey_;
    QString secretKey_;
    QString bucket_;
    Connection connection_;
    StorageRegion region_;
    bool needsInit_ = false;
    bool createsBucket_ = false;
    Validator validator_;
    std::stop_source validation_;
    QString password_;
    QString confirmPassword_;
    PasswordChecker passwordChecker_;
    std::stop_source passwordChecking_;
    PasswordCheck passwordCheck_ = PasswordCheck::unchecked;
    QString passwordCheckFailure_;
    std::unique_ptr<BackupScope> scope_;
    bool finishing_ = false;
};

} // namespace keldoran
