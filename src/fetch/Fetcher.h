// Documents fetched from a service one at a time, as a good citizen: a pause between two
// requests, a time limit on each, a few retries with growing waits when the service is slow
// or failing, and the program's name and version in every request.
#pragma once

#include "fetch/HttpGet.h"

#include <chrono>
#include <functional>
#include <string>

namespace sg {

struct FetchSettings {
    std::string base;          // "https://..." up to the documents' paths
    double pauseSeconds = 1.0; // between two requests; none before the first
    std::chrono::milliseconds timeout{20000};
    int attempts = 4; // the first request and up to three retries
};

struct FetchOutcome {
    enum class Status {
        Found,
        NotPublished,
        Refused,     // an error status that stayed after the retries, or one not worth a retry
        Unreachable, // no answer at all after the retries
    } status = Status::Unreachable;
    std::string body;
    std::string problem; // French, for Refused and Unreachable
    int attempts = 0;
};

class Fetcher {
  public:
    // One request: the whole URL in, the answer out.
    using Transport = std::function<HttpAnswer(const std::string& url)>;
    // Waits that many seconds.
    using Sleeper = std::function<void(double seconds)>;

    // Fetches through the network library, sleeping for real.
    explicit Fetcher(FetchSettings settings);
    // Fetches through `transport`, waiting through `sleeper` (tests).
    Fetcher(FetchSettings settings, Transport transport, Sleeper sleeper);
    ~Fetcher();

    // The document at that path under the base (a path made only of checked parts).
    FetchOutcome Get(const std::string& path);

    // Requests sent so far, retries included.
    int Requests() const { return requests_; }

  private:
    FetchSettings settings_;
    std::unique_ptr<HttpClient> client_; // when fetching for real
    Transport transport_;
    Sleeper sleeper_;
    int requests_ = 0;
    std::chrono::steady_clock::time_point lastEnd_;
};

} // namespace sg
