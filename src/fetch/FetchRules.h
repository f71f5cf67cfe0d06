// The rules of fetching, as pure functions: which addresses are fetched, which relative paths
// may become files, what an answer means, and how long to wait before each request.
#pragma once

#include "fetch/HttpGet.h"

#include <optional>
#include <string>
#include <string_view>

namespace sg {

// "http://..." or "https://..." (in any case): an address to fetch from, not a folder.
bool IsNetworkAddress(std::string_view base);

// A path made only of letters, digits, ".", "-" and "_" between single slashes, with no "."
// or ".." part and no slash at either end: it stays inside the folder it is joined to.
bool IsSafeRelativePath(std::string_view path);

// The base and the path joined by one slash; empty for a path that is not safe.
std::optional<std::string> UrlOf(std::string_view base, std::string_view path);

// "SimpleGagnant/1.0 (sg-race importer)": who asks, and in which version.
std::string UserAgent();

// What an answer means for the document asked for.
enum class AnswerVerdict {
    Found,        // 200
    NotPublished, // 204 or 404
    TryAgain,     // a timeout, a cut or failed connection, a 5xx, 408 or 429
    Refused,      // any other status: asking again would not change it
    Failed,       // a transfer that asking again will not mend (a refused certificate...)
};
AnswerVerdict VerdictOf(const HttpAnswer& answer);

// The wait before retry n (1, 2, ...): twice the pause, then four times, eight times...
double RetryWaitSeconds(int retry, double pauseSeconds);

// How long to wait now before the next request, `sinceLast` seconds after the last one ended:
// the pause between two requests, or the retry's wait when it is longer.
double WaitBeforeRequest(double sinceLastSeconds, double pauseSeconds, double retryWaitSeconds);

// "le service répond 503", "pas de réponse dans le délai", "connexion impossible (...)"
std::string ProblemText(const HttpAnswer& answer);

} // namespace sg
