#include "keychain.h"

#include "build_info.h"

namespace keldoran {

KeychainError::KeychainError(int status, QString message)
    : status_(status)
    , message_(std::move(message))
    , what_(description().toStdString()) {}

QString KeychainError::description() const {
    return tr("The keyring answered with status %1: %2").arg(QString::number(status_), message_);
}

namespace {

KeychainError errorOf(const SecretStore::Failure& failure) {
    return KeychainError(failure.code, failure.message);
}

QCoro::Task<std::optional<QString>> readSecret(SecretStore* store, QString service, QString account) {
    auto result = co_await store->read(service, account);
    if (result.failure) {
        throw errorOf(*result.failure);
    }
    co_return result.value;
}

QCoro::Task<void> removeSecret(SecretStore* store, QString service, QString account) {
    const auto failure = co_await store->remove(service, account);
    if (failure) {
        throw errorOf(*failure);
    }
}

QCoro::Task<void> saveSecret(SecretStore* store, QString service, QString account, QString value) {
    if (value.isEmpty()) {
        co_await removeSecret(store, service, account);
        co_return;
    }
    const auto failure = co_await store->write(service, account, value);
    if (failure) {
        throw errorOf(*failure);
    }
}

} // namespace

QString Keychain::serviceName() {
    return QString::fromLatin1(BuildInfo::bundleIdentifier);
}

QString Keychain::accountName(Account account) {
    switch (account) {
    case Account::accessKey:
        return QStringLiteral("s3.accessKey");
    case Account::secretKey:
        return QStringLiteral("s3.secretKey");
    case Account::repositoryPassword:
        break;
    }
    return QStringLiteral("repository.password");
}

Keychain::Keychain(SecretStore& store, QString service)
    : store_(&store)
    , service_(std::move(service)) {}

QCoro::Task<std::optional<QString>> Keychain::read(Account account) const {
    return readSecret(store_, service_, accountName(account));
}

QCoro::Task<void> Keychain::save(QString value, Account account) const {
    return saveSecret(store_, service_, accountName(account), std::move(value));
}

QCoro::Task<void> Keychain::remove(Account account) const {
    return removeSecret(store_, service_, accountName(account));
}

} // namespace keldoran
