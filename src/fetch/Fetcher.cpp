#include "fetch/Fetcher.h"

#include "fetch/FetchRules.h"

#include <thread>

namespace sg {

Fetcher::Fetcher(FetchSettings settings)
    : settings_(std::move(settings)), client_(std::make_unique<HttpClient>()) {
    transport_ = [this](const std::string& url) {
        return client_->Get(url, UserAgent(), settings_.timeout);
    };
    sleeper_ = [](double seconds) {
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    };
}

Fetcher::Fetcher(FetchSettings settings, Transport transport, Sleeper sleeper)
    : settings_(std::move(settings)), transport_(std::move(transport)),
      sleeper_(std::move(sleeper)) {}

Fetcher::~Fetcher() = default;

FetchOutcome Fetcher::Get(const std::string& path) {
    FetchOutcome outcome;
    auto url = UrlOf(settings_.base, path);
    if (!url) {
        outcome.status = FetchOutcome::Status::Refused;
        outcome.problem = "chemin de document refusé";
        return outcome;
    }
    for (int attempt = 1; attempt <= std::max(settings_.attempts, 1); ++attempt) {
        if (requests_ > 0) {
            std::chrono::duration<double> since = std::chrono::steady_clock::now() - lastEnd_;
            double wait = WaitBeforeRequest(since.count(), settings_.pauseSeconds,
                                            RetryWaitSeconds(attempt - 1, settings_.pauseSeconds));
            if (wait > 0) sleeper_(wait);
        }
        ++requests_;
        outcome.attempts = attempt;
        HttpAnswer answer = transport_(*url);
        lastEnd_ = std::chrono::steady_clock::now();
        switch (VerdictOf(answer)) {
        case AnswerVerdict::Found:
            outcome.status = FetchOutcome::Status::Found;
            outcome.body = std::move(answer.body);
            outcome.problem.clear(); // a failed attempt before does not count
            return outcome;
        case AnswerVerdict::NotPublished:
            outcome.status = FetchOutcome::Status::NotPublished;
            outcome.problem.clear();
            return outcome;
        case AnswerVerdict::Refused:
            outcome.status = FetchOutcome::Status::Refused;
            outcome.problem = ProblemText(answer);
            return outcome;
        case AnswerVerdict::Failed:
            outcome.status = FetchOutcome::Status::Unreachable;
            outcome.problem = ProblemText(answer);
            return outcome;
        case AnswerVerdict::TryAgain:
            // An error status that stays is a refusal; silence that stays, no service at all.
            outcome.status = answer.transfer == HttpAnswer::Transfer::Answered
                                 ? FetchOutcome::Status::Refused
                                 : FetchOutcome::Status::Unreachable;
            outcome.problem = ProblemText(answer);
            break;
        }
    }
    return outcome;
}

} // namespace sg
