#pragma once

#include "platform/secret_store.h"

#include <exception>
#include <optional>
#include <QCoreApplication>
#include <qcoro/qcorotask.h>
#include <QString>
#include <string>

namespace keldoran {

/// The secret store could not do what was asked; it carries the store's status and message.
class KeychainError : public std::exception {
    Q_DECLARE_TR_FUNCTIONS(KeychainError)

public:
    KeychainError(int status, QString message);
    int status() const { return status_; }
    QString description() const;
    const char* what() const noexcept override { return what_.c_str(); }

private:
    int status_;
    QString message_;
    std::string what_;
};

/// The three secrets, kept only in the user's secret store under the application's service name.
/// Reading distinguishes an absent secret (none) from an unreadable store (KeychainError).
class Keychain {
public:
    enum class Account { accessKey, secretKey, repositoryPassword };

    /// "app.keldoran.Keldoran".
    static QString serviceName();
    /// "s3.accessKey", "s3.secretKey", "repository.password".
    static QString accountName(Account account);

    explicit Keychain(SecretStore& store, QString service = serviceName());

    QCoro::Task<std::optional<QString>> read(Account account) const;
    /// Saving twice leaves one item with the second value; saving an empty text deletes the item.
    QCoro::Task<void> save(QString value, Account account) const;
    /// Deleting an absent item succeeds.
    QCoro::Task<void> remove(Account account) const;

private:
    SecretStore* store_;
    QString service_;
};

} // namespace keldoran
