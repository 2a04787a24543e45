// Connector, the http and https connections and their streams, against
// local servers on 127.0.0.1.

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <string>

#include <gtest/gtest.h>

#include "com/tarquel/velto/cldc/io/ConnectionBaseInterface.h"
#include "com/tarquel/velto/midp/io/protocol/http/Protocol.h"
#include "com/tarquel/velto/midp/io/protocol/https/Protocol.h"
#include "hal/hal.h"
#include "java/io/DataInputStream.h"
#include "java/io/DataOutputStream.h"
#include "java/io/IOException.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/NullPointerException.h"
#include "javax/microedition/io/ConnectionNotFoundException.h"
#include "javax/microedition/io/Connector.h"
#include "javax/microedition/io/HttpsConnection.h"
#include "support/AppFolder.h"
#include "support/HttpTestServer.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "wince/wininet.h"

using javax::microedition::io::Connection;
using javax::microedition::io::Connector;
using javax::microedition::io::HttpConnection;
using javax::microedition::io::HttpsConnection;
using vxtest::HttpReply;
using vxtest::HttpRequest;
using vxtest::HttpTestServer;
using ByteArray = VMArray<int8_t, 1>;

// A connection class found through the protocol path: it records how it
// was opened.
class RecordingConnection : public virtual java::lang::Object,
                            public virtual com::tarquel::velto::cldc::io::ConnectionBaseInterface,
                            public virtual javax::microedition::io::Connection {
    VM_CLASS(RecordingConnection, java::lang::Object)

    VMPtr<RecordingConnection> init()
    {
        Object::init();
        return VMPtr<RecordingConnection>(this);
    }
    VMPtr<Connection> openUrl(VMPtr<java::lang::String> name, int32_t mode, bool timeouts) override
    {
        lastName = vmText(name);
        lastMode = mode;
        lastTimeouts = timeouts;
        return VMPtr<Connection>(this);
    }
    void close() override {}

    static inline std::string lastName;
    static inline int32_t lastMode = -1;
    static inline bool lastTimeouts = false;
};

// Classes at a protocol's place that are no connection class.
class PlainObject : public virtual java::lang::Object {
    VM_CLASS(PlainObject, java::lang::Object)

    VMPtr<PlainObject> init()
    {
        Object::init();
        return VMPtr<PlainObject>(this);
    }
};

class NoCreator : public virtual java::lang::Object {
    VM_CLASS(NoCreator, java::lang::Object)
};

VM_REGISTER_CLASS(RecordingConnection, "com.tarquel.velto.midp.io.protocol.my_proto.Protocol",
                  "java.lang.Object", "tests/midp/RecordingConnection", nullptr);
VM_IMPLEMENTS(RecordingConnection, "com.tarquel.velto.cldc.io.ConnectionBaseInterface");
VM_IMPLEMENTS(RecordingConnection, "javax.microedition.io.Connection");
VM_REGISTER_CLASS(PlainObject, "com.tarquel.velto.midp.io.protocol.plain.Protocol",
                  "java.lang.Object", "tests/midp/PlainObject", nullptr);
VM_REGISTER_CLASS_NO_CREATOR(NoCreator, "com.tarquel.velto.midp.io.protocol.nocreator.Protocol",
                             "java.lang.Object", "tests/midp/NoCreator", nullptr);

namespace {

class HttpConnectionTest : public VMFixture {
protected:
    void TearDown() override
    {
        wince::setInternetTimeouts(0, 0);
        wince::setInternetTrustFile("");
    }

    static VMPtr<HttpConnection> open(const std::string& url)
    {
        VMPtr<Connection> connection = Connector::open(vmString(url.c_str()));
        auto* http = dynamic_cast<HttpConnection*>(connection.get());
        EXPECT_NE(nullptr, http) << url;
        return VMPtr<HttpConnection>(http);
    }

