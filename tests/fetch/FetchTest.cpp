// Fetching: which addresses and paths are taken, what each answer means, the waits between
// requests and before retries (without a network), and real transfers from the local server
// misbehaving on purpose.
#include "fetch/DocumentCache.h"
#include "fetch/FetchRules.h"
#include "fetch/Fetcher.h"

#include "WorkFolder.h"
#include "http/LocalHttpServer.h"

#include <gtest/gtest.h>

namespace sg {
namespace {

TEST(FetchRules, AddressesAndPathsThatStayWhereTheyBelong) {
    struct Case {
        const char* text;
        bool network, safePath;
    } cases[] = {
        {"https://localhost/rest", true, false},
        {"HTTP://127.0.0.1:8080", true, false},
        {"http://", false, false},
        {"ftp://localhost/x", false, false},
        {"/home/me/pmu", false, false},
        {"05032024.json", false, true},
        {"05032024/R1/C2/participants.json", false, true},
        {"05032024/../../etc/passwd", false, false},
        {"./05032024.json", false, false},
        {"05032024//R1", false, false},
        {"05032024/R1/", false, false},
        {"05 03 2024", false, false},
        {"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsNetworkAddress(c.text), c.network) << c.text;
        EXPECT_EQ(IsSafeRelativePath(c.text), c.safePath) << c.text;
    }
    EXPECT_EQ(UrlOf("http://localhost/rest/", "programme/05032024"),
              "http://localhost/rest/programme/05032024");
    EXPECT_EQ(UrlOf("http://localhost", "programme/../x"), std::nullopt);
    EXPECT_EQ(UserAgent(), std::string("SimpleGagnant/") + SG_VERSION + " (sg-race importer)");
}

HttpAnswer Status(long status, std::string body = "") {
    return {HttpAnswer::Transfer::Answered, status, std::move(body), ""};
}
HttpAnswer Broken(HttpAnswer::Transfer transfer) {
    return {transfer, 0, "", "raison"};
}

TEST(FetchRules, EachAnswerItsVerdictAndEachRetryALongerWait) {
    using enum AnswerVerdict;
    using T = HttpAnswer::Transfer;
    struct Case {
        HttpAnswer answer;
        AnswerVerdict verdict;
    } cases[] = {
        // The others are the fetcher's cases below.
        {Status(404), NotPublished}, {Status(429), TryAgain},       {Status(301), Refused},
        {Broken(T::Cut), TryAgain},  {Broken(T::TooLarge), Failed},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VerdictOf(c.answer), c.verdict) << c.answer.status;
        EXPECT_NE(ProblemText(c.answer), "");
    }
    EXPECT_EQ(RetryWaitSeconds(1, 1.0), 2.0);
    EXPECT_EQ(RetryWaitSeconds(3, 1.0), 8.0);
    EXPECT_EQ(RetryWaitSeconds(2, 0.0), 0.0);
    EXPECT_EQ(WaitBeforeRequest(0.25, 1.0, 0.0), 0.75);
    EXPECT_EQ(WaitBeforeRequest(0.25, 1.0, 4.0), 3.75);
    EXPECT_EQ(WaitBeforeRequest(5.0, 1.0, 2.0), 0.0);
}

// The waits a fetcher asks for, with answers given in turn (the last one repeating).
struct Scripted {
    std::vector<HttpAnswer> answers;
    std::vector<std::string> urls;
    std::vector<double> waits;
    Fetcher fetcher;
    explicit Scripted(std::vector<HttpAnswer> given, double pause = 1.0)
        : answers(std::move(given)),
          fetcher(
              {"http://127.0.0.1/base", pause, std::chrono::milliseconds(100), 4},
              [this](const std::string& url) {
                  urls.push_back(url);
                  HttpAnswer next = answers.front();
                  if (answers.size() > 1) answers.erase(answers.begin());
                  return next;
              },
              [this](double seconds) { waits.push_back(seconds); }) {}
};

TEST(Fetcher, RetriesWithGrowingWaitsAndPausesBetweenRequests) {
    using S = FetchOutcome::Status;
    using T = HttpAnswer::Transfer;
    struct Case {
        const char* name;
        std::vector<HttpAnswer> answers;
        S status;
        int attempts;
        std::vector<double> waits; // about: the time spent in between is taken off
    } cases[] = {
        {"found", {Status(200, "{}")}, S::Found, 1, {}},
        {"not published", {Status(204)}, S::NotPublished, 1, {}},
        {"an error, then the document", {Status(500), Status(200)}, S::Found, 2, {2}},
        {"a timeout, then the document", {Broken(T::TimedOut), Status(200)}, S::Found, 2, {2}},
        {"errors that stay", {Status(503)}, S::Refused, 4, {2, 4, 8}},
        {"silence that stays", {Broken(T::CannotConnect)}, S::Unreachable, 4, {2, 4, 8}},
        {"forbidden: no retry", {Status(403)}, S::Refused, 1, {}},
        {"a certificate refused", {Broken(T::Failed)}, S::Unreachable, 1, {}},
    };
    for (const auto& c : cases) {
        Scripted scripted(c.answers);
        FetchOutcome outcome = scripted.fetcher.Get("programme/05032024");
        EXPECT_EQ(outcome.status, c.status) << c.name;
        EXPECT_EQ(outcome.attempts, c.attempts) << c.name;
        EXPECT_EQ(outcome.problem.empty(), c.status == S::Found || c.status == S::NotPublished)
            << c.name;
        ASSERT_EQ(scripted.waits.size(), c.waits.size()) << c.name;
        for (std::size_t i = 0; i < c.waits.size(); ++i)
            EXPECT_NEAR(scripted.waits[i], c.waits[i], 0.05) << c.name << " " << i;
        EXPECT_EQ(scripted.urls.front(), "http://127.0.0.1/base/programme/05032024") << c.name;
    }
    // One request at a time, with the pause between two; none with a pause of 0.
    Scripted paced({Status(200, "{}")});
    for (int i = 0; i < 3; ++i) paced.fetcher.Get("a");
    ASSERT_EQ(paced.waits.size(), 2u);
    EXPECT_NEAR(paced.waits[1], 1.0, 0.05);
    Scripted quick({Status(500), Status(200)}, 0.0);
    EXPECT_EQ(quick.fetcher.Get("a").status, S::Found);
    EXPECT_TRUE(quick.waits.empty());
    // A path that could leave the base is never asked for.
    EXPECT_EQ(paced.fetcher.Get("../x").status, S::Refused);
    EXPECT_EQ(paced.fetcher.Requests(), 3);
}

// Statuses the import tool meets through the same server (204, 404, 500 then 200) are its.
TEST(Fetcher, TheLocalServerMisbehavingOnPurpose) {
    LocalHttpServer server;
    const std::string document = std::string(20000, 'x');
    using S = FetchOutcome::Status;
    struct Case {
        const char* name;
        std::vector<ServedAnswer> answers;
        S status;
        int attempts;
        const char* problem = ""; // within the problem
    } cases[] = {
        {"a document", {{200, document}}, S::Found, 1},
        {"503 every time", {{503, ""}}, S::Refused, 3, "le service répond 503"},
        {"slow, then quick", {{200, document, 2000}, {200, document}}, S::Found, 2},
        {"slow every time", {{200, document, 2000}}, S::Unreachable, 3, "délai"},
        {"cut, then whole", {{200, document, 0, 5000}, {200, document}}, S::Found, 2},
        {"cut every time", {{200, document, 0, 5000}}, S::Unreachable, 3, "coupée"},
    };
    for (const auto& c : cases) {
        std::string path = std::string("/doc/") + std::to_string(&c - cases);
        server.Answer(path, c.answers);
        Fetcher fetcher({server.Base(), 0.0, std::chrono::milliseconds(400), 3});
        FetchOutcome outcome = fetcher.Get(path.substr(1));
        EXPECT_EQ(outcome.status, c.status) << c.name;
        EXPECT_EQ(outcome.attempts, c.attempts) << c.name;
        if (c.status == S::Found) {
            EXPECT_EQ(outcome.body, document) << c.name;
        }
        EXPECT_NE(outcome.problem.find(c.problem), std::string::npos)
            << c.name << ": " << outcome.problem;
    }
    EXPECT_EQ(server.LastUserAgent(), UserAgent());

    std::string closed;
    {
        LocalHttpServer gone;
        closed = gone.Base();
    }
    Fetcher fetcher({closed, 0.0, std::chrono::milliseconds(400), 2});
    FetchOutcome outcome = fetcher.Get("programme/05032024");
    EXPECT_EQ(outcome.status, S::Unreachable);
    EXPECT_NE(outcome.problem.find("connexion au service impossible"), std::string::npos);
}

TEST(DocumentCache, KeepsDocumentsWholeUnderCheckedPathsOnly) {
    WorkFolder work;
    DocumentCache cache(work.File("courses.tur.cache"));
    EXPECT_FALSE(cache.Exists());
    ASSERT_FALSE(cache.Store("05032024/R1/C2/participants.json", "{\"participants\":[]}"));
    EXPECT_TRUE(cache.Exists());
    EXPECT_EQ(cache.Read("05032024/R1/C2/participants.json"), "{\"participants\":[]}");
    EXPECT_EQ(cache.Read("05032024/R1/C3/participants.json"), std::nullopt);
    EXPECT_TRUE(cache.Store("../evil.json", "x"));
    EXPECT_FALSE(fs::exists(work.path / "evil.json"));
    EXPECT_EQ(cache.Read("../courses.tur.cache/05032024/R1/C2/participants.json"), std::nullopt);

    // A document whose place a folder takes is refused, and no part of it is left behind.
    fs::create_directories(work.path / "courses.tur.cache" / "06032024.json");
    EXPECT_TRUE(cache.Store("06032024.json", "{}"));
    EXPECT_EQ(std::distance(fs::directory_iterator(work.path / "courses.tur.cache"), {}), 2);
}

} // namespace
} // namespace sg
