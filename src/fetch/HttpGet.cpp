#include "fetch/HttpGet.h"

#include <curl/curl.h>

#include <algorithm>

namespace sg {

namespace {

// No document of the service comes near this; a larger answer is not one of them.
constexpr std::size_t MaxBodyBytes = std::size_t{32} * 1024 * 1024;

struct Received {
    std::string body;
    bool tooLarge = false;
};

std::size_t Receive(char* data, std::size_t size, std::size_t count, void* user) {
    auto* received = static_cast<Received*>(user);
    std::size_t bytes = size * count;
    if (received->body.size() + bytes > MaxBodyBytes) {
        received->tooLarge = true;
        return 0; // stops the transfer
    }
    received->body.append(data, bytes);
    return bytes;
}

HttpAnswer::Transfer TransferOf(CURLcode code) {
    switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
        return HttpAnswer::Transfer::TimedOut;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
        return HttpAnswer::Transfer::CannotConnect;
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_SEND_ERROR:
        return HttpAnswer::Transfer::Cut;
    default:
        return HttpAnswer::Transfer::Failed;
    }
}

} // namespace

struct HttpClient::Handle {
    CURL* curl = nullptr;
};

HttpClient::HttpClient() : handle_(std::make_unique<Handle>()) {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (initialised) handle_->curl = curl_easy_init();
}

HttpClient::~HttpClient() {
    if (handle_->curl) curl_easy_cleanup(handle_->curl);
}

HttpAnswer HttpClient::Get(const std::string& url, const std::string& userAgent,
                           std::chrono::milliseconds timeout) {
    HttpAnswer answer;
    CURL* curl = handle_->curl;
    if (!curl) {
        answer.error = "bibliothèque réseau indisponible";
        return answer;
    }
    Received received;
    char message[CURL_ERROR_SIZE] = "";
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_USERAGENT, userAgent.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 3L);
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.count()));
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(std::min<long long>(timeout.count(), 10000)));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Receive);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &received);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, message);
    CURLcode code = curl_easy_perform(curl);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
    if (code == CURLE_OK) {
        answer.transfer = HttpAnswer::Transfer::Answered;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &answer.status);
        answer.body = std::move(received.body);
        return answer;
    }
    answer.transfer = received.tooLarge ? HttpAnswer::Transfer::TooLarge : TransferOf(code);
    answer.error = message[0] ? message : curl_easy_strerror(code);
    return answer;
}

} // namespace sg