    static std::string readAll(VMPtr<java::io::InputStream> in)
    {
        std::string data;
        for (int32_t c = in->read(); c >= 0; c = in->read())
            data += char(c);
        return data;
    }
};

// ---- Connector --------------------------------------------------------------------

TEST_F(HttpConnectionTest, ConnectorRefusesUrlsWithoutAProtocolClass)
{
    using javax::microedition::io::ConnectionNotFoundException;
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [] { Connector::open(VMPtr<java::lang::String>()); }, "Null URL"));
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [] { Connector::open(vmString(":http://x")); }, "empty protocol in URL"));
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [] { Connector::open(vmString("no-colon-here")); }, "no ':' in URL"));
    const char* missing[] = {"socket://127.0.0.1:5000", "HTTP://127.0.0.1/", "a..b://x",
                             "my-proto.://x"};
    for (const char* url : missing) {
        std::string message = std::string("The requested protocol does not exist ") + url;
        EXPECT_TRUE(vmThrows<ConnectionNotFoundException>(
            [&] { Connector::open(vmString(url)); }, message.c_str()));
    }
    EXPECT_TRUE(vmThrows<java::io::IOException>(
        [] { Connector::open(vmString("plain://x")); }, "java.lang.ClassCastException"));
    EXPECT_TRUE(vmThrows<java::io::IOException>(
        [] { Connector::open(vmString("nocreator://x")); }, "java.lang.IllegalAccessException"));
}

TEST_F(HttpConnectionTest, ConnectorFindsTheClassAndPassesModeAndTimeoutsOn)
{
    Connector::_VM_clinit();
    EXPECT_EQ("com.tarquel.velto.midp.io.protocol", vmText(Connector::protocolpath));
    struct Case {
        int32_t mode;  // -1: the one-argument form
        bool timeouts;
        int32_t expectedMode;
    };
    const Case cases[] = {{-1, false, 3}, {0, false, 0}, {99, true, 99}, {1, true, 1}};
    for (const Case& c : cases) {
        VMPtr<java::lang::String> url = vmString("my-proto://where?x");
        VMPtr<Connection> connection =
            c.mode < 0 ? Connector::open(url)
                       : (c.timeouts ? Connector::open(url, c.mode, true) : Connector::open(url, c.mode));
        EXPECT_NE(nullptr, dynamic_cast<RecordingConnection*>(connection.get()));
        EXPECT_EQ("my-proto://where?x", RecordingConnection::lastName);
        EXPECT_EQ(c.expectedMode, RecordingConnection::lastMode);
        EXPECT_EQ(c.timeouts, RecordingConnection::lastTimeouts);
    }
}

// ---- Requests and replies -------------------------------------------------------------

