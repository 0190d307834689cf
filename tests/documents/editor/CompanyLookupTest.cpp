#include <winsock2.h>
#include <ws2tcpip.h>
#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>
#include "documents/MyCompanyLookup.h"
#include "tests/documents/support/EditorFixture.h"

using namespace editor_tests;
using testing_support::ModalDriver;

namespace {

// An HTTP server on a loopback port, answering every request with one canned
// response from its own thread, or misbehaving as told.
class LoopbackServer {
public:
    LoopbackServer()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        int size = sizeof(address);
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size);
        m_port = ntohs(address.sin_port);
        listen(m_listener, 4);
        m_thread = std::thread([this] {
            for (SOCKET client; (client = accept(m_listener, nullptr, nullptr)) != INVALID_SOCKET;)
                m_clients.emplace_back([this, client] { Handle(client); });
        });
    }
    // Flood: announces a gigabyte and sends it as fast as it is taken, until the server ends.
    enum Manner { Normal, Silent, Trickling, Flood };
    ~LoopbackServer()
    {
        m_stop = true;
        closesocket(m_listener);
        m_thread.join();
        for (std::thread& client : m_clients)
            client.join();
        WSACleanup();
    }
    void Answer(int status, const std::string& body, Manner manner = Normal)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_status = status;
        m_body = body;
        m_manner = manner;
    }
    std::wstring BaseAddress() const { return L"http://127.0.0.1:" + std::to_wstring(m_port); }
    std::string LastRequestLine()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_lastLine;
    }

private:
    // Waits until the socket can be read (or written), a tenth of a second at
    // a time: false once the server ends, so no client holds it past that.
    bool Ready(SOCKET client, bool write)
    {
        while (!m_stop) {
            fd_set set;
            FD_ZERO(&set);
            FD_SET(client, &set);
            timeval tenth = {0, 100000};
            int ready = select(0, write ? nullptr : &set, write ? &set : nullptr, nullptr, &tenth);
            if (ready != 0)
                return ready > 0;
        }
        return false;
    }
    bool Send(SOCKET client, const char* data, size_t size)
    {
        for (int n = 0; size > 0; data += n, size -= n)
            if (!Ready(client, true) || (n = send(client, data, static_cast<int>(std::min<size_t>(size, 65536)), 0)) <= 0)
                return false;
        return true;
    }
    void Handle(SOCKET client)
    {
        std::string request, head, body;
        Manner manner;
        int status;
        char buffer[1024];
        for (int n = 1; n > 0 && request.find("\r\n\r\n") == std::string::npos; request.append(buffer, n > 0 ? n : 0))
            n = Ready(client, false) ? recv(client, buffer, sizeof(buffer), 0) : 0;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_lastLine = request.substr(0, request.find("\r\n"));
            manner = m_manner;
            status = m_status;
            body = m_body;
        }
        size_t length = manner == Flood ? size_t(1) << 30 : body.size();
        head = "HTTP/1.1 " + std::to_string(status) + " X\r\nContent-Type: application/json\r\n" +
               "Content-Length: " + std::to_string(length) + "\r\nConnection: close\r\n\r\n";
        std::string response = head + body;
        if (manner == Normal)
            Send(client, response.data(), response.size());
        if (manner == Flood && Send(client, response.data(), response.size()))
            for (std::string more(65536, 'x'); Send(client, more.data(), more.size());) {
            }
        // Silent: says nothing; trickling: a byte every tenth of a second.
        for (size_t sent = 0; (manner == Silent || manner == Trickling) && !m_stop; Sleep(100))
            if (manner == Trickling && sent < response.size())
                send(client, response.data() + sent++, 1, 0);
        shutdown(client, SD_SEND);
        closesocket(client);
    }

    SOCKET m_listener;
    int m_port = 0;
    std::thread m_thread;
    std::vector<std::thread> m_clients;
    std::mutex m_mutex;
    int m_status = 200;
    std::string m_body;
    std::string m_lastLine;
    std::atomic<bool> m_stop{false};
    Manner m_manner = Normal;
};

