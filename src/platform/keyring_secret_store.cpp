#include "keyring_secret_store.h"

#include <memory>
#include <qcoro/qcorodbus.h>
#include <qcoro/qcorosignal.h>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <qt6keychain/keychain.h>

namespace {

struct LaterDeleter {
    void operator()(QObject* object) const { object->deleteLater(); }
};

template <typename Job>
std::unique_ptr<Job, LaterDeleter> makeJob(const QString& service, const QString& account) {
    std::unique_ptr<Job, LaterDeleter> job(new Job(service));
    job->setAutoDelete(false);
    job->setInsecureFallback(false);
    job->setKey(account);
    return job;
}

// Starts the job and waits for it; the wait is connected before the job can finish.
QCoro::Task<void> finish(QKeychain::Job* job) {
    auto finished = qCoro(job, &QKeychain::Job::finished);
    job->start();
    co_await finished;
}

SecretStore::Failure failureOf(const QKeychain::Job& job) {
    return {int(job.error()), job.errorString()};
}

// Whether the default collection is locked. A store with no default collection holds nothing, so it is
// not locked; any other failure to ask means the store cannot be read.
QCoro::Task<std::optional<SecretStore::Failure>> lockedCollection() {
    auto message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.secrets"), QStringLiteral("/org/freedesktop/secrets/aliases/default"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    message << QStringLiteral("org.freedesktop.Secret.Collection") << QStringLiteral("Locked");
    const QDBusPendingCall call = QDBusConnection::sessionBus().asyncCall(message);
    const QDBusMessage reply = co_await call;
    if (reply.type() == QDBusMessage::ErrorMessage) {
        if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.UnknownObject") ||
            reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod")) {
            co_return std::nullopt;
        }
        co_return SecretStore::Failure{int(QKeychain::OtherError), reply.errorMessage()};
    }
    const auto locked = reply.arguments().value(0).value<QDBusVariant>().variant().toBool();
    if (locked) {
        co_return SecretStore::Failure{int(QKeychain::AccessDenied),
                                       QStringLiteral("The keyring is locked.")};
    }
    co_return std::nullopt;
}

} // namespace

QCoro::Task<SecretStore::ReadResult> KeyringSecretStore::read(QString service, QString account) {
    auto job = makeJob<QKeychain::ReadPasswordJob>(service, account);
    co_await finish(job.get());
    if (job->error() == QKeychain::NoError) {
        co_return ReadResult{job->textData(), std::nullopt};
    }
    if (job->error() != QKeychain::EntryNotFound) {
        co_return ReadResult{std::nullopt, failureOf(*job)};
    }
    auto locked = co_await lockedCollection();
    co_return ReadResult{std::nullopt, std::move(locked)};
}

QCoro::Task<std::optional<SecretStore::Failure>> KeyringSecretStore::write(QString service, QString account,
                                                                           QString value) {
    auto job = makeJob<QKeychain::WritePasswordJob>(service, account);
    job->setTextData(value);
    co_await finish(job.get());
    if (job->error() != QKeychain::NoError) {
        co_return failureOf(*job);
    }
    co_return std::nullopt;
}

QCoro::Task<std::optional<SecretStore::Failure>> KeyringSecretStore::remove(QString service,
                                                                            QString account) {
    auto job = makeJob<QKeychain::DeletePasswordJob>(service, account);
    co_await finish(job.get());
    if (job->error() != QKeychain::NoError && job->error() != QKeychain::EntryNotFound) {
        co_return failureOf(*job);
    }
    co_return std::nullopt;
}
