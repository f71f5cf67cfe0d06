// One HTTP(S) GET, the only place that knows the network library: what came back, or how the
// transfer failed.
#pragma once

#include <chrono>
#include <memory>
#include <string>

namespace sg {

struct HttpAnswer {
    enum class Transfer {
        Answered,      // a status came back with a whole body
        TimedOut,      // no whole answer within the time allowed
        CannotConnect, // no connection (name unknown, refused, no network)
        Cut,           // the connection closed before the end of the body
        TooLarge,      // a body beyond what any document of the service weighs
        Failed,        // anything else (a certificate refused...)
    } transfer = Transfer::Failed;
    long status = 0; // the HTTP status, when answered
    std::string body;
    std::string error; // the library's words, for the report
};

// One connection kept open from one request to the next, as a polite client does.
class HttpClient {
  public:
    HttpClient();
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // Follows a few redirections (http and https only) and asks for compressed answers.
    HttpAnswer Get(const std::string& url, const std::string& userAgent,
                   std::chrono::milliseconds timeout);

  private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
};

} // namespace sg
