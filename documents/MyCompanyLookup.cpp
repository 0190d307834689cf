#include "documents/MyCompanyLookup.h"
#include <windows.h>
#include <wininet.h>
#include <algorithm>
#include <atomic>
#include <cwctype>
#include <memory>
#include <thread>
#include "database/qsql/SqlText.h"

using micro::utils::QString;

namespace {

const wchar_t kDefaultBaseAddress[] = L"http://registru.brivane.ro";
const wchar_t kUserAgent[] = L"Mozilla/4.0 (compatible) Rararu";
const DWORD kTimeoutMs = 10000;
const DWORD kChunkSize = 1026;
// A company's record is a few hundred bytes; anything this big is no answer.
const size_t kMaxAnswerBytes = 64 * 1024;

std::wstring g_baseAddress = kDefaultBaseAddress;
DWORD g_deadlineMs = kTimeoutMs;

// Closes a WinINet handle when it goes out of scope.
class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : m_handle(handle) {}
    ~InternetHandle()
    {
        if (m_handle)
            InternetCloseHandle(m_handle);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    operator HINTERNET() const { return m_handle; }

private:
    HINTERNET m_handle;
};

bool IsDigitsOnly(const QString& code)
{
    if (code.IsEmpty())
        return false;
    for (int i = 0; i < code.GetLength(); ++i) {
        if (code[i] < L'0' || code[i] > L'9')
            return false;
    }
    return true;
}

wchar_t FoldLetter(wchar_t c)
{
    switch (c) {
    case 0x0219: case 0x015F: return L's'; // s comma / cedilla
    case 0x0218: case 0x015E: return L'S';
    case 0x021B: case 0x0163: return L't';
    case 0x021A: case 0x0162: return L'T';
    case 0x0103: case 0x00E2: return L'a';
    case 0x0102: case 0x00C2: return L'A';
    case 0x00EE: return L'i';
    case 0x00CE: return L'I';
    default: return c;
    }
}

// The answer comes over plain HTTP from outside: NULs go, lone surrogates
// become U+FFFD, so the text is safe in a window and in SQL.
QString CleanValue(std::wstring value)
{
    value.erase(std::remove(value.begin(), value.end(), L'\0'), value.end());
    return micro::qsql::SqlSafeText(value.data(), static_cast<int>(value.size()));
}

class JsonReader {
public:
    explicit JsonReader(const std::wstring& text) : m_text(text), m_at(0) {}

    bool ReadObject(CompanyLookupAnswer& answer)
    {
        SkipSpace();
        if (!Take(L'{'))
            return false;
        SkipSpace();
        if (Take(L'}'))
            return true;
        for (;;) {
            std::wstring key;
            SkipSpace();
            if (!ReadString(key))
                return false;
            SkipSpace();
            if (!Take(L':'))
                return false;
            SkipSpace();
            if (Peek() == L'"') {
                std::wstring value;
                if (!ReadString(value))
                    return false;
                answer.Add(key, true, CleanValue(value));
            } else {
                if (!SkipValue())
                    return false;
                answer.Add(key, false, QString());
            }
            SkipSpace();
            if (Take(L','))
                continue;
            return Take(L'}');
        }
    }

private:
    wchar_t Peek() const { return m_at < m_text.size() ? m_text[m_at] : 0; }
    bool Take(wchar_t c)
    {
        if (Peek() != c)
            return false;
        ++m_at;
        return true;
    }
    void SkipSpace()
    {
        while (m_at < m_text.size() && std::iswspace(m_text[m_at]))
            ++m_at;
    }

    bool ReadHex(unsigned& value)
    {
        if (m_at + 4 > m_text.size())
            return false;
        value = 0;
        for (int i = 0; i < 4; ++i) {
            wchar_t c = m_text[m_at++];
            value <<= 4;
            if (c >= L'0' && c <= L'9') value |= c - L'0';
            else if (c >= L'a' && c <= L'f') value |= c - L'a' + 10;
            else if (c >= L'A' && c <= L'F') value |= c - L'A' + 10;
            else return false;
        }
        return true;
    }

    bool ReadString(std::wstring& out)
    {
        if (!Take(L'"'))
            return false;
        while (m_at < m_text.size()) {
            wchar_t c = m_text[m_at++];
            if (c == L'"')
                return true;
            if (c != L'\\') {
                out += FoldLetter(c);
                continue;
            }
            if (m_at >= m_text.size())
                return false;
            wchar_t e = m_text[m_at++];
            switch (e) {
            case L'n': out += L'\n'; break;
            case L't': out += L'\t'; break;
            case L'r': out += L'\r'; break;
            case L'b': out += L'\b'; break;
            case L'f': out += L'\f'; break;
            case L'u': {
                unsigned code;
                if (!ReadHex(code))
                    return false;
                out += FoldLetter(static_cast<wchar_t>(code));
                break;
            }
            default: out += e; break; // \" \\ \/
            }
        }
        return false;
    }

