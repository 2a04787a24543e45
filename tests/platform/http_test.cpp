// HTTP connections of the platform layer and the WinInet stand-in under
// them, against local servers on 127.0.0.1.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "hal/HALHttpConnection.h"
#include "hal/HALList.h"
#include "hal/HALString.h"
#include "hal/hal.h"
#include "support/AppFolder.h"
#include "support/HttpTestServer.h"
#include "wince/detail/text.h"
#include "wince/wininet.h"

namespace {

using vxtest::HttpReply;
using vxtest::HttpRequest;
using vxtest::HttpTestServer;

std::u16string u16(const std::string& text)
{
    return wince_text::fromUtf8(text);
}

// The text of a handed-out string (released here); nullopt for none.
std::optional<std::string> take(HALString* string)
{
    if (!string) {
        return std::nullopt;
    }
    std::string text = wince_text::toUtf8(
        std::u16string_view(string->characters() ? string->characters() : u"",
                            static_cast<size_t>(string->length())));
    HAL_deleteString(string);
    return text;
}

// A connection that is deleted with the test.
class Connection {
public:
    explicit Connection(const std::string& url)
    {
        std::u16string text = u16(url);
        EXPECT_EQ(0, HAL_createHTTPConnection(&connection_, text.data(),
                                              static_cast<int32_t>(text.size())));
    }
    ~Connection()
    {
        if (connection_) {
            HAL_deleteHTTPConnection(connection_);
        }
    }
    HALHttpConnection* get() const { return connection_; }
    operator HALHttpConnection*() const { return connection_; }

    void setProperty(const std::u16string& name, const std::u16string& value)
    {
        EXPECT_EQ(0, HAL_setHTTPRequestProperty(connection_, name.data(),
                                                static_cast<int32_t>(name.size()), value.data(),
                                                static_cast<int32_t>(value.size())));
    }
    void write(const std::string& bytes)
    {
        EXPECT_EQ(0, HAL_writeHTTP(connection_, reinterpret_cast<const int8_t*>(bytes.data()),
                                   static_cast<int32_t>(bytes.size())));
    }
    // (status, text) of a string query.
    std::pair<int32_t, std::optional<std::string>> text(
        int32_t (*query)(HALHttpConnection*, HALString**))
    {
        HALString* out = nullptr;
        int32_t status = query(connection_, &out);
        return {status, take(out)};
    }
    std::optional<std::string> header(const char16_t* name)
    {
        HALString* out = nullptr;
        HAL_getHTTPHeaderField(connection_, name, 0, &out);
        return take(out);
    }
    int32_t code()
    {
        int32_t value = 0;
        EXPECT_EQ(0, HAL_getHTTPResponseCode(connection_, &value));
        return value;
    }
    // The whole body through HAL_readHTTP; the block sizes in `blocks`.
    std::string body(std::vector<int32_t>* blocks = nullptr)
    {
        std::string data;
        for (;;) {
            const int8_t* buffer = nullptr;
            int32_t count = 0;
            int32_t status = HAL_readHTTP(connection_, &buffer, &count);
            if (status == 3) {
                EXPECT_EQ(0, count);
                return data;
            }
            EXPECT_EQ(0, status);
            if (status != 0) {
                return data;
            }
            if (blocks) {
                blocks->push_back(count);
            }
            data.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(count));
        }
    }

private:
    HALHttpConnection* connection_ = nullptr;
};

class Http : public ::testing::Test {
protected:
    void TearDown() override
    {
        wince::setInternetTimeouts(0, 0);
        wince::setInternetTrustFile("");
        HAL_closeHTTPSession();
    }
};

// ---- URL parts ---------------------------------------------------------------

