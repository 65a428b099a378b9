#include "output/HTTPGet.h"

#include "core/UGlobalThreads.h"
#include "platform/AtomicFile.h"

#include <curl/curl.h>

#include <charconv>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <string_view>

namespace {

constexpr long TransferBlock = 4192;
constexpr long ConnectTimeoutSeconds = 30;
constexpr long LowSpeedSeconds = 60; // less than one byte a second for this long ends the transfer
constexpr long MaxRedirects = 10;
// The longest wait for the connection between two tests of the stop.
constexpr int StopTestMs = 50;

const char *StepMessage(int32_t Step)
{
    switch (Step) {
    case THTTPGetFile::stOpen:
        return "Nie mogę zainicjalizować połączenia internetowego.";
    case THTTPGetFile::stRequest:
        return "Nie mogę pobrać pliku.";
    case THTTPGetFile::stSize:
        return "Nie mogę pobrać informacji o pliku.";
    case THTTPGetFile::stCreate:
        return "Wystąpił błąd podczas tworzenia pliku na dysku lokalnym.";
    default:
        return "Wystąpił błąd podczas transferu pliku";
    }
}

std::string_view Trimmed(std::string_view S)
{
    while (!S.empty() && (S.front() == ' ' || S.front() == '\t'))
        S.remove_prefix(1);
    while (!S.empty() && (S.back() == ' ' || S.back() == '\t' || S.back() == '\r' || S.back() == '\n'))
        S.remove_suffix(1);
    return S;
}

bool StartsWithNoCase(std::string_view S, std::string_view Prefix)
{
    if (S.size() < Prefix.size())
        return false;
    for (size_t i = 0; i < Prefix.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        if (lower(S[i]) != lower(Prefix[i]))
            return false;
    }
    return true;
}

struct CurlHandleDeleter {
    void operator()(CURL *Handle) const { curl_easy_cleanup(Handle); }
};
struct CurlListDeleter {
    void operator()(curl_slist *List) const { curl_slist_free_all(List); }
};

struct CurlMultiDeleter {
    void operator()(CURLM *Multi) const { curl_multi_cleanup(Multi); }
};

// The transfer of Handle, Stopped asked between waits of at most StopTestMs for the connection (the
// progress callback alone is left unheard up to a second while the server says nothing); a stop ends it
// as the callback does.
CURLcode PerformStoppable(CURL *Handle, const std::function<bool()> &Stopped)
{
    const std::unique_ptr<CURLM, CurlMultiDeleter> multi(curl_multi_init());
    if (!multi || curl_multi_add_handle(multi.get(), Handle) != CURLM_OK)
        return CURLE_FAILED_INIT;
    CURLcode result = CURLE_OK;
    for (int running = 1; running > 0;) {
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        if (running == 0)
            break;
        if (Stopped()) {
            result = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        if (curl_multi_poll(multi.get(), nullptr, 0, StopTestMs, nullptr) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
    }
    int left = 0;
    while (const CURLMsg *message = curl_multi_info_read(multi.get(), &left))
        if (message->msg == CURLMSG_DONE && message->easy_handle == Handle)
            result = message->data.result;
    curl_multi_remove_handle(multi.get(), Handle);
    return result;
}

} // namespace

struct THTTPGetFile::TTransfer {
    CURL *Handle = nullptr;
    bool HaveLength = false;   // a Content-Length header in the current response
    std::string LengthText;    // its value
    bool HaveLocation = false; // a Location header in the current response
    bool Failed = false;       // a callback failed the step set
};

// The libcurl callbacks, with access to the object.
struct THTTPGetFileCallbacks {
    struct TContext {
        THTTPGetFile *Owner;
        THTTPGetFile::TTransfer *Transfer;
    };

    static size_t Header(char *Data, size_t Size, size_t Count, void *User)
    {
        auto &c = *static_cast<TContext *>(User);
        try {
            const std::string_view line(Data, Size * Count);
            if (StartsWithNoCase(line, "HTTP/")) {
                c.Transfer->HaveLength = false;
                c.Transfer->LengthText.clear();
                c.Transfer->HaveLocation = false;
            } else if (StartsWithNoCase(line, "Location:")) {
                c.Transfer->HaveLocation = true;
            } else if (StartsWithNoCase(line, "Content-Length:")) {
                c.Transfer->HaveLength = true;
                c.Transfer->LengthText = std::string(Trimmed(line.substr(15)));
            } else if (Trimmed(line).empty() && !c.Owner->HeadersDone(*c.Transfer)) {
                c.Transfer->Failed = true;
                return 0;
            }
            return Size * Count;
        } catch (...) {
            c.Transfer->Failed = true;
            return 0;
        }
    }

    static size_t Write(char *Data, size_t Size, size_t Count, void *User)
    {
        auto &c = *static_cast<TContext *>(User);
        try {
            if (c.Owner->BodyBlock(Data, Size * Count))
                return Size * Count;
        } catch (...) {
        }
        c.Transfer->Failed = true;
        return 0;
    }

    static int Progress(void *User, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
    {
        return static_cast<TContext *>(User)->Owner->Stopped() ? 1 : 0;
    }
};

THTTPGetFile::THTTPGetFile()
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

void THTTPGetFile::SetStep(TStep Step)
{
    Error.Code = Step;
    Error.Msg = StepMessage(Step);
}

bool THTTPGetFile::Stopped() const
{
    return Thread && Thread->GetTerminated();
}

bool THTTPGetFile::HeadersDone(TTransfer &T)
{
    if (Error.Code != stRequest)
        return true; // trailers after the body
    long status = 0;
    curl_easy_getinfo(T.Handle, CURLINFO_RESPONSE_CODE, &status);
    if (status / 100 == 1)
        return true; // an interim response
    if (status / 100 == 3 && T.HaveLocation)
        return true; // followed
    if (Stopped() || status >= 400)
        return false;
    if (OnConnected)
        OnConnected();

    SetStep(stSize);
    int64_t length = -1;
    if (Stopped() || !T.HaveLength)
        return false;
    const std::string &text = T.LengthText;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), length);
    if (ec != std::errc() || end != text.data() + text.size() || length < 0 ||
        length >= std::numeric_limits<int32_t>::max())
        return false;
    ContentLength = static_cast<int32_t>(length);
    if (OnFileSize)
        OnFileSize(ContentLength + 1);

    SetStep(stCreate);
    if (!platform::writeFileAtomically(FileName, {}))
        return false;
    FileCreated = true;
    BytesRead = 0;
    SetStep(stTransfer);
    return true;
}

bool THTTPGetFile::BodyBlock(const char *Data, size_t Size)
{
    if (Error.Code != stTransfer)
        return true; // the body of a response that is not the final one
    if (Stopped())
        return false;
    Body.insert(Body.end(), Data, Data + Size);
    BytesRead += static_cast<int32_t>(Size);
    if (OnProgress)
        OnProgress(BytesRead);
    return true;
}

bool THTTPGetFile::SaveBody()
{
    return !FileCreated || platform::writeFileAtomically(FileName, Body);
}

bool THTTPGetFile::GetFile()
{
    Body.clear();
    FileCreated = false;
    BytesRead = 0;
    ContentLength = 0;
    bool done = false;
    try {
        SetStep(stOpen);
        std::unique_ptr<CURL, CurlHandleDeleter> handle(curl_easy_init());
        if (!handle || Stopped())
            return false;
        if (OnOpen)
            OnOpen();

        SetStep(stRequest);
        TTransfer transfer;
        transfer.Handle = handle.get();
        THTTPGetFileCallbacks::TContext context{this, &transfer};
        std::unique_ptr<curl_slist, CurlListDeleter> headers(
            curl_slist_append(curl_slist_append(nullptr, "Cache-Control: no-cache"), "Pragma: no-cache"));
        CURL *h = handle.get();
        curl_easy_setopt(h, CURLOPT_URL, URL.c_str());
        curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(h, CURLOPT_MAXREDIRS, MaxRedirects);
        curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
        curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, ConnectTimeoutSeconds);
        curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, LowSpeedSeconds);
        curl_easy_setopt(h, CURLOPT_BUFFERSIZE, TransferBlock);
        curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &THTTPGetFileCallbacks::Header);
        curl_easy_setopt(h, CURLOPT_HEADERDATA, &context);
        curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &THTTPGetFileCallbacks::Write);
        curl_easy_setopt(h, CURLOPT_WRITEDATA, &context);
        curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &THTTPGetFileCallbacks::Progress);
        curl_easy_setopt(h, CURLOPT_XFERINFODATA, &context);
        curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);

        const CURLcode result = PerformStoppable(h, [this] { return Stopped(); });
        done = result == CURLE_OK && !transfer.Failed && Error.Code == stTransfer && !Stopped() &&
               BytesRead == ContentLength;
    } catch (...) {
        done = false;
    }
    if (!SaveBody()) {
        SetStep(stCreate);
        return false;
    }
    if (done)
        Error.Code = 0;
    return done;
}
