// The GET of Windows builds, through the system's own HTTP library (WinHTTP): no network
// library to ship beside sg-race.exe.
#include "fetch/HttpGet.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <winhttp.h>

#include <algorithm>

namespace sg {

namespace {

// No document of the service comes near this; a larger answer is not one of them.
constexpr std::size_t MaxBodyBytes = std::size_t{32} * 1024 * 1024;

std::wstring Wide(const std::string& utf8) {
    int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

HttpAnswer::Transfer TransferOf(DWORD error) {
    switch (error) {
    case ERROR_WINHTTP_TIMEOUT:
        return HttpAnswer::Transfer::TimedOut;
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
    case ERROR_WINHTTP_CANNOT_CONNECT:
        return HttpAnswer::Transfer::CannotConnect;
    case ERROR_WINHTTP_CONNECTION_ERROR:
    case ERROR_WINHTTP_INVALID_SERVER_RESPONSE:
        return HttpAnswer::Transfer::Cut;
    default:
        return HttpAnswer::Transfer::Failed;
    }
}

struct Closed {
    void operator()(HINTERNET handle) const { WinHttpCloseHandle(handle); }
};
using Internet = std::unique_ptr<void, Closed>;

// The system's error in a few words, for the report.
std::string ErrorText(DWORD error) {
    switch (error) {
    case ERROR_WINHTTP_TIMEOUT:
        return "délai dépassé";
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
        return "nom de serveur inconnu";
    case ERROR_WINHTTP_CANNOT_CONNECT:
        return "connexion refusée";
    case ERROR_WINHTTP_CONNECTION_ERROR:
        return "connexion interrompue";
    case ERROR_WINHTTP_INVALID_SERVER_RESPONSE:
        return "réponse incomplète ou invalide";
    case ERROR_WINHTTP_SECURE_FAILURE:
        return "certificat du serveur refusé";
    case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
        return "adresse ni http ni https";
    default:
        return "erreur WinHTTP " + std::to_string(error);
    }
}

HttpAnswer Failure(HttpAnswer::Transfer transfer, DWORD error) {
    HttpAnswer answer;
    answer.transfer = transfer;
    answer.error = ErrorText(error);
    return answer;
}

HttpAnswer FailureOfLastError() {
    DWORD error = GetLastError();
    return Failure(TransferOf(error), error);
}

} // namespace

struct HttpClient::Handle {
    Internet session;
    std::string userAgent;
};

HttpClient::HttpClient() : handle_(std::make_unique<Handle>()) {}

HttpClient::~HttpClient() = default;

HttpAnswer HttpClient::Get(const std::string& url, const std::string& userAgent,
                           std::chrono::milliseconds timeout) {
    // One session for every request: WinHTTP keeps the connection open between them.
    if (!handle_->session || handle_->userAgent != userAgent) {
        handle_->session.reset(WinHttpOpen(Wide(userAgent).c_str(),
                                           WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY,
                                           WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
        handle_->userAgent = userAgent;
    }
    HINTERNET session = handle_->session.get();
    if (!session) return FailureOfLastError();
    int total = static_cast<int>(std::min<long long>(timeout.count(), 1 << 30));
    WinHttpSetTimeouts(session, total, std::min(total, 10000), total, total);

    std::wstring wideUrl = Wide(url);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(wideUrl.c_str(), 0, 0, &parts) ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS))
        return Failure(HttpAnswer::Transfer::Failed, ERROR_WINHTTP_UNRECOGNIZED_SCHEME);
    std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    if (parts.lpszExtraInfo) path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);

    Internet connection(WinHttpConnect(session, host.c_str(), parts.nPort, 0));
    if (!connection) return FailureOfLastError();
    Internet request(
        WinHttpOpenRequest(connection.get(), L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                           WINHTTP_DEFAULT_ACCEPT_TYPES,
                           parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0));
    if (!request) return FailureOfLastError();
    // A few redirections, and compressed answers where the system can open them.
    DWORD redirections = 3;
    WinHttpSetOption(request.get(), WINHTTP_OPTION_MAX_HTTP_AUTOMATIC_REDIRECTS, &redirections,
                     sizeof redirections);
    DWORD decompression = WINHTTP_DECOMPRESSION_FLAG_ALL;
    WinHttpSetOption(request.get(), WINHTTP_OPTION_DECOMPRESSION, &decompression,
                     sizeof decompression);

    auto started = std::chrono::steady_clock::now();
    if (!WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                            WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(request.get(), nullptr))
        return FailureOfLastError();

    HttpAnswer answer;
    DWORD status = 0, size = sizeof status;
    if (!WinHttpQueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
        return FailureOfLastError();
    answer.status = static_cast<long>(status);
    // The length announced, to see a body cut short (unless it comes compressed).
    DWORD announced = 0;
    size = sizeof announced;
    bool lengthKnown = WinHttpQueryHeaders(
        request.get(), WINHTTP_QUERY_CONTENT_LENGTH | WINHTTP_QUERY_FLAG_NUMBER,
        WINHTTP_HEADER_NAME_BY_INDEX, &announced, &size, WINHTTP_NO_HEADER_INDEX);
    DWORD encodingSize = 0;
    bool encoded = !WinHttpQueryHeaders(request.get(), WINHTTP_QUERY_CONTENT_ENCODING,
                                        WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER,
                                        &encodingSize, WINHTTP_NO_HEADER_INDEX) &&
                   GetLastError() == ERROR_INSUFFICIENT_BUFFER;
    for (;;) {
        DWORD available = 0;
        if (!WinHttpQueryDataAvailable(request.get(), &available)) return FailureOfLastError();
        if (available == 0) break;
        if (answer.body.size() + available > MaxBodyBytes)
            return Failure(HttpAnswer::Transfer::TooLarge, 0);
        std::size_t had = answer.body.size();
        answer.body.resize(had + available);
        DWORD got = 0;
        if (!WinHttpReadData(request.get(), answer.body.data() + had, available, &got))
            return FailureOfLastError();
        answer.body.resize(had + got);
        // The time allowed covers the whole answer, as each step's own limit does not.
        if (std::chrono::steady_clock::now() - started > timeout)
            return Failure(HttpAnswer::Transfer::TimedOut, ERROR_WINHTTP_TIMEOUT);
    }
    if (lengthKnown && !encoded && answer.body.size() < announced)
        return Failure(HttpAnswer::Transfer::Cut, ERROR_WINHTTP_CONNECTION_ERROR);
    answer.transfer = HttpAnswer::Transfer::Answered;
    return answer;
}

} // namespace sg