TEST_F(Http, UrlPartsOfTheUrlAsGiven)
{
    struct Case {
        const char* url;
        const char* host;  // null: none
        int32_t port;      // -1: the port is refused
        const char* file;
        const char* query;
        const char* ref;
    };
    const Case cases[] = {
        {"http://example.com/index.html", "example.com", 80, "/index.html", nullptr, nullptr},
        {"http://example.com:8080/a/b.cgi?x=1&y=2", "example.com", 8080, "/a/b.cgi", "x=1&y=2",
         nullptr},
        {"http://example.com/p?q=1#frag", "example.com", 80, "/p", "q=1", "frag"},
        {"http://example.com/p#frag?x", "example.com", 80, "/p", nullptr, "frag?x"},
        {"http://example.com/p?", "example.com", 80, "/p", "", nullptr},
        {"http://example.com", "example.com", 80, nullptr, nullptr, nullptr},
        {"http://example.com?x=1", "example.com", 80, nullptr, "x=1", nullptr},
        {"http://example.com:81", "example.com", 81, nullptr, nullptr, nullptr},
        {"http://user:pw@example.com:81/p", "example.com", 81, "/p", nullptr, nullptr},
        {"http://example.com/a:b", "example.com", 80, "/a:b", nullptr, nullptr},
        {"https://example.com:80/", "example.com", 80, "/", nullptr, nullptr},
        {"http://[::1]:8080/x", "[::1]", 8080, "/x", nullptr, nullptr},
        {"http://example.com:99999/", "example.com", -1, nullptr, nullptr, nullptr},
        {"http://example.com:8x/", "example.com", -1, nullptr, nullptr, nullptr},
        {"nonsense", nullptr, -1, nullptr, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        Connection connection(c.url);
        auto expect = [](const char* wanted, std::pair<int32_t, std::optional<std::string>> got) {
            if (wanted) {
                EXPECT_EQ(0, got.first);
                EXPECT_EQ(std::optional<std::string>(wanted), got.second);
            } else {
                EXPECT_NE(0, got.first);
                EXPECT_EQ(std::nullopt, got.second);
            }
        };
        expect(c.host, connection.text(HAL_getHTTPHost));
        expect(c.file, connection.text(HAL_getHTTPFile));
        expect(c.query, connection.text(HAL_getHTTPQuery));
        expect(c.ref, connection.text(HAL_getHTTPRef));
        EXPECT_EQ(std::optional<std::string>(c.url), connection.text(HAL_getHTTPURL).second);
        int32_t port = 0;
        int32_t status = HAL_getHTTPPort(connection, &port);
        if (c.port < 0) {
            EXPECT_EQ(4, status);
        } else {
            EXPECT_EQ(0, status);
            EXPECT_EQ(c.port, port);
        }
    }
}

TEST_F(Http, NullArgumentsAreRefused)
{
    HALString* out = nullptr;
    int32_t value = 0;
    int64_t length = 0;
    const int8_t* buffer = nullptr;
    EXPECT_EQ(2, HAL_createHTTPConnection(nullptr, u"http://x/", 9));
    EXPECT_EQ(2, HAL_getHTTPURL(nullptr, &out));
    EXPECT_EQ(2, HAL_getHTTPPort(nullptr, &value));
    EXPECT_EQ(2, HAL_setHTTPRequestMethod(nullptr, u"GET", 3));
    EXPECT_EQ(2, HAL_setHTTPRequestProperty(nullptr, u"A", 1, u"b", 1));
    EXPECT_EQ(2, HAL_writeHTTP(nullptr, nullptr, 0));
    EXPECT_EQ(2, HAL_readHTTP(nullptr, &buffer, &value));
    EXPECT_EQ(2, HAL_getHTTPResponseCode(nullptr, &value));
    EXPECT_EQ(2, HAL_getHTTPHeaderField(nullptr, u"A", 1, &out));
    EXPECT_EQ(2, HAL_getHTTPLength(nullptr, &length));
    EXPECT_EQ(2, HAL_closeHTTPInputStream(nullptr));
    EXPECT_EQ(2, HAL_closeHTTPOutputStream(nullptr));
    EXPECT_EQ(2, HAL_deleteHTTPConnection(nullptr));
}

// ---- Requests and replies ------------------------------------------------------

TEST_F(Http, GetAnswersStatusHeadersAndBodyInBlocks)
{
    std::string payload(10000, '\0');
    for (size_t i = 0; i < payload.size(); ++i) {
        payload[i] = static_cast<char>(i * 7);
    }
    HttpTestServer server([&](const HttpRequest&) {
        return HttpTestServer::reply("HTTP/1.1 200 OK",
                                     {{"Content-Type", "application/octet-stream"},
                                      {"X-Mixed-Case", "one"},
                                      {"X-Tight", "two"}},
                                     payload);
    });
    Connection connection(server.url("/data/file.bin?a=1#top"));
    EXPECT_EQ(200, connection.code());
    EXPECT_EQ(std::optional<std::string>("HTTP/1.1 200 OK"),
              connection.text(HAL_getHTTPResponseMessage).second);
    // Line 0 is the status line, without a name.
    HALString* name = nullptr;
    EXPECT_EQ(0, HAL_getHTTPHeaderFieldKey(connection, 0, &name));
    EXPECT_EQ(nullptr, name);
    EXPECT_EQ(0, HAL_getHTTPHeaderFieldKey(connection, 1, &name));
    EXPECT_EQ(std::optional<std::string>("Content-Type"), take(name));
    HALString* value = nullptr;
    EXPECT_EQ(0, HAL_getHTTPHeaderFieldByIndex(connection, 2, &value));
    EXPECT_EQ(std::optional<std::string>("one"), take(value));
    EXPECT_EQ(4, HAL_getHTTPHeaderFieldByIndex(connection, 99, &value));
    EXPECT_EQ(4, HAL_getHTTPHeaderFieldKey(connection, -1, &name));
    EXPECT_EQ(std::optional<std::string>("one"), connection.header(u"x-MIXED-case"));
    EXPECT_EQ(std::nullopt, connection.header(u"X-Absent"));
    EXPECT_EQ(std::optional<std::string>("application/octet-stream"),
              connection.text(HAL_getHTTPType).second);
    int64_t length = 0;
    EXPECT_EQ(0, HAL_getHTTPLength(connection, &length));
    EXPECT_EQ(10000, length);

    std::vector<int32_t> blocks;
    EXPECT_EQ(payload, connection.body(&blocks));
    EXPECT_EQ((std::vector<int32_t>{4096, 4096, 1808}), blocks);
    // At the end every further read says so again.
    const int8_t* buffer = nullptr;
    int32_t count = -5;
    EXPECT_EQ(3, HAL_readHTTP(connection, &buffer, &count));
    EXPECT_EQ(0, count);

    auto requests = server.requests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ("GET", requests[0].method);
    EXPECT_EQ("/data/file.bin?a=1", requests[0].target);  // the ref stays here
}

TEST_F(Http, PostSendsPropertiesOnceAndTheWritesAsOneBody)
{
    HttpTestServer server([](const HttpRequest&) {
        return HttpTestServer::reply("HTTP/1.1 201 Created", {}, "ok");
    });
    Connection connection(server.url("/upload"));
    EXPECT_EQ(0, HAL_setHTTPRequestMethod(connection, u"POST", 4));
    connection.setProperty(u"X-Token", u"first");
    connection.setProperty(u"Content-Type", u"application/octet-stream");
    connection.setProperty(u"X-Token", u"second");
    connection.write("abc");
    connection.write("defg");
    HALString* value = nullptr;
    EXPECT_EQ(0, HAL_getHTTPRequestProperty(connection, u"X-Token", 0, &value));
    EXPECT_EQ(std::optional<std::string>("second"), take(value));
    EXPECT_EQ(0, HAL_getHTTPRequestProperty(connection, u"x-token", 0, &value));
    EXPECT_EQ(std::nullopt, take(value));  // request names match exactly
    EXPECT_EQ(std::optional<std::string>("POST"), connection.text(HAL_getHTTPRequestMethod).second);

    EXPECT_EQ(201, connection.code());
    connection.write("late");  // after the request went out: never sent
    EXPECT_EQ("ok", connection.body());

    auto requests = server.requests();
    ASSERT_EQ(1u, requests.size());
    const HttpRequest& seen = requests[0];
    EXPECT_EQ("POST", seen.method);
    EXPECT_EQ("abcdefg", seen.body);
    EXPECT_EQ(std::vector<std::string>{"second"}, seen.header("X-Token"));
    EXPECT_EQ(std::vector<std::string>{"application/octet-stream"}, seen.header("Content-Type"));
    EXPECT_EQ(std::vector<std::string>{"7"}, seen.header("Content-Length"));
    EXPECT_TRUE(seen.header("Expect").empty());
}

TEST_F(Http, RequestPropertiesThatWouldForgeHeaderLinesAreRefused)
{
    Connection connection("http://127.0.0.1:1/");
    const std::pair<std::u16string, std::u16string> bad[] = {
        {u"X-A", u"v\r\nX-Injected: 1"}, {u"X-A\r\nX-B", u"v"}, {u"X:A", u"v"},
        {u"", u"v"},                     {u"X A", u"v"},        {u"X-A", u"v\n"},
    };
    for (const auto& [name, value] : bad) {
        EXPECT_EQ(2, HAL_setHTTPRequestProperty(connection, name.data(),
                                                static_cast<int32_t>(name.size()), value.data(),
                                                static_cast<int32_t>(value.size())));
    }
    HALString* out = nullptr;
    EXPECT_EQ(0, HAL_getHTTPRequestProperty(connection, u"X-A", 0, &out));
    EXPECT_EQ(nullptr, out);
}

TEST_F(Http, AgentIsTheMidletName)
{
    vxtest::AppFolder folder;
    folder.writeAppProperties("MIDlet-Name: Vexalon Test\n");
    HAL_loadProperties();
    HttpTestServer server([](const HttpRequest&) {
        return HttpTestServer::reply("HTTP/1.1 200 OK", {}, "");
    });
    Connection connection(server.url("/"));
    EXPECT_EQ(200, connection.code());
    ASSERT_EQ(1u, server.requests().size());
    EXPECT_EQ(std::vector<std::string>{"Vexalon Test"}, server.requests()[0].header("User-Agent"));
    HAL_freeProperties();
}

TEST_F(Http, ReplyWithoutLengthReadsToTheEnd)
{
    HttpTestServer server([](const HttpRequest&) {
        return HttpTestServer::reply("HTTP/1.0 200 OK", {}, "until the close", false);
    });
    Connection connection(server.url("/"));
    int64_t length = 0;
    EXPECT_EQ(0, HAL_getHTTPLength(connection, &length));
    EXPECT_EQ(-1, length);
    HALString* type = nullptr;
    EXPECT_EQ(4, HAL_getHTTPType(connection, &type));
    EXPECT_EQ(nullptr, type);
    EXPECT_EQ("until the close", connection.body());
}

TEST_F(Http, RedirectIsFollowedAndTheFinalReplyAnswers)
{
    HttpTestServer* self = nullptr;
    HttpTestServer server([&](const HttpRequest& request) {
        if (request.target == "/old") {
            return HttpTestServer::reply("HTTP/1.1 302 Found",
                                         {{"Location", self->url("/new")}, {"X-Hop", "old"}},
                                         "see there");
        }
        return HttpTestServer::reply("HTTP/1.1 200 OK", {{"X-Hop", "new"}}, "arrived");
    });
    self = &server;
    Connection connection(server.url("/old"));
    EXPECT_EQ(200, connection.code());
    EXPECT_EQ(std::optional<std::string>("new"), connection.header(u"X-Hop"));
    EXPECT_EQ("arrived", connection.body());
    ASSERT_EQ(2u, server.requests().size());
    EXPECT_EQ("/new", server.requests()[1].target);
}

TEST_F(Http, NotFoundKeepsItsStatusLineAndBody)
{
    HttpTestServer server([](const HttpRequest&) {
        return HttpTestServer::reply("HTTP/1.1 404 Not Found", {}, "no such page");
    });
    Connection connection(server.url("/missing"));
    EXPECT_EQ(404, connection.code());
    EXPECT_EQ(std::optional<std::string>("HTTP/1.1 404 Not Found"),
              connection.text(HAL_getHTTPResponseMessage).second);
    EXPECT_EQ("no such page", connection.body());
}

TEST_F(Http, OnlyTheFinalReplysLinesAreKept)
{
    struct Case {
        const char* reply;
        const char* statusLine;
        std::optional<std::string> hop;
    };
    const Case cases[] = {
        // An interim reply before a status line whose protocol name is in
        // another case.
        {"HTTP/1.1 100 Continue\r\nX-Hop: interim\r\n\r\n"
         "http/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok",
         "http/1.1 200 OK", std::nullopt},
        // A header line that begins like a status line starts no reply.
        {"HTTP/1.1 200 OK\r\nX-Hop: first\r\nHTTP/2-Note: kept\r\nContent-Length: 2\r\n\r\nok",
         "HTTP/1.1 200 OK", "first"},
    };
    for (const Case& c : cases) {
        HttpTestServer server([&](const HttpRequest&) { return HttpReply{c.reply}; });
        Connection connection(server.url("/"));
        EXPECT_EQ(200, connection.code()) << c.reply;
        EXPECT_EQ(std::optional<std::string>(c.statusLine),
                  connection.text(HAL_getHTTPResponseMessage).second)
            << c.reply;
        EXPECT_EQ(c.hop, connection.header(u"X-Hop")) << c.reply;
        EXPECT_EQ("ok", connection.body()) << c.reply;
        HAL_closeHTTPSession();
    }
}

// A request that could not be sent fails every question about its reply.
void expectFailedRequest(Connection& connection)
{
    int32_t code = 0;
    EXPECT_EQ(7, HAL_getHTTPResponseCode(connection, &code));
    EXPECT_EQ(-1, code);
    const int8_t* buffer = nullptr;
    int32_t count = 0;
    EXPECT_EQ(7, HAL_readHTTP(connection, &buffer, &count));
    EXPECT_EQ(-1, count);
    HALString* text = nullptr;
    EXPECT_EQ(7, HAL_getHTTPHeaderFieldByIndex(connection, 0, &text));
    EXPECT_EQ(7, HAL_getHTTPResponseMessage(connection, &text));
    EXPECT_EQ(7, HAL_getHTTPType(connection, &text));
    int64_t length = 0;
    EXPECT_EQ(7, HAL_getHTTPLength(connection, &length));
    EXPECT_EQ(-1, length);
}

TEST_F(Http, RefusedConnectionFails)
{
    Connection connection("http://127.0.0.1:" + std::to_string(vxtest::unusedPort()) + "/");
    expectFailedRequest(connection);
    EXPECT_EQ(ERROR_INTERNET_CANNOT_CONNECT, connection.get()->lastError);
}

TEST_F(Http, StallingServerTimesOut)
{
    wince::setInternetTimeouts(2000, 1000);
    HttpTestServer server([](const HttpRequest&) { return HttpReply{"", true}; });
    Connection connection(server.url("/slow"));
    auto start = std::chrono::steady_clock::now();
    expectFailedRequest(connection);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
    EXPECT_EQ(ERROR_INTERNET_TIMEOUT, connection.get()->lastError);
}

TEST_F(Http, BrokenRepliesFail)
{
    const char* replies[] = {
        "HTTP/1.1 200 OK\r\nContent-Length: -5\r\nConnection: close\r\n\r\nabc",
        "HTTP/1.1 200 OK\r\nContent-Length: 99999999999999\r\nConnection: close\r\n\r\nabc",
        "HTTP/1.1 200 OK\r\nContent-Length: 100\r\nConnection: close\r\n\r\nshort",
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\nzz\r\nabc\r\n",
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n5\r\nab",
        "garbage\r\n\r\n",
        "",
    };
    for (const char* bytes : replies) {
        SCOPED_TRACE(bytes);
        HttpTestServer server([&](const HttpRequest&) { return HttpReply{bytes, false}; });
        Connection connection(server.url("/"));
        expectFailedRequest(connection);
    }
}

TEST_F(Http, ChunkedReplyIsJoinedAndItsEncodingReported)
{
    HttpTestServer server([](const HttpRequest&) {
        return HttpReply{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nX-Tight:value\r\n"
                         "Connection: close\r\n\r\n3\r\nabc\r\n4\r\ndefg\r\n0\r\n\r\n",
                         false};
    });
    Connection connection(server.url("/"));
    EXPECT_EQ(std::optional<std::string>("chunked"), connection.text(HAL_getHTTPEncoding).second);
    EXPECT_EQ(std::optional<std::string>("value"), connection.header(u"X-Tight"));
    int64_t length = 0;
    EXPECT_EQ(0, HAL_getHTTPLength(connection, &length));
    EXPECT_EQ(-1, length);
    EXPECT_EQ("abcdefg", connection.body());
}

// A HEAD reply names the length of a body it does not carry: a resource
// beyond the body limit is still answered.
TEST_F(Http, HeadOfABigResourceAnswersItsLength)
{
    std::string length = std::to_string(wince::kInternetMaxBody * 2);
    HttpTestServer server([&](const HttpRequest&) {
        return HttpReply{"HTTP/1.1 200 OK\r\nContent-Length: " + length +
                             "\r\nConnection: close\r\n\r\n",
                         false};
    });
    Connection connection(server.url("/big"));
    EXPECT_EQ(0, HAL_setHTTPRequestMethod(connection, u"HEAD", 4));
    EXPECT_EQ(200, connection.code());
    int64_t answered = 0;
    EXPECT_EQ(0, HAL_getHTTPLength(connection, &answered));
    EXPECT_EQ(static_cast<int64_t>(wince::kInternetMaxBody * 2), answered);
    EXPECT_EQ("", connection.body());
    ASSERT_EQ(1u, server.requests().size());
    EXPECT_EQ("HEAD", server.requests()[0].method);
}

TEST_F(Http, ReplyBeyondTheBodyLimitFails)
{
    std::string big(wince::kInternetMaxBody + 1, 'x');
    HttpTestServer server([&](const HttpRequest&) {
        return HttpTestServer::reply("HTTP/1.0 200 OK", {}, big, false);
    });
    Connection connection(server.url("/"));
    expectFailedRequest(connection);
}

// ---- Holders -------------------------------------------------------------------

TEST_F(Http, StreamsHoldTheConnectionUntilTheLastCloses)
{
    HttpTestServer server([](const HttpRequest&) {
        return HttpTestServer::reply("HTTP/1.1 200 OK", {}, "body");
    });
    HALHttpConnection* connection = nullptr;
    std::u16string url = u16(server.url("/"));
    ASSERT_EQ(0, HAL_createHTTPConnection(&connection, url.data(), static_cast<int32_t>(url.size())));
    EXPECT_EQ(0, HAL_openHTTPInputStream(connection));   // an earlier stream
    EXPECT_EQ(0, HAL_openHTTPOutputStream(connection));
    EXPECT_EQ(0, HAL_openHTTPInputStream(connection));   // a later one
    EXPECT_EQ(0, HAL_closeHTTPInputStream(connection));  // the later one closes
    EXPECT_EQ(0, HAL_closeHTTPOutputStream(connection));
    // The earlier stream still reads, also after its owner deleted it.
    EXPECT_EQ(0, HAL_deleteHTTPConnection(connection));
    const int8_t* buffer = nullptr;
    int32_t count = 0;
    EXPECT_EQ(0, HAL_readHTTP(connection, &buffer, &count));
    EXPECT_EQ("body", std::string(reinterpret_cast<const char*>(buffer), 4));
    EXPECT_EQ(2, HAL_deleteHTTPConnection(connection));  // never twice
    EXPECT_EQ(0, HAL_closeHTTPInputStream(connection));  // the last holder frees it
}

// A close without an open takes no holder away: the owner's hold stays.
TEST_F(Http, StreamClosesWithoutAnOpenLeaveTheOwnersHold)
{
    Connection connection("http://127.0.0.1:1/");
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(0, HAL_closeHTTPOutputStream(connection));
        EXPECT_EQ(0, HAL_closeHTTPInputStream(connection));
    }
    EXPECT_EQ(std::optional<std::string>("http://127.0.0.1:1/"),
              connection.text(HAL_getHTTPURL).second);
}

