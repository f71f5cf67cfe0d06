#include "screens/SingleInstance.h"

#include <QDir>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string_view>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace sg {

namespace {

constexpr int WaitMilliseconds = 500;
const char ActivationRequest[] = "raise\n";

bool AddressOf(const std::string& path, sockaddr_un& address) {
    if (path.size() >= sizeof address.sun_path) return false;
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

void Close(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

// The user's own run-time folder where the session has one.
std::string SocketFolder() {
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return (runtime.isEmpty() ? QDir::tempPath() : runtime).toStdString();
}

} // namespace

SingleInstance::SingleInstance(const QString& key)
    : path_(SocketFolder() + "/" + key.toStdString()) {}

SingleInstance::~SingleInstance() {
    Close(other_);
    if (server_ >= 0) {
        Close(server_);
        ::unlink(path_.c_str());
    }
}

bool SingleInstance::otherIsRunning() {
    sockaddr_un address;
    if (!AddressOf(path_, address)) return false;
    other_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (other_ < 0) return false;
    // Only a program of the same user counts: a socket another user put under the name
    // would otherwise keep this one from starting.
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::connect(other_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockopt(other_, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid())
        return true;
    Close(other_);
    return false;
}

void SingleInstance::activateOther() {
    if (other_ < 0) return;
    pollfd ready{other_, POLLOUT, 0};
    if (::poll(&ready, 1, WaitMilliseconds) == 1)
        (void)!::send(other_, ActivationRequest, sizeof ActivationRequest - 1, MSG_NOSIGNAL);
    Close(other_);
}

void SingleInstance::listen() {
    sockaddr_un address;
    if (server_ >= 0 || !AddressOf(path_, address)) return;
    // Nobody answered: what lies under the name was left by a program that ended badly.
    ::unlink(path_.c_str());
    server_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (server_ < 0) return;
    mode_t mask = ::umask(0077); // the user's own, from the moment it exists
    bool bound = ::bind(server_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::umask(mask);
    if (!bound || ::listen(server_, 8) != 0) {
        Close(server_);
        return;
    }
    auto* notifier = new QSocketNotifier(server_, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] { acceptRequest(); });
}

void SingleInstance::acceptRequest() {
    int client = ::accept4(server_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (client < 0) return;
    // The request is a few bytes; a caller that writes nothing is let go when it closes.
    auto* notifier = new QSocketNotifier(client, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this, notifier, client] {
        char buffer[64];
        ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
        if (got > 0 && std::string_view(buffer, static_cast<std::size_t>(got)).find("raise") !=
                           std::string_view::npos)
            emit activationRequested();
        if (got > 0 || (got < 0 && errno == EAGAIN)) return;
        notifier->setEnabled(false);
        notifier->deleteLater();
        ::close(client);
    });
}

} // namespace sg
