// A small HTTP server on the loopback address, started and stopped by the tests: it serves our
// own fixture documents as the PMU's service would, and misbehaves on purpose (slow answers,
// error statuses, connections cut in the middle of a document).
#pragma once

#include <atomic>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace sg {

struct ServedAnswer {
    ServedAnswer(int statusGiven = 200, std::string bodyGiven = "", int delay = 0,
                 std::optional<std::size_t> cut = std::nullopt)
        : status(statusGiven), body(std::move(bodyGiven)), delayMilliseconds(delay), cutAfter(cut) {
    }
    int status;
    std::string body;
    int delayMilliseconds;               // waited before answering
    std::optional<std::size_t> cutAfter; // body bytes sent before the connection is closed
};

class LocalHttpServer {
  public:
    LocalHttpServer(); // 127.0.0.1 on a port the system gives
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // "http://127.0.0.1:PORT"
    std::string Base() const;

    // The answers for one path ("/programme/05032024"), one a request; the last one stays.
    void Answer(const std::string& path, std::vector<ServedAnswer> answers);

    // Every other path from a folder laid out as a source folder ("/programme/05032024" is
    // 05032024.json, "/programme/05032024/R1/C1/participants" 05032024/R1/C1/participants.json);
    // 404 for a file that is not there.
    void ServeFolder(std::filesystem::path folder);

    // The User-Agent of the last request.
    std::string LastUserAgent() const;

  private:
    void Serve();
    void Handle(int connection);
    ServedAnswer AnswerFor(const std::string& path);
    bool Wait(int connection, int milliseconds); // false when the server or client stops

    int listener_ = -1;
    int wake_[2] = {-1, -1};
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::map<std::string, std::vector<ServedAnswer>> answers_;
    std::map<std::string, std::size_t> served_;
    std::filesystem::path folder_;
    std::string userAgent_;
};

} // namespace sg