const wchar_t kNotFound[] = L"Acest C.I.F. nu a fost gasit in baza de date ! \n NU introduceti \"RO\" inaintea "
                            L"C.I.F-ului pentru cautare ON LINE , se va adauga automat daca clientul este platitor "
                            L"T.V.A. ";

class CompanyLookupInEditor : public EditorTest {
protected:
    LoopbackServer server;

    void SetUp() override
    {
        EditorTest::SetUp();
        SetCompanyLookupBaseAddress(server.BaseAddress().c_str());
        // What a look-up answers, not how long it takes, is looked at here
        // (but where a test sets its own): a loaded machine makes no answer late.
        SetCompanyLookupDeadline(60000);
    }
    void TearDown() override
    {
        SetCompanyLookupBaseAddress(nullptr);
        SetCompanyLookupDeadline(0);
    }

    // Types the code, presses "  Online" (timed into `elapsed`) and hands the window to `check`.
    void LookUp(const std::wstring& code, std::function<void(HWND)> check, DWORD* elapsed = nullptr)
    {
        RunDocument(0, 0, [&](HWND w) {
            ModalDriver::SetText(w, IDC_FE_CLIENT_CIF, code);
            DWORD start = GetTickCount();
            ModalDriver::Click(w, IDC_FE_ONLINE);
            if (elapsed)
                *elapsed = GetTickCount() - start;
            check(w);
        });
    }
};

// The company with its keys in the service's order, or (reordered) the other way round.
std::string Answer(const std::string& filler, bool reordered = false)
{
    std::string head = "\"cif\": \"123\", \"adresa\": \"Str. \xC8\x98tefan cel Mare 1\",\n \"oras\":\"Ia\xC8\x99i\", ";
    std::string tail = "\"cod\": " + filler +
                       ", \"denumire\": \"\xC8\x9A\xC4\x83r\xC4\x83 \\\"M\xC3\xA2ndr\xC4\x83\\\" SRL\", "
                       "\"telefon\": \"0232\", \"nrreg\": \"J22/1/2000\", \"x\": null, \"y\": [1, \"a,b\"], "
                       "\"z\": {\"k\": 1}, \"tva\": \"1\", ";
    return "{ " + (reordered ? tail + head : head + tail) + "\"e\": 0 }";
}