// ---- Secure connections --------------------------------------------------------

TEST_F(Http, HttpsIsRefusedWithoutTrustAndAcceptedWithIt)
{
    vxtest::AppFolder folder;
    vxtest::TlsTestServer server(folder.path());
    ASSERT_TRUE(server.ready());
    std::string url = "https://127.0.0.1:" + std::to_string(server.port()) + "/";
    {
        Connection untrusted(url);
        expectFailedRequest(untrusted);
        EXPECT_EQ(ERROR_INTERNET_SECURE_FAILURE, untrusted.get()->lastError);
    }
    wince::setInternetTrustFile(server.certificate());
    Connection trusted(url);
    EXPECT_EQ(200, trusted.code());
    EXPECT_NE(std::string::npos, trusted.body().find("<HTML>"));
}

// A redirect may not take an https request to plain http; to https it may.
TEST_F(Http, HttpsIsNotRedirectedToPlainHttp)
{
    vxtest::AppFolder folder;
    HttpTestServer plain([](const HttpRequest&) {
        return HttpTestServer::reply("HTTP/1.1 200 OK", {}, "plain");
    });
    vxtest::TlsTestServer server(folder.path(), true);
    ASSERT_TRUE(server.ready());
    std::string secure = "https://127.0.0.1:" + std::to_string(server.port());
    auto redirectTo = [&](const std::string& name, const std::string& location) {
        std::ofstream(folder.path() + "/" + name, std::ios::binary)
            << "HTTP/1.0 302 Found\r\nLocation: " << location << "\r\nContent-Length: 0\r\n\r\n";
    };
    redirectTo("to-plain", plain.url("/"));
    redirectTo("to-secure", secure + "/page");
    std::ofstream(folder.path() + "/page", std::ios::binary)
        << "HTTP/1.0 200 OK\r\nContent-Length: 6\r\n\r\nsecure";
    wince::setInternetTrustFile(server.certificate());
    {
        Connection toPlain(secure + "/to-plain");
        expectFailedRequest(toPlain);
        EXPECT_EQ(ERROR_HTTP_REDIRECT_FAILED, toPlain.get()->lastError);
        EXPECT_TRUE(plain.requests().empty());
    }
    Connection toSecure(secure + "/to-secure");
    EXPECT_EQ(200, toSecure.code());
    EXPECT_EQ("secure", toSecure.body());
}