TEST_F(HttpConnectionTest, GetThroughConnectorAnswersTheReply)
{
    std::string payload(6000, 'a');
    payload[0] = char(0xFF);
    HttpTestServer server([&](const HttpRequest&) {
        return HttpTestServer::reply("HTTP/1.1 200 OK",
                                     {{"Content-Type", "text/plain"},
                                      {"X-Count", "42"},
                                      {"X-Bad-Count", "4x2"},
                                      {"Date", "Sun, 06 Nov 1994 08:49:37 GMT"},
                                      {"Expires", "never"}},
                                     payload);
    });
    VMPtr<HttpConnection> http = open(server.url("/dir/page?x=1#part"));
    EXPECT_EQ(server.url("/dir/page?x=1#part"), vmText(http->getURL()));
    EXPECT_EQ("http", vmText(http->getProtocol()));
    EXPECT_EQ("127.0.0.1", vmText(http->getHost()));
    EXPECT_EQ(server.port(), http->getPort());
    EXPECT_EQ("/dir/page", vmText(http->getFile()));
    EXPECT_EQ("x=1", vmText(http->getQuery()));
    EXPECT_EQ("part", vmText(http->getRef()));
    EXPECT_EQ("GET", vmText(http->getRequestMethod()));
    EXPECT_TRUE(server.requests().empty());  // nothing sent yet

    EXPECT_EQ(200, http->getResponseCode());
    EXPECT_TRUE(vmThrows<java::io::IOException>(
        [&] { http->setRequestProperty(vmString("X-Late"), vmString("1")); },
        "HttpConnection error: HTTP request property cannot be set because the connection is in "
        "the Connected state"));
    EXPECT_TRUE(vmThrows<java::io::IOException>(
        [&] { http->setRequestMethod(vmString("POST")); },
        "HttpConnection error: HTTP method cannot be reset"));
    EXPECT_EQ("HTTP/1.1 200 OK", vmText(http->getResponseMessage()));
    EXPECT_EQ("HTTP/1.1 200 OK", vmText(http->getHeaderField(0)));
    EXPECT_EQ("<null>", vmText(http->getHeaderFieldKey(0)));
    EXPECT_EQ("Content-Type", vmText(http->getHeaderFieldKey(1)));
    EXPECT_EQ("text/plain", vmText(http->getHeaderField(1)));
    EXPECT_EQ("<null>", vmText(http->getHeaderField(100)));
    EXPECT_EQ("<null>", vmText(http->getHeaderFieldKey(100)));
    EXPECT_EQ("42", vmText(http->getHeaderField(vmString("X-COUNT"))));
    EXPECT_EQ(42, http->getHeaderFieldInt(vmString("x-count"), -1));
    EXPECT_EQ(-1, http->getHeaderFieldInt(vmString("X-Bad-Count"), -1));
    EXPECT_EQ(-1, http->getHeaderFieldInt(vmString("X-Absent"), -1));
    EXPECT_EQ(784111777000, http->getDate());
    EXPECT_EQ(0, http->getExpiration());    // not a date
    EXPECT_EQ(0, http->getLastModified());  // absent
    EXPECT_EQ(7, http->getHeaderFieldDate(vmString("Expires"), 7));
    EXPECT_EQ("text/plain", vmText(http->getType()));
    EXPECT_EQ("<null>", vmText(http->getEncoding()));
    EXPECT_EQ(6000, http->getLength());

    VMPtr<java::io::InputStream> in = http->openInputStream();
    EXPECT_EQ(0, in->available());
    EXPECT_EQ(255, in->read());  // 0xFF is a byte, not the end
    VMPtr<ByteArray> block = ByteArray::newArray(10000);
    EXPECT_EQ(4095, in->read(block, 0, 10000));  // the rest of the first block
    EXPECT_EQ(0, in->available());
    EXPECT_EQ(0, in->read(block, 0, 0));  // refills, reads nothing
    EXPECT_EQ(1904, in->available());
    EXPECT_EQ(1904, in->read(block, 0, 10000));
    EXPECT_EQ(-1, in->read(block, 0, 10000));
    EXPECT_EQ(-1, in->read());
    EXPECT_EQ(-1, in->read());
    EXPECT_TRUE(vmThrows<java::lang::IndexOutOfBoundsException>(
        [&] { in->read(block, 9990, 20); }));
    EXPECT_TRUE(vmThrows<java::lang::NullPointerException>(
        [&] { in->read(VMPtr<ByteArray>(), 0, 1); }));
    http->close();
    EXPECT_EQ(1u, server.requests().size());
}

TEST_F(HttpConnectionTest, PostSendsPropertiesOnceAndWritesAsOneBody)
{
    HttpTestServer server([](const HttpRequest&) {
        return HttpTestServer::reply("HTTP/1.1 200 OK", {}, "stored");
    });
    VMPtr<HttpConnection> http = open(server.url("/store"));
    http->setRequestMethod(vmString("post"));  // any case, passed on as written
    EXPECT_EQ("post", vmText(http->getRequestMethod()));
    http->setRequestMethod(vmString("POST"));
    VMPtr<java::io::DataOutputStream> out = http->openDataOutputStream();
    // The output stream does not connect: properties can still be set.
    http->setRequestProperty(vmString("Content-Type"), vmString("application/octet-stream"));
    http->setRequestProperty(vmString("X-Session"), vmString("one"));
    http->setRequestProperty(vmString("X-Session"), vmString("two"));
    EXPECT_EQ("two", vmText(http->getRequestProperty(vmString("X-Session"))));
    EXPECT_EQ("<null>", vmText(http->getRequestProperty(vmString("X-Absent"))));
    VMPtr<ByteArray> bytes = ByteArray::newArray(7);
    for (int32_t i = 0; i < 7; ++i)
        (*bytes)[i] = int8_t('a' + i);
    out->write(bytes, 0, 3);
    out->write(bytes, 3, 4);
    EXPECT_TRUE(vmThrows<java::lang::IndexOutOfBoundsException>([&] { out->write(bytes, 5, 3); }));
    EXPECT_EQ(200, http->getResponseCode());
    out->write(bytes, 0, 7);  // after the request went out: never sent
    EXPECT_EQ("stored", readAll(http->openDataInputStream()));
    out->close();
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { out->write(1); },
                                                "The output stream has been closed"));
    http->close();

    auto requests = server.requests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ("POST", requests[0].method);
    EXPECT_EQ("abcdefg", requests[0].body);
    EXPECT_EQ(std::vector<std::string>{"two"}, requests[0].header("X-Session"));
}

