#include "screens/SingleInstance.h"

#include <QDir>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
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

// What lies under the name, seen without following a link: only what this user made there
// counts, so that another user's entry in a shared temporary folder is never taken for a
// running program nor removed.
struct Entry {
    bool own = false, socket = false;
    ino_t inode = 0;
};
Entry EntryAt(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return {};
    bool own = info.st_uid == ::getuid() && !S_ISLNK(info.st_mode);
    return {own, own && S_ISSOCK(info.st_mode), info.st_ino};
}

enum class Answer { Connected, Busy, Nobody };

// A non-blocking connection: a program that stopped accepting cannot hold this one up.
Answer Connect(int fd, const sockaddr_un& address) {
    int result;
    do {
        result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (result != 0 && errno == EINTR);
    if (result == 0) return Answer::Connected;
    // A listening program whose queue is full: it is there, only slow to answer.
    return errno == EAGAIN ? Answer::Busy : Answer::Nobody;
}

bool SameUser(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
}

} // namespace

SingleInstance::SingleInstance(const QString& key)
    : path_(SocketFolder() + "/" + key.toStdString()) {}

SingleInstance::~SingleInstance() {
    Close(other_);
    if (server_ >= 0) {
        Close(server_);
        // Only its own socket: another may have taken the name since.
        Entry entry = EntryAt(path_);
        if (entry.socket && entry.inode == inode_) ::unlink(path_.c_str());
    }
}

bool SingleInstance::otherIsRunning() {
    Close(other_);
    sockaddr_un address;
    if (!AddressOf(path_, address) || !EntryAt(path_).socket) return false;
    other_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (other_ < 0) return false;
    Answer answer = Connect(other_, address);
    if (answer == Answer::Busy || (answer == Answer::Connected && SameUser(other_))) return true;
    Close(other_);
    return false;
}

void SingleInstance::activateOther() {
    if (other_ < 0) return;
    pollfd ready{other_, POLLOUT, 0};
    if (::poll(&ready, 1, WaitMilliseconds) == 1 && !(ready.revents & (POLLERR | POLLHUP)))
        (void)!::send(other_, ActivationRequest, sizeof ActivationRequest - 1, MSG_NOSIGNAL);
    Close(other_);
}

bool SingleInstance::Bind(const sockaddr_un& address) {
    mode_t mask = ::umask(0077); // the user's own, from the moment it exists
    bool bound = ::bind(server_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    int error = errno;
    ::umask(mask);
    errno = error;
    return bound;
}

void SingleInstance::listen() {
    sockaddr_un address;
    if (server_ >= 0 || !AddressOf(path_, address)) return;
    server_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (server_ < 0) return;
    bool bound = Bind(address);
    if (!bound && errno == EADDRINUSE) {
        // Something of this user's lies under the name. Left by a program that ended badly
        // (nobody answers), it is replaced; a program started at the same moment keeps it,
        // and this one runs without being found.
        Entry entry = EntryAt(path_);
        int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        bool answered = probe >= 0 && entry.socket && Connect(probe, address) != Answer::Nobody;
        Close(probe);
        if (entry.own && !answered && ::unlink(path_.c_str()) == 0) bound = Bind(address);
    }
    if (!bound || ::listen(server_, 8) != 0) {
        Close(server_);
        return;
    }
    inode_ = EntryAt(path_).inode;
    auto* notifier = new QSocketNotifier(server_, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] { acceptRequest(); });
}

void SingleInstance::acceptRequest() {
    int client = ::accept4(server_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (client < 0) return;
    // The request is a few bytes; a caller that writes nothing is let go when it closes.
    // The connection ends with its notifier, at the latest with this object.
    auto* notifier = new QSocketNotifier(client, QSocketNotifier::Read, this);
    connect(notifier, &QObject::destroyed, [client] { ::close(client); });
    connect(notifier, &QSocketNotifier::activated, this, [this, notifier, client] {
        char buffer[64];
        ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
        if (got > 0 && std::string_view(buffer, static_cast<std::size_t>(got)).find("raise") !=
                           std::string_view::npos)
            emit activationRequested();
        if (got > 0 || (got < 0 && (errno == EAGAIN || errno == EINTR))) return;
        notifier->setEnabled(false);
        notifier->deleteLater();
    });
}

} // namespace sg