// ---- Response header lines -------------------------------------------------------

TEST(HttpHeaders, ResponseLinesSplitIntoNamesAndValues)
{
    struct Case {
        const char16_t* raw;
        std::vector<std::pair<std::optional<std::string>, std::string>> pairs;
    };
    const Case cases[] = {
        {u"HTTP/1.1 200 OK\r\nA: 1\r\nB:2\r\nC:   \r\n\r\nD: after the end\r\n",
         {{std::nullopt, "HTTP/1.1 200 OK"}, {"A", "1"}, {"B", "2"}, {"C", ""}}},
        {u"HTTP/1.1 500 Bad: news\r\nno colon\r\n:x\r\n",
         {{std::nullopt, "HTTP/1.1 500 Bad: news"}, {std::nullopt, "no colon"}, {"", "x"}}},
        {u"HTTP/1.1 200 OK", {{std::nullopt, "HTTP/1.1 200 OK"}}},
        {u"HTTP/1.1 200 OK\r\nA: x\ry\r\n", {{std::nullopt, "HTTP/1.1 200 OK"}, {"A", "x\ry"}}},
        {u"\r\nA: 1\r\n", {}},
        {u"", {}},
    };
    for (const Case& c : cases) {
        std::u16string raw = c.raw;
        SCOPED_TRACE(wince_text::toUtf8(raw));
        HALList* pairs = HALList::create();
        ASSERT_TRUE(HALHttpConnection::parseResponseHeaders(raw.data(),
                                                            static_cast<int32_t>(raw.size()), pairs));
        ASSERT_EQ(c.pairs.size(), static_cast<size_t>(pairs->size()));
        for (size_t i = 0; i < c.pairs.size(); ++i) {
            auto* header = static_cast<HALHttpHeader*>(pairs->get(static_cast<int32_t>(i)));
            EXPECT_EQ(1, header->kind);
            auto text = [](HALString* s) -> std::optional<std::string> {
                if (!s) return std::nullopt;
                return wince_text::toUtf8(std::u16string_view(
                    s->characters() ? s->characters() : u"", static_cast<size_t>(s->length())));
            };
            EXPECT_EQ(c.pairs[i].first, text(header->name));
            EXPECT_EQ(std::optional<std::string>(c.pairs[i].second), text(header->value));
        }
        HALHttpConnection::freeHeaders(pairs);
    }
}

