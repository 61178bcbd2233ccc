// Another local user on the control socket, for the attacker's checklist. Needs root to become nobody.
//   foreign_peer connect PATH LINE   as nobody: connects, sends LINE, prints the reply line (exit 0), or
//                                    exits 3 when the connection ends without one
//   foreign_peer serve PATH          as nobody: listens at PATH (mode 0777) and answers every line with an
//                                    "ok" reply, until killed; prints "ready" once listening
#include <cstdio>
#include <cstring>
#include <grp.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

bool becomeNobody() {
    return ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
}

sockaddr_un addressOf(const char* path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path, sizeof address.sun_path - 1);
    return address;
}

std::string readLine(int descriptor) {
    std::string line;
    char byte;
    while (::read(descriptor, &byte, 1) == 1) {
        if (byte == '\n') {
            return line + '\n';
        }
        line += byte;
    }
    return line;
}

int connectAndSend(const char* path, const char* line) {
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const auto address = addressOf(path);
    if (::connect(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        std::perror("connect");
        return 2;
    }
    const std::string request = std::string(line) + '\n';
    if (::write(descriptor, request.data(), request.size()) < 0) {
        return 3;
    }
    const auto reply = readLine(descriptor);
    if (reply.empty() || reply.back() != '\n') {
        return 3;
    }
    std::fputs(reply.c_str(), stdout);
    return 0;
}

int serve(const char* path) {
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const auto address = addressOf(path);
    ::unlink(path);
    if (::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 8) != 0) {
        std::perror("listen");
        return 2;
    }
    ::chmod(path, 0777);
    std::puts("ready");
    std::fflush(stdout);
    while (true) {
        const int connection = ::accept(listener, nullptr, nullptr);
        if (connection < 0) {
            continue;
        }
        while (!readLine(connection).empty()) {
            const char reply[] =
                "{\"ok\":true,\"message\":\"the attacker's answer\",\"lines\":[\"the attacker's status\"]}\n";
            if (::write(connection, reply, sizeof reply - 1) < 0) {
                break;
            }
        }
        ::close(connection);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || !becomeNobody()) {
        std::fputs("usage: foreign_peer connect PATH LINE | serve PATH (as root)\n", stderr);
        return 1;
    }
    if (std::strcmp(argv[1], "connect") == 0 && argc == 4) {
        return connectAndSend(argv[2], argv[3]);
    }
    if (std::strcmp(argv[1], "serve") == 0) {
        return serve(argv[2]);
    }
    return 1;
}
