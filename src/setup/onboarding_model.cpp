#include "onboarding_model.h"

#include "backup/backup_controller.h"
#include "model/app_model.h"
#include "model/settings_keys.h"
#include "storage/bucket_name.h"
#include "storage/custom_endpoint.h"
#include "storage/keychain.h"

#include <QSet>
#include <QTextBoundaryFinder>

namespace keldoran {

OnboardingModel::OnboardingModel(StorageProvider defaultProvider, Clock& clock, SettingsStore& settings,
                                 const QString& home, QObject* parent)
    : QObject(parent)
    , clock_(clock)
    , defaultProvider_(std::move(defaultProvider))
    , provider_(defaultProvider_)
    , region_(defaultProvider_.defaultRegion)
    , scope_(std::make_unique<BackupScope>(settings, home)) {
    for (auto signal : {&OnboardingModel::stepChanged, &OnboardingModel::connectionChanged,
                        &OnboardingModel::passwordChanged, &OnboardingModel::fullDiskAccessGrantedChanged,
                        &OnboardingModel::finishingChanged}) {
        connect(this, signal, this, &OnboardingModel::canContinueChanged);
    }
    if (provider_.id == StorageProviderId::custom) {
        applyCustomStorage();
        region_ = provider_.defaultRegion;
    }
}

OnboardingModel::~OnboardingModel() {
    validation_.request_stop();
    passwordChecking_.request_stop();
}

std::optional<OnboardingModel::Step> OnboardingModel::stepFromRaw(int raw) {
    if (raw < int(Step::welcome) || raw > int(Step::done)) {
        return std::nullopt;
    }
    return Step(raw);
}

StorageProvider OnboardingModel::chooseDefaultProvider(SettingsStore& settings, const QLocale& locale) {
    if (const auto stored = settings.stringValue(SettingsKeys::onboardingDefaultProvider)) {
        if (const auto id = storageProviderIdFromRaw(*stored)) {
            return StorageProvider::withId(*id);
        }
    }
    const auto chosen = StorageProvider::preferredDefault(locale);
    settings.setValue(SettingsKeys::onboardingDefaultProvider, rawValue(chosen.id));
    return chosen;
}

void OnboardingModel::setStep(Step step) {
    if (step_ != step) {
        step_ = step;
        emit stepChanged();
    }
}

void OnboardingModel::goForward() {
    if (step_ != Step::done) {
        auto next = Step(int(step_) + 1);
        if (next == Step::fullDiskAccess && !fullDiskAccessStepShown_) {
            next = Step::chooseProvider;
        }
        setStep(next);
    }
}

void OnboardingModel::goBack() {
    if (step_ != Step::welcome) {
        auto previous = Step(int(step_) - 1);
        if (previous == Step::fullDiskAccess && !fullDiskAccessStepShown_) {
            previous = Step::welcome;
        }
        setStep(previous);
    }
}

void OnboardingModel::setFullDiskAccessStepShown(bool shown) {
    fullDiskAccessStepShown_ = shown;
    emit stepChanged();
}

int OnboardingModel::shownStepNumber() const {
    const bool skipped = !fullDiskAccessStepShown_ && step_ > Step::fullDiskAccess;
    return int(step_) - (skipped ? 1 : 0);
}

int OnboardingModel::shownStepCount() const {
    return int(Step::done) - (fullDiskAccessStepShown_ ? 0 : 1);
}

void OnboardingModel::selectProvider(const StorageProvider& provider) {
    // The same custom storage chosen again keeps the address typed for it.
    if (provider.id == provider_.id) {
        return;
    }
    provider_ = provider;
    if (provider.id == StorageProviderId::custom) {
        applyCustomStorage();
    }
    forgetConnection();
    emit providerChanged();
}

void OnboardingModel::setCustomStorage(const QString& address, const QString& regionCode, bool pathStyle) {
    customAddress_ = address;
    customRegionCode_ = regionCode;
    customPathStyle_ = pathStyle;
    if (provider_.id == StorageProviderId::custom) {
        applyCustomStorage();
        forgetConnection();
        emit fieldsChanged();
    }
}

void OnboardingModel::forgetConnection() {
    setRegion(provider_.defaultRegion);
    setConnection(Connection::idle());
    needsInit_ = false;
}

void OnboardingModel::applyCustomStorage() {
    auto region = CustomEndpoint::region(customAddress_, customRegionCode_, customPathStyle_);
    if (const auto* usable = std::get_if<StorageRegion>(&region)) {
        customProblem_.reset();
        provider_ = StorageProvider::custom(*usable);
    } else {
        customProblem_ = std::get<QString>(region);
        provider_ = StorageProvider::custom({});
    }
}

void OnboardingModel::setFullDiskAccessGranted(bool granted) {
    if (fullDiskAccessGranted_ != granted) {
        fullDiskAccessGranted_ = granted;
        emit fullDiskAccessGrantedChanged();
    }
}

void OnboardingModel::setAccessKey(const QString& key) {
    if (accessKey_ != key) {
        accessKey_ = key;
        emit fieldsChanged();
    }
}

void OnboardingModel::setSecretKey(const QString& key) {
    if (secretKey_ != key) {
        secretKey_ = key;
        emit fieldsChanged();
    }
}

void OnboardingModel::setBucket(const QString& bucket) {
    if (bucket_ != bucket) {
        bucket_ = bucket;
        // Consent to create the missing bucket was for the name it was given with.
        if (connection_.state == Connection::State::bucketMissing) {
            setConnection(Connection::idle());
        }
        emit fieldsChanged();
    }
}

QString OnboardingModel::regionCity() const {
    const auto regions = provider_.allRegions();
    const auto known = std::find(regions.begin(), regions.end(), region_);
    const auto name = known != regions.end() ? known->shownName() : region_.shownName();
    return name.section(QLatin1Char(','), 0, 0);
}

void OnboardingModel::setPassword(const QString& password) {
    if (password_ != password) {
        password_ = password;
        schedulePasswordCheck();
        emit passwordChanged();
    }
}

bool OnboardingModel::joinsExistingBackup() const {
    return connection_.state == Connection::State::connected && !needsInit_;
}

void OnboardingModel::setConfirmPassword(const QString& password) {
    if (confirmPassword_ != password) {
        confirmPassword_ = password;
        emit passwordChanged();
    }
}

namespace {
// Characters as a reader counts them: "é" written as e and a combining accent is one.
int perceivedLength(const QString& text) {
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (graphemes.toNextBoundary() != -1) {
        ++count;
    }
    return count;
}
} // namespace

bool OnboardingModel::passwordValid() const {
    if (joinsExistingBackup()) {
        // Without a checker (keldoranctl) finishing probes the password anyway.
        return !password_.isEmpty() && (!passwordChecker_ || passwordCheck_ == PasswordCheck::opens);
    }
    return perceivedLength(password_) >= 8 && password_ == confirmPassword_;
}

std::optional<QString> OnboardingModel::passwordMessage() const {
    if (password_.isEmpty()) {
        return std::nullopt;
    }
    if (joinsExistingBackup()) {
        switch (passwordCheck_) {
        case PasswordCheck::checking:
            return tr("Checking…");
        case PasswordCheck::doesNotOpen:
            return tr("That password doesn't open this backup.");
        case PasswordCheck::failed:
            return SetupMessages::userMessage(passwordCheckFailure_, provider_.id);
        default:
            return std::nullopt;
        }
    }
    if (perceivedLength(password_) < 8) {
        return tr("Use at least 8 characters.");
    }
    if (confirmPassword_.isEmpty() || confirmPassword_ == password_) {
        return std::nullopt;
    }
    return tr("Passwords don't match.");
}

bool OnboardingModel::canContinue() const {
    switch (step_) {
    case Step::fullDiskAccess:
        return fullDiskAccessGranted_;
    case Step::connectStorage:
        return connection_.state == Connection::State::connected ||
               (connection_.state == Connection::State::bucketMissing && createsBucket_);
    case Step::password:
        return passwordValid();
    case Step::done:
        return !finishing_;
    default:
        return true;
    }
}

void OnboardingModel::setCreatesBucket(bool creates) {
    if (createsBucket_ != creates) {
        createsBucket_ = creates;
        emit connectionChanged();
    }
}

void OnboardingModel::setConnection(const Connection& connection) {
    if (connection_ != connection) {
        connection_ = connection;
        // Consent to create one bucket is not consent to create another.
        createsBucket_ = false;
        // A password checked against one bucket says nothing of another.
        schedulePasswordCheck();
        emit connectionChanged();
    }
}

void OnboardingModel::setPasswordCheck(PasswordCheck check, QString failure) {
    if (passwordCheck_ != check || passwordCheckFailure_ != failure) {
        passwordCheck_ = check;
        passwordCheckFailure_ = std::move(failure);
        emit passwordChanged();
    }
}

void OnboardingModel::schedulePasswordCheck() {
    passwordChecking_.request_stop();
    setPasswordCheck(PasswordCheck::unchecked);
    if (!joinsExistingBackup() || !passwordChecker_ || password_.isEmpty()) {
        return;
    }
    passwordChecking_ = std::stop_source();
    runPasswordCheck(this, {region_, bucket_}, accessKey_, secretKey_, password_,
                     passwordChecking_.get_token());
}

QCoro::Task<void> OnboardingModel::runPasswordCheck(OnboardingModel* model, StorageConfig config,
                                                    QString accessKey, QString secretKey, QString password,
                                                    std::stop_token stop) {
    // Each key derivation costs restic most of a second: check once typing pauses.
    if (!co_await sleepFor(&model->clock_, model->validationDebounce, stop)) {
        co_return;
    }
    model->setPasswordCheck(PasswordCheck::checking);
    const auto checker = model->passwordChecker_;
    const auto result = co_await checker(config, accessKey, secretKey, password);
    if (stop.stop_requested()) {
        co_return;
    }
    if (result.kind == Validation::Kind::reachableExistingRepo) {
        model->setPasswordCheck(PasswordCheck::opens);
    } else if (result.message.contains(QLatin1String("wrong password"), Qt::CaseInsensitive)) {
        model->setPasswordCheck(PasswordCheck::doesNotOpen);
    } else {
        model->setPasswordCheck(PasswordCheck::failed, result.message);
    }
}

void OnboardingModel::setRegion(const StorageRegion& region) {
    if (region_ != region) {
        region_ = region;
        emit regionChanged();
    }
}

void OnboardingModel::scheduleValidation() {
    validation_.request_stop();
    if (accessKey_.isEmpty() || secretKey_.isEmpty() || bucket_.isEmpty()) {
        setConnection(Connection::idle());
        return;
    }
    if (provider_.id == StorageProviderId::custom && customProblem_) {
        setConnection(Connection::failed(*customProblem_));
        return;
    }
    validation_ = std::stop_source();
    runValidation(this, provider_, accessKey_, secretKey_, bucket_, validation_.get_token());
}

QCoro::Task<void> OnboardingModel::runValidation(OnboardingModel* model, StorageProvider provider,
                                                 QString accessKey, QString secretKey, QString bucket,
                                                 std::stop_token stop) {
    const bool waited = co_await sleepFor(&model->clock_, model->validationDebounce, stop);
    if (!waited) {
        co_return;
    }
    if (!isValidBucketName(bucket)) {
        model->setConnection(Connection::failed(SetupMessages::invalidBucketName()));
        co_return;
    }
    model->setConnection(Connection::validating());
    if (!model->validator_) {
        const bool paused = co_await sleepFor(&model->clock_, std::chrono::milliseconds(700), stop);
        if (paused) {
            model->setConnection(accessKey.size() < 8 ? Connection::failed(tr("Couldn't reach the bucket."))
                                                      : Connection::connected());
        }
        co_return;
    }
    auto lastMessage = SetupMessages::bucketNotFound(bucket);
    auto queue = provider.allRegions();
    QList<StorageRegion> tried;
    const auto validator = model->validator_;
    // The queue grows when a region redirects to one not yet tried.
    for (qsizetype index = 0; index < queue.size(); ++index) {
        const auto region = queue[index];
        if (tried.contains(region)) {
            continue;
        }
        tried.append(region);
        if (stop.stop_requested()) {
            co_return;
        }
        const StorageConfig candidate{region, bucket}; // named: g++ 12 mishandles temporaries inside co_await
        const auto result = co_await validator(candidate, accessKey, secretKey);
        if (stop.stop_requested()) {
            co_return;
        }
        switch (result.kind) {
        case Validation::Kind::reachableNeedsInit:
        case Validation::Kind::reachableExistingRepo:
            model->setRegion(region);
            model->needsInit_ = result.kind == Validation::Kind::reachableNeedsInit;
            model->setConnection(Connection::connected());
            co_return;
        case Validation::Kind::bucketMissing:
            // Bucket names are one namespace per provider: missing here is missing everywhere.
            model->setRegion(region);
            model->needsInit_ = true;
            model->setConnection(
                Connection::bucketMissing(SetupMessages::bucketMissing(bucket, model->regionCity())));
            co_return;
        case Validation::Kind::wrongRegion:
            if (!tried.contains(result.region)) {
                queue.append(result.region);
            }
            break;
        case Validation::Kind::failed:
            lastMessage = result.message;
            break;
        }
    }
    model->setConnection(Connection::failed(SetupMessages::userMessage(lastMessage, provider.id)));
}

QCoro::Task<std::optional<QString>> OnboardingModel::finish(AppModel& model) {
    finishing_ = true;
    emit finishingChanged();
    std::optional<QString> error;
    try {
        const StorageConfig config{region_, bucket_};
        const auto service = Keychain::serviceName();
        co_await model.controller().completeSetup(config, accessKey_, secretKey_, password_, service,
                                                  model.platform().settings);
    } catch (const SetupError& failure) {
        error = failure.message();
    } catch (const std::exception& failure) {
        error = QString::fromUtf8(failure.what());
    }
    finishing_ = false;
    emit finishingChanged();
    if (!error) {
        // This window's scope wrote the choices; the model's may have read them before.
        model.scope().reload();
        model.backUpNow();
    }
    co_return error;
}

} // namespace keldoran