// An answer longer than one read of the connection fills the partner group
// by key name, whatever the keys' order; NULs and lone surrogates are cleaned
// before they reach a field or SQL, and no field takes more than its limit.
TEST_F(CompanyLookupInEditor, FillsThePartnerGroupByKeyNameWithCleanedValues)
{
    for (bool reordered : {false, true}) {
        std::string answer = Answer("\"" + std::string(3000, 'x') + "\"", reordered);
        ASSERT_GT(answer.size(), 1026u);
        server.Answer(200, answer);
        LookUp(L" 123 ", [](HWND w) {
            EXPECT_EQ(L"RO123|Str. Stefan cel Mare 1|Iasi|Tara \"Mandra\" SRL|0232|J22/1/2000",
                      Fields(w, {IDC_FE_CLIENT_CIF, IDC_FE_CLIENT_ADDRESS, IDC_FE_CLIENT_CITY, IDC_FE_CLIENT_NAME,
                                 IDC_FE_CLIENT_PHONE, IDC_FE_CLIENT_NRREG}));
        });
    }
    EXPECT_EQ("GET /api/companies/123.json HTTP/1.1", server.LastRequestLine());
    server.Answer(200, "{\"cif\": \"123\", \"adresa\": \"Str\\u0000ada\", \"oras\": \"" +
                           std::string(60000, 'B') + "\", \"cod\": 1, \"denumire\": \"Nou\\ud800' or 1=1 --\"}");
    LookUp(L"123", [](HWND w) {
        EXPECT_EQ(L"Strada|Nou\xFFFD' or 1=1 --", Text(w, IDC_FE_CLIENT_ADDRESS) + L"|" + Text(w, IDC_FE_CLIENT_NAME));
        int limit = static_cast<int>(SendDlgItemMessageW(w, IDC_FE_CLIENT_CITY, EM_GETLIMITTEXT, 0, 0));
        EXPECT_EQ(std::wstring(std::min(limit, 60000), L'B'), Text(w, IDC_FE_CLIENT_CITY));
    });
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

// A missing company, an empty answer, the service's error object and an
// answer without the company's keys are not found.
TEST_F(CompanyLookupInEditor, MissingCompanyEmptyAnswerAndErrorObjectAreNotFound)
{
    for (const auto& reply : {std::make_pair(404, std::string("<html>not here</html>")), std::make_pair(200, std::string()),
                              std::make_pair(200, std::string("{\"error\":\"CIF inexistent\"}")),
                              std::make_pair(200, std::string("{\"cod\":\"124\",\"nume\":\"X\",\"adresa\":\"Y\"}"))}) {
        server.Answer(reply.first, reply.second);
        LookUp(L"124", [](HWND w) {
            EXPECT_EQ(L"124||", Fields(w, {IDC_FE_CLIENT_CIF, IDC_FE_CLIENT_NAME, IDC_FE_CLIENT_ADDRESS}));
        });
    }
    EXPECT_EQ("GET /api/companies/124.json HTTP/1.1", server.LastRequestLine());
    ASSERT_EQ(4u, boxes.Count()) << boxes.Describe();
    for (const auto& box : boxes.Boxes())
        EXPECT_EQ(std::wstring(L"Message|") + kNotFound, box.caption + L"|" + box.text);
}

// A code that is not digits is refused before any request.
TEST_F(CompanyLookupInEditor, BadCodeIsNotFoundWithoutARequest)
{
    LookUp(L"RO123", [](HWND w) { EXPECT_EQ(L"RO123", Text(w, IDC_FE_CLIENT_CIF)); });
    LookUp(L"12 3", [](HWND) {});
    EXPECT_EQ("", server.LastRequestLine());
    ASSERT_EQ(2u, boxes.Count()) << boxes.Describe();
    for (const auto& box : boxes.Boxes())
        EXPECT_EQ(std::wstring(L"Message|") + kNotFound, box.caption + L"|" + box.text);
}

// An answer that goes on past any company's size is not found as soon as it
// has: the window waits neither for its end nor for the rest to be read away,
// within the program's own deadline.
TEST_F(CompanyLookupInEditor, AFloodIsNotFoundWithoutWaitingForItsEnd)
{
    SetCompanyLookupDeadline(0);
    server.Answer(200, "{\"cif\": \"124\", \"denumire\": \"X\", \"cod\": \"", LoopbackServer::Flood);
    LookUp(L"124", [](HWND w) { EXPECT_EQ(L"", Text(w, IDC_FE_CLIENT_NAME)); });
    ASSERT_EQ(1u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(std::wstring(L"Message|") + kNotFound, boxes.Last().caption + L"|" + boxes.Last().text);
}

// From the click to the end of its handler: ten seconds whatever the server
// does (the trickle under a shorter deadline); nobody listening is no server.
TEST_F(CompanyLookupInEditor, SilentTricklingOrAbsentServerHoldsTheWindowNoLongerThanTheDeadline)
{
    for (auto manner : {LoopbackServer::Silent, LoopbackServer::Trickling}) {
        server.Answer(200, Answer("40"), manner);
        SetCompanyLookupDeadline(manner == LoopbackServer::Silent ? 0 : 1500);
        DWORD elapsed = 0;
        LookUp(L"123", [](HWND) {}, &elapsed);
        EXPECT_GE(elapsed, manner == LoopbackServer::Silent ? 9500u : 1400u);
        EXPECT_LT(elapsed, manner == LoopbackServer::Silent ? 11500u : 3000u);
    }
    SetCompanyLookupBaseAddress(L"http://127.0.0.1:1"); // a port nobody serves
    LookUp(L"123", [](HWND w) { EXPECT_EQ(L"", Text(w, IDC_FE_CLIENT_NAME)); });
    EXPECT_EQ("[ERROR] Serverul nu raspunde !\n[ERROR] Serverul nu raspunde !\n[ERROR] Serverul nu raspunde !\n",
              boxes.Describe());
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().flags & MB_ICONMASK);
}

} // namespace
