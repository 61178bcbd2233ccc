#pragma once

#include "secret_store.h"

/// Secrets in the desktop's Secret Service (gnome-keyring, KWallet, KeePassXC) through QtKeychain, on the
/// session bus. A locked default collection answers reads like "not found": that case is recognised
/// and reported as a failure, not as an absent secret.
class KeyringSecretStore : public SecretStore {
public:
    QCoro::Task<ReadResult> read(QString service, QString account) override;
    QCoro::Task<std::optional<Failure>> write(QString service, QString account, QString value) override;
    QCoro::Task<std::optional<Failure>> remove(QString service, QString account) override;
};
