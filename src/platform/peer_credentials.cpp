#include "peer_credentials.h"

#include <sys/socket.h>
#include <unistd.h>

namespace keldoran {

namespace PeerCredentials {

bool isSameUser(qintptr descriptor) {
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (descriptor < 0 ||
        ::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0 ||
        length != sizeof credentials) {
        return false;
    }
    return credentials.uid == ::getuid();
}

} // namespace PeerCredentials

} // namespace keldoran