TEST_F(HttpConnectionTest, RequestSettingsAreChecked)
{
    VMPtr<HttpConnection> http = open("http://127.0.0.1:1/");
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { http->setRequestMethod(vmString("PUT")); },
                                                "HttpConnection error: Invalid HTTP method"));
    EXPECT_TRUE(vmThrows<java::lang::NullPointerException>(
        [&] { http->setRequestMethod(VMPtr<java::lang::String>()); }));
    const char* badNames[] = {"", "X:Y", "X Y", "X\r\nY"};
    for (const char* name : badNames) {
        EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
            [&] { http->setRequestProperty(vmString(name), vmString("v")); },
            "Invalid HTTP request property"))
            << name;
    }
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [&] { http->setRequestProperty(vmString("X-A"), vmString("v\r\nX-B: w")); },
        "Invalid HTTP request property"));
    http->close();
}

TEST_F(HttpConnectionTest, ReplyWithoutLengthRedirectAndNotFound)
{
    HttpTestServer* self = nullptr;
    HttpTestServer server([&](const HttpRequest& request) {
        if (request.target == "/old")
            return HttpTestServer::reply("HTTP/1.1 301 Moved Permanently",
                                         {{"Location", self->url("/new")}}, "");
        if (request.target == "/new")
            return HttpTestServer::reply("HTTP/1.0 200 OK", {}, "no length here", false);
        return HttpTestServer::reply("HTTP/1.1 404 Not Found", {}, "nothing");
    });
    self = &server;

    VMPtr<HttpConnection> moved = open(server.url("/old"));
    EXPECT_EQ(200, moved->getResponseCode());
    EXPECT_EQ(-1, moved->getLength());
    EXPECT_EQ("no length here", readAll(moved->openInputStream()));
    moved->close();

    VMPtr<HttpConnection> missing = open(server.url("/gone"));
    EXPECT_EQ(404, missing->getResponseCode());
    EXPECT_EQ("HTTP/1.1 404 Not Found", vmText(missing->getResponseMessage()));
    EXPECT_EQ("nothing", readAll(missing->openInputStream()));
    missing->close();
}

TEST_F(HttpConnectionTest, FailedRequestsThrowIOException)
{
    for (bool stall : {false, true}) {
        SCOPED_TRACE(stall ? "stalling server" : "refused connection");
        wince::setInternetTimeouts(2000, 1000);
        HttpTestServer server([](const HttpRequest&) { return HttpReply{"", true}; });
        std::string url = stall ? server.url("/")
                                : "http://127.0.0.1:" + std::to_string(vxtest::unusedPort()) + "/";
        auto start = std::chrono::steady_clock::now();
        VMPtr<HttpConnection> http = open(url);
        VMPtr<java::io::InputStream> in = http->openInputStream();  // does not send
        EXPECT_TRUE(vmThrows<java::io::IOException>([&] { in->read(); }, "HttpConnection error: 7"));
        EXPECT_TRUE(vmThrows<java::io::IOException>([&] { http->getResponseCode(); },
                                                    "HttpConnection error: 7"));
        EXPECT_TRUE(vmThrows<java::io::IOException>([&] { http->getLength(); },
                                                    "HttpConnection error: 7"));
        EXPECT_TRUE(vmThrows<java::io::IOException>([&] { http->getHeaderField(0); },
                                                    "HttpConnection error: 7"));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
        http->close();
    }
}

// ---- Life cycle ---------------------------------------------------------------------

