#include "fetch/FetchRules.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace sg {

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char lower, char given) {
               return std::tolower(static_cast<unsigned char>(given)) == lower;
           });
}

bool IsPathCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
}

} // namespace

bool IsNetworkAddress(std::string_view base) {
    for (std::string_view scheme : {"http://", "https://"}) {
        if (StartsWithNoCase(base, scheme) && base.size() > scheme.size()) return true;
    }
    return false;
}

bool IsSafeRelativePath(std::string_view path) {
    if (path.empty()) return false;
    std::size_t start = 0;
    while (true) {
        std::size_t end = path.find('/', start);
        std::string_view part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == ".." ||
            !std::all_of(part.begin(), part.end(), IsPathCharacter))
            return false;
        if (end == std::string_view::npos) return true;
        start = end + 1;
    }
}

std::optional<std::string> UrlOf(std::string_view base, std::string_view path) {
    if (!IsSafeRelativePath(path)) return std::nullopt;
    while (!base.empty() && base.back() == '/') base.remove_suffix(1);
    return std::string(base) + "/" + std::string(path);
}

std::string UserAgent() {
    return std::string("SimpleGagnant/") + SG_VERSION + " (sg-race importer)";
}

AnswerVerdict VerdictOf(const HttpAnswer& answer) {
    switch (answer.transfer) {
    case HttpAnswer::Transfer::Answered:
        break;
    case HttpAnswer::Transfer::TimedOut:
    case HttpAnswer::Transfer::CannotConnect:
    case HttpAnswer::Transfer::Cut:
        return AnswerVerdict::TryAgain;
    case HttpAnswer::Transfer::TooLarge:
    case HttpAnswer::Transfer::Failed:
        return AnswerVerdict::Failed;
    }
    if (answer.status == 200) return AnswerVerdict::Found;
    if (answer.status == 204 || answer.status == 404) return AnswerVerdict::NotPublished;
    if (answer.status >= 500 || answer.status == 408 || answer.status == 429)
        return AnswerVerdict::TryAgain;
    return AnswerVerdict::Refused;
}

double RetryWaitSeconds(int retry, double pauseSeconds) {
    if (retry < 1 || !(pauseSeconds > 0)) return 0;
    return pauseSeconds * std::ldexp(1.0, std::min(retry, 10));
}

double WaitBeforeRequest(double sinceLastSeconds, double pauseSeconds, double retryWaitSeconds) {
    double wanted = std::max(pauseSeconds, retryWaitSeconds);
    return std::max(0.0, wanted - std::max(0.0, sinceLastSeconds));
}

std::string ProblemText(const HttpAnswer& answer) {
    switch (answer.transfer) {
    case HttpAnswer::Transfer::Answered:
        return "le service répond " + std::to_string(answer.status);
    case HttpAnswer::Transfer::TimedOut:
        return "le service ne répond pas dans le délai";
    case HttpAnswer::Transfer::CannotConnect:
        return "connexion au service impossible (" + answer.error + ")";
    case HttpAnswer::Transfer::Cut:
        return "la réponse du service a été coupée (" + answer.error + ")";
    case HttpAnswer::Transfer::TooLarge:
        return "la réponse du service est bien trop grande";
    case HttpAnswer::Transfer::Failed:
        break;
    }
    return "échange avec le service impossible (" + answer.error + ")";
}

} // namespace sg
