#pragma once

#include <QString>

namespace keldoran {

/// Helpers for tests that run under support/with-keyring, in a private session with a throwaway keyring.
namespace TestKeyring {
/// Locks the default collection, as a screen lock would.
bool lockDefaultCollection();
/// Stops the keyring daemon, leaving a session bus without any Secret Service.
bool stopSecretService();
/// Runs secret-tool with the arguments and returns its standard output; `input` goes to its stdin.
QString secretTool(const QStringList& arguments, const QByteArray& input = {});
} // namespace TestKeyring

} // namespace keldoran