TEST_F(HttpConnectionTest, StreamKeepsWorkingAfterItsSiblingAndTheConnectionClose)
{
    // Both streams read the one reply body, block by block.
    std::string payload = std::string(4096, 'a') + "0123456789";
    HttpTestServer server([&](const HttpRequest&) {
        return HttpTestServer::reply("HTTP/1.1 200 OK", {}, payload);
    });
    VMPtr<HttpConnection> http = open(server.url("/"));
    VMPtr<java::io::InputStream> earlier = http->openInputStream();
    VMPtr<java::io::InputStream> later = http->openInputStream();
    VMPtr<java::io::OutputStream> out = http->openOutputStream();
    EXPECT_EQ('a', later->read());  // the first block
    later->close();
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { later->read(); },
                                                "The input stream has been closed"));
    EXPECT_EQ(4095, later->available());  // still answers from its last block
    later->close();                       // harmless again
    EXPECT_EQ('0', earlier->read());      // the next block
    EXPECT_EQ(3, earlier->skip(3));
    EXPECT_EQ(0, earlier->skip(0));
    EXPECT_EQ(0, earlier->skip(-5));

    http->close();
    http->close();  // harmless
    EXPECT_TRUE(vmThrows<java::io::IOException>(
        [&] { http->getResponseCode(); }, "HttpConnection error: the connection is closed"));
    EXPECT_TRUE(vmThrows<java::io::IOException>(
        [&] { http->openInputStream(); }, "HttpConnection error: the connection is closed"));
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { out->write(1); },
                                                "The output stream has been closed"));
    // The stream handed out before the last one was not closed with the
    // connection and still reads.
    EXPECT_EQ("456789", readAll(earlier));
    earlier->close();
}

TEST_F(HttpConnectionTest, SkipCrossesBlocksAndStopsAtTheEnd)
{
    std::string payload(9000, 'x');
    payload[8500] = 'y';
    HttpTestServer server([&](const HttpRequest&) {
        return HttpTestServer::reply("HTTP/1.1 200 OK", {}, payload);
    });
    VMPtr<HttpConnection> http = open(server.url("/"));
    VMPtr<java::io::InputStream> in = http->openInputStream();
    EXPECT_EQ(8500, in->skip(8500));
    EXPECT_EQ('y', in->read());
    EXPECT_EQ(499, in->skip(100000));
    EXPECT_EQ(-1, in->read());
    http->close();
}

// A connection closed by another thread while its request is out: the
// thread that sent it gets a failure or the reply, never freed memory.
TEST_F(HttpConnectionTest, CloseFromAnotherThreadWhileTheRequestIsOut)
{
    std::atomic<bool> seen{false};
    HttpTestServer server([&](const HttpRequest&) {
        seen = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return HttpTestServer::reply("HTTP/1.1 200 OK", {}, "body");
    });
    struct Case {
        const char* name;
        std::function<void(VMPtr<HttpConnection>)> ask;
    };
    const Case cases[] = {
        {"response code", [](VMPtr<HttpConnection> http) { http->getResponseCode(); }},
        {"header field", [](VMPtr<HttpConnection> http) { http->getHeaderField(1); }},
        {"length", [](VMPtr<HttpConnection> http) { http->getLength(); }},
        {"read", [](VMPtr<HttpConnection> http) { http->openInputStream()->read(); }},
    };
    for (const Case& c : cases) {
        seen = false;
        VMPtr<HttpConnection> http = open(server.url("/slow"));
        bool ended = false;
        VMTestThread asker([&] {
            try {
                c.ask(http);
            } catch (java::io::IOException* caught) {
                VMPtr<java::io::IOException> e(caught);
            }
            ended = true;
        });
        ASSERT_TRUE(VMFixture_sleepUntil([&] { return seen.load(); })) << c.name;
        http->close();
        EXPECT_TRUE(asker.join()) << c.name;
        EXPECT_TRUE(ended) << c.name;
    }
}

// ---- Ports and https -------------------------------------------------------------------

TEST_F(HttpConnectionTest, PortsByScheme)
{
    struct Case {
        const char* url;
        int32_t port;
        const char* protocol;
    };
    const Case cases[] = {
        {"http://example.com/", 80, "http"},       {"http://example.com:80/", 80, "http"},
        {"http://example.com:8080/", 8080, "http"}, {"https://example.com/", 443, "https"},
        {"https://example.com:80/", 443, "https"}, {"https://example.com:8443/", 8443, "https"},
        {"http://example.com:99999/", 80, "http"},
    };
    for (const Case& c : cases) {
        VMPtr<HttpConnection> http = open(c.url);
        EXPECT_EQ(c.port, http->getPort()) << c.url;
        EXPECT_EQ(c.protocol, vmText(http->getProtocol())) << c.url;
        http->close();
        EXPECT_TRUE(vmThrows<java::io::IOException>(
            [&] { http->getProtocol(); }, "HttpConnection error: the connection is closed"));
        EXPECT_TRUE(vmThrows<java::io::IOException>(
            [&] { http->getPort(); }, "HttpConnection error: the connection is closed"));
    }
}

