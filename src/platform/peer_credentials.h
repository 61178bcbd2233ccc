#pragma once

#include <QtGlobal>

namespace keldoran {

/// Who is at the other end of a local socket.
namespace PeerCredentials {

/// True when the process at the other end of the connected local socket `descriptor` runs as this user
/// (SO_PEERCRED); false when it does not or cannot be told.
bool isSameUser(qintptr descriptor);

} // namespace PeerCredentials

} // namespace keldoran
