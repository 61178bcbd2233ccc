#pragma once

#include "secret_store.h"

namespace keldoran {

/// Secrets in the desktop's Secret Service (gnome-keyring, KWallet, KeePassXC), spoken to directly over
/// the session bus. Items carry the attributes `server` (service name), `user` (account) and `type`
/// "plaintext", so the desktop's own tools find them and items they stored are read. A locked item or
/// collection is reported as a failure, never as an absent secret; nothing here prompts.
class KeyringSecretStore : public SecretStore {
public:
    /// Failure codes, as log lines show them.
    enum Code { locked = 4, noService = 5, otherError = 7 };

    QCoro::Task<ReadResult> read(QString service, QString account) override;
    QCoro::Task<std::optional<Failure>> write(QString service, QString account, QString value) override;
    QCoro::Task<std::optional<Failure>> remove(QString service, QString account) override;
};

} // namespace keldoran