TEST_F(HttpConnectionTest, HttpsNeedsATrustedCertificate)
{
    vxtest::AppFolder folder;
    vxtest::TlsTestServer server(folder.path());
    ASSERT_TRUE(server.ready());
    std::string url = "https://127.0.0.1:" + std::to_string(server.port()) + "/";

    VMPtr<HttpConnection> untrusted = open(url);
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { untrusted->getResponseCode(); },
                                                "HttpConnection error: 7"));
    untrusted->close();

    wince::setInternetTrustFile(server.certificate());
    VMPtr<HttpConnection> trusted = open(url);
    auto* secure = dynamic_cast<HttpsConnection*>(trusted.get());
    ASSERT_NE(nullptr, secure);
    EXPECT_EQ(nullptr, secure->getSecurityInfo().get());
    EXPECT_EQ(200, trusted->getResponseCode());
    EXPECT_EQ(nullptr, secure->getSecurityInfo().get());
    EXPECT_NE(std::string::npos, readAll(trusted->openInputStream()).find("<HTML>"));
    trusted->close();
    EXPECT_EQ(nullptr, secure->getSecurityInfo().get());
}

// ---- Dates ------------------------------------------------------------------------------

TEST_F(HttpConnectionTest, DatesInTheirForms)
{
    using com::tarquel::velto::midp::io::protocol::http::Protocol;
    struct Case {
        const char* text;
        int64_t millis;
    };
    const Case cases[] = {
        {"Sun, 06 Nov 1994 08:49:37 GMT", 784111777000},
        {"Sunday, 06-Nov-94 08:49:37 GMT", 784111777000},
        {"Sun Nov  6 08:49:37 1994 GMT", 784111777000},
        {"sun, 06 nov 1994 08:49:37 utc", 784111777000},
        {"(a (nested) comment) Sun, 06 Nov 1994 08:49:37 GMT", 784111777000},
        {"Sun, 06 Nov 1994 08:49:37 EST", 784111777000 + 5 * 3600000LL},
        {"Sun, 06 Nov 1994 08:49:37 PDT", 784111777000 + 7 * 3600000LL},
        {"Sun, 06 Nov 1994 08:49:37 +0530", 784111777000 - 19800000LL},
        {"Sun, 06 Nov 1994 08:49:37 GMT-0200", 784111777000 + 7200000LL},
        {"Sun, 06 Nov 1994 08:49:37 GMT+3", 784111777000 - 3 * 3600000LL},
        {"12/25/99 8:00 pm GMT", 946152000000},
        {"12/25/99 12:30 am GMT", 946081800000},
        {"12/25/99 12:30 pm GMT", 946125000000},
        {"1/1/1970 GMT", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.millis, Protocol::parseDate(vmString(c.text))) << c.text;

    const char* failures[] = {
        "Nov 1994",                              // no day
        "08:49",                                 // no date at all
        "12/25/99 13:00 pm GMT",                 // pm after 12
        "Sun, 06 Nov 1994 08:49:37 Q",           // a one-letter word
        "Sun, 06 Nov 1994 08:49:37 Zulu",        // an unknown word
        "06 Nov Dec 1994",                       // two months
        "06 Nov 1994 1995",                      // two years
        "Sun, 06 Nov 1994 08:49:37 +0100 +0200", // two offsets
        "1/2/3/4",                               // too many parts
        "06 Nov 1994 99999999999999",            // a number beyond any field
        "",
    };
    for (const char* text : failures) {
        EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
            [&] { Protocol::parseDate(vmString(text)); }, "Error parsing date"))
            << text;
    }
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [&] { Protocol::parseDate(VMPtr<java::lang::String>()); }, "Error parsing date"));
}

} // namespace
