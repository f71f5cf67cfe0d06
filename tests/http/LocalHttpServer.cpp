#include "LocalHttpServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sg {

namespace {

const char* ReasonOf(int status) {
    static const std::map<int, const char*> reasons = {{200, "OK"},
                                                       {204, "No Content"},
                                                       {404, "Not Found"},
                                                       {500, "Internal Server Error"},
                                                       {503, "Service Unavailable"}};
    auto found = reasons.find(status);
    return found == reasons.end() ? "Status" : found->second;
}

void SendAll(int connection, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t sent = send(connection, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (sent <= 0) return; // the client has gone (a timeout on its side)
        done += static_cast<std::size_t>(sent);
    }
}

// "/programme/05032024/R1/C1/participants" as "05032024/R1/C1/participants.json".
std::optional<std::string> FileOfPath(const std::string& path) {
    const std::string prefix = "/programme/";
    if (path.rfind(prefix, 0) != 0 || path.find("..") != std::string::npos) return std::nullopt;
    return path.substr(prefix.size()) + ".json";
}

} // namespace

LocalHttpServer::LocalHttpServer() {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(listener_, 16) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        pipe2(wake_, O_CLOEXEC) != 0)
        return;
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

LocalHttpServer::~LocalHttpServer() {
    if (thread_.joinable()) {
        char stop = 's';
        (void)!write(wake_[1], &stop, 1);
        thread_.join();
    }
    for (int descriptor : {listener_, wake_[0], wake_[1]})
        if (descriptor >= 0) close(descriptor);
}

std::string LocalHttpServer::Base() const {
    return "http://127.0.0.1:" + std::to_string(port_);
}

void LocalHttpServer::Answer(const std::string& path, std::vector<ServedAnswer> answers) {
    std::lock_guard lock(mutex_);
    answers_[path] = std::move(answers);
    served_[path] = 0;
}

void LocalHttpServer::ServeFolder(std::filesystem::path folder) {
    std::lock_guard lock(mutex_);
    folder_ = std::move(folder);
}

std::string LocalHttpServer::LastUserAgent() const {
    std::lock_guard lock(mutex_);
    return userAgent_;
}

bool LocalHttpServer::Wait(int connection, int milliseconds) {
    // A client that gives up (its own time limit) closes the connection: stop waiting then, so
    // that its next attempt finds the server free.
    pollfd watched[2] = {{wake_[0], POLLIN, 0}, {connection, POLLRDHUP, 0}};
    return poll(watched, 2, milliseconds) == 0;
}

void LocalHttpServer::Serve() {
    while (true) {
        pollfd watched[2] = {{listener_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (poll(watched, 2, -1) < 0) continue;
        if (watched[1].revents) return;
        int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) continue;
        Handle(connection);
        close(connection);
    }
}

ServedAnswer LocalHttpServer::AnswerFor(const std::string& path) {
    std::lock_guard lock(mutex_);
    if (auto found = answers_.find(path); found != answers_.end() && !found->second.empty()) {
        std::size_t& turn = served_[path];
        ServedAnswer answer = found->second[std::min(turn, found->second.size() - 1)];
        ++turn;
        return answer;
    }
    auto file = FileOfPath(path);
    if (folder_.empty() || !file || !std::filesystem::is_regular_file(folder_ / *file))
        return {404, "{\"message\":\"introuvable\"}"};
    std::ifstream in(folder_ / *file, std::ios::binary);
    return {200, std::string(std::istreambuf_iterator<char>(in), {})};
}

void LocalHttpServer::Handle(int connection) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        pollfd readable{connection, POLLIN, 0};
        if (poll(&readable, 1, 2000) <= 0) return;
        ssize_t got = recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) return;
        request.append(buffer, static_cast<std::size_t>(got));
    }
    std::size_t pathStart = request.find(' ') + 1;
    std::string path = request.substr(pathStart, request.find(' ', pathStart) - pathStart);
    if (auto agent = request.find("User-Agent: "); agent != std::string::npos) {
        std::lock_guard lock(mutex_);
        userAgent_ = request.substr(agent + 12, request.find("\r\n", agent) - agent - 12);
    }
    ServedAnswer answer = AnswerFor(path);
    if (answer.delayMilliseconds > 0 && !Wait(connection, answer.delayMilliseconds)) return;
    std::string body = answer.status == 204 ? std::string() : answer.body;
    std::string head =
        "HTTP/1.1 " + std::to_string(answer.status) + " " + ReasonOf(answer.status) +
        "\r\nContent-Type: application/json\r\nContent-Length: " + std::to_string(body.size()) +
        "\r\nConnection: close\r\n\r\n";
    if (answer.cutAfter) body.resize(std::min(*answer.cutAfter, body.size()));
    SendAll(connection, head + body);
}

} // namespace sg