    // A number, literal, array or object: skipped, brackets balanced.
    bool SkipValue()
    {
        int depth = 0;
        while (m_at < m_text.size()) {
            wchar_t c = Peek();
            if (c == L'"') {
                std::wstring ignored;
                if (!ReadString(ignored))
                    return false;
                continue;
            }
            if (c == L'{' || c == L'[') {
                ++depth;
            } else if (c == L'}' || c == L']') {
                if (depth == 0)
                    return true;
                --depth;
            } else if (c == L',' && depth == 0) {
                return true;
            }
            ++m_at;
        }
        return false;
    }

    const std::wstring& m_text;
    size_t m_at;
};

std::wstring FromUtf8(const std::string& bytes)
{
    if (bytes.empty())
        return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], n);
    return text;
}

} // namespace

bool ParseCompanyAnswer(const std::string& body, CompanyLookupAnswer& answer)
{
    std::wstring text = FromUtf8(body);
    JsonReader reader(text);
    return reader.ReadObject(answer);
}

void SetCompanyLookupBaseAddress(const wchar_t* baseAddress)
{
    g_baseAddress = baseAddress ? baseAddress : kDefaultBaseAddress;
}

void SetCompanyLookupDeadline(unsigned long milliseconds)
{
    g_deadlineMs = milliseconds ? milliseconds : kTimeoutMs;
}

namespace {

// One request, shared by the window and the worker: whichever finishes last frees it.
struct LookupJob {
    std::wstring url;
    std::atomic<bool> abandoned{false};
    CompanyLookupOutcome outcome = CompanyLookupNoServer;
    std::string body;
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~LookupJob() { CloseHandle(done); }
};

// Hands the outcome to the window, which may read the job from then on.
void Report(LookupJob& job, CompanyLookupOutcome outcome)
{
    job.outcome = outcome;
    SetEvent(job.done);
}

CompanyLookupOutcome ReadAnswer(LookupJob& job, HINTERNET request)
{
    DWORD status = 0, size = sizeof(status), index = 0;
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, &index) ||
        status != 200)
        return CompanyLookupNotFound;

    char chunk[kChunkSize];
    DWORD read = 0;
    while (!job.abandoned && InternetReadFile(request, chunk, kChunkSize, &read) && read > 0) {
        if (job.body.size() + read > kMaxAnswerBytes)
            return CompanyLookupNotFound;
        job.body.append(chunk, read);
    }
    return job.abandoned ? CompanyLookupNoServer : CompanyLookupFound;
}

// On the worker: WinINet's own time-outs do not bound a blocking call, so the
// window never waits on this directly. The answer is handed over before the
// handles close: closing a request whose body was left unread makes WinINet
// read the rest first, as long as the server sends it.
void Fetch(LookupJob& job)
{
    InternetHandle session(InternetOpenW(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session)
        return Report(job, CompanyLookupNoInternet);
    DWORD timeout = kTimeoutMs;
    InternetSetOptionW(session, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof(timeout));
    InternetSetOptionW(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof(timeout));
    InternetSetOptionW(session, INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof(timeout));
    InternetHandle request(InternetOpenUrlW(session, job.url.c_str(), nullptr, 0,
                                            INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    if (!request)
        return Report(job, CompanyLookupNoServer);
    Report(job, ReadAnswer(job, request));
}

// Waits for the worker until the deadline, repainting meanwhile but taking
// no input, so nothing else starts while the answer is awaited.
bool WaitUntilDone(HANDLE done, DWORD deadlineMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= deadlineMs)
            return WaitForSingleObject(done, 0) == WAIT_OBJECT_0;
        DWORD woke = MsgWaitForMultipleObjects(1, &done, FALSE, deadlineMs - elapsed, QS_PAINT);
        if (woke == WAIT_OBJECT_0)
            return true;
        if (woke != WAIT_OBJECT_0 + 1)
            return WaitForSingleObject(done, 0) == WAIT_OBJECT_0;
        MSG message;
        while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            DispatchMessageW(&message);
    }
}

} // namespace

CompanyLookupOutcome LookupCompany(const QString& fiscalCode, CompanyLookupAnswer& answer)
{
    QString code = fiscalCode;
    code.Trim();
    if (!IsDigitsOnly(code))
        return CompanyLookupNotFound;
    auto job = std::make_shared<LookupJob>();
    job->url = g_baseAddress + L"/api/companies/" + code.c_str() + L".json";
    std::thread([job] { Fetch(*job); }).detach();
    if (!WaitUntilDone(job->done, g_deadlineMs)) {
        // The worker ends on its own when WinINet lets go; its result is dropped.
        job->abandoned = true;
        return CompanyLookupNoServer;
    }
    if (job->outcome != CompanyLookupFound)
        return job->outcome;
    if (job->body.empty() || !ParseCompanyAnswer(job->body, answer) || !answer.HasText(L"cif") ||
        !answer.HasText(L"denumire"))
        return CompanyLookupNotFound;
    return CompanyLookupFound;
}