// ---- The stand-in's own checks -----------------------------------------------------

TEST(WinInet, StaleAndForeignHandlesAreRefused)
{
    HINTERNET session = InternetOpenW(u"agent", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    ASSERT_NE(nullptr, session);
    SetLastError(0xdeadbeef);
    EXPECT_EQ(nullptr, HttpOpenRequestW(session, u"GET", u"/", nullptr, u"", nullptr, 0, 0));
    EXPECT_EQ(ERROR_INTERNET_INCORRECT_HANDLE_TYPE, GetLastError());
    HINTERNET connection = InternetConnectW(session, u"127.0.0.1", 1, u"", nullptr,
                                            INTERNET_SERVICE_HTTP, 0, 0);
    ASSERT_NE(nullptr, connection);
    HINTERNET request =
        HttpOpenRequestW(connection, nullptr, nullptr, nullptr, u"", nullptr, 0, 0);
    ASSERT_NE(nullptr, request);
    DWORD read = 0;
    char buffer[4];
    EXPECT_FALSE(InternetReadFile(request, buffer, sizeof(buffer), &read));  // not sent
    EXPECT_EQ(ERROR_INTERNET_INCORRECT_HANDLE_STATE, GetLastError());
    EXPECT_FALSE(HttpAddRequestHeadersW(request, u"NoColon", 0xFFFFFFFFu, HTTP_ADDREQ_FLAG_ADD));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
    EXPECT_TRUE(InternetCloseHandle(request));
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(InternetCloseHandle(request));
    EXPECT_EQ(ERROR_INVALID_HANDLE, GetLastError());
    EXPECT_TRUE(InternetCloseHandle(connection));
    EXPECT_TRUE(InternetCloseHandle(session));
}

// Handles of one request to a test server; closed with the test.
struct RawRequest {
    HINTERNET session = nullptr;
    HINTERNET connection = nullptr;
    HINTERNET request = nullptr;

    RawRequest(int port, const char16_t* method)
    {
        session = InternetOpenW(u"agent", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
        connection = InternetConnectW(session, u"127.0.0.1", static_cast<INTERNET_PORT>(port), u"",
                                      nullptr, INTERNET_SERVICE_HTTP, 0, 0);
        request = HttpOpenRequestW(connection, method, u"/x", nullptr, u"", nullptr, 0, 0);
        EXPECT_NE(nullptr, request);
    }
    ~RawRequest()
    {
        for (HINTERNET handle : {request, connection, session}) {
            if (handle) {
                InternetCloseHandle(handle);
            }
        }
    }
};

TEST(WinInet, EveryMethodGoesOutAsSetWithItsBody)
{
    HttpTestServer server([](const HttpRequest&) {
        return HttpTestServer::reply("HTTP/1.1 200 OK", {}, "ok");
    });
    const std::vector<std::pair<const char16_t*, std::string>> cases = {
        {u"GET", "GET"}, {u"POST", "POST"}, {u"PUT", "PUT"}, {u"DELETE", "DELETE"}};
    for (const auto& [method, name] : cases) {
        for (const std::string& body : {std::string(), std::string("a=1")}) {
            SCOPED_TRACE(name + " with body '" + body + "'");
            RawRequest raw(server.port(), method);
            ASSERT_TRUE(HttpSendRequestW(raw.request, nullptr, 0, const_cast<char*>(body.data()),
                                         static_cast<DWORD>(body.size())));
            HttpRequest seen = server.requests().back();
            EXPECT_EQ(name, seen.method);
            EXPECT_EQ(body, seen.body);
        }
    }
}

// Closing the request's handle, or its connection's or session's, ends a
// transfer that waits on a silent server well before any time-out.
TEST(WinInet, ClosingAHandleEndsItsTransferAtOnce)
{
    wince::setInternetTimeouts(20000, 20000);
    for (int closed = 0; closed < 3; ++closed) {
        SCOPED_TRACE(closed);
        HttpTestServer server([](const HttpRequest&) { return HttpReply{"", true}; });
        RawRequest raw(server.port(), u"GET");
        HINTERNET* handle = closed == 0 ? &raw.request : closed == 1 ? &raw.connection : &raw.session;
        std::atomic<bool> sending{false};
        BOOL sent = TRUE;
        DWORD error = 0;
        std::thread sender([&] {
            sending = true;
            sent = HttpSendRequestW(raw.request, nullptr, 0, nullptr, 0);
            error = GetLastError();
        });
        while (!sending || server.requests().empty()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(InternetCloseHandle(*handle));
        *handle = nullptr;
        sender.join();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
        EXPECT_FALSE(sent);
        EXPECT_EQ(ERROR_INTERNET_OPERATION_CANCELLED, error);
    }
    wince::setInternetTimeouts(0, 0);
}

TEST(WinInet, CrackUrlCopiesIntoBuffersOrPointsIntoTheUrl)
{
    const char16_t* url = u"https://host.example:8443/p/q?x=1#r";
    char16_t host[16];
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    parts.lpszHostName = host;
    parts.dwHostNameLength = 16;
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    ASSERT_TRUE(InternetCrackUrlW(url, 0, 0, &parts));
    EXPECT_EQ(INTERNET_SCHEME_HTTPS, parts.nScheme);
    EXPECT_EQ(8443, parts.nPort);
    EXPECT_EQ(u"host.example", std::u16string(host));
    EXPECT_EQ(12u, parts.dwHostNameLength);
    EXPECT_EQ(u"/p/q", std::u16string(parts.lpszUrlPath, parts.dwUrlPathLength));
    EXPECT_EQ(u"?x=1#r", std::u16string(parts.lpszExtraInfo, parts.dwExtraInfoLength));

    char16_t small[4] = {u'#', u'#', u'#', u'#'};
    URL_COMPONENTSW tight{};
    tight.dwStructSize = sizeof(tight);
    tight.lpszHostName = small;
    tight.dwHostNameLength = 3;
    EXPECT_FALSE(InternetCrackUrlW(url, 0, 0, &tight));
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, GetLastError());
    EXPECT_EQ(13u, tight.dwHostNameLength);
    EXPECT_EQ(u'#', small[3]);  // nothing written

    const char16_t* bad[] = {u"ftp://host/", u"http:///p", u"http://host:0/", u"http://ho st/",
                             u"http://[::1/"};
    for (const char16_t* text : bad) {
        URL_COMPONENTSW any{};
        any.dwStructSize = sizeof(any);
        any.dwHostNameLength = 1;
        EXPECT_FALSE(InternetCrackUrlW(text, 0, 0, &any)) << wince_text::toUtf8(text);
    }
}

}  // namespace
