// The canvas's queued calls and sessions: calls and results handed over
// from other threads and delivered by processPendingCallbacks, HTTP
// exchanges against a local server, and socket sessions over the runtime's
// missing socket protocol and over a scripted one of the test's own.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "com/tarquel/velto/cldc/io/ConnectionBaseInterface.h"
#include "java/io/DataInputStream.h"
#include "java/io/DataOutputStream.h"
#include "java/io/IOException.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/Thread.h"
#include "javax/microedition/io/Connector.h"
#include "javax/microedition/io/HttpConnection.h"
#include "javax/microedition/io/SocketConnection.h"
#include "support/HttpTestServer.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "tq/TqCanvas.h"
#include "engine/support/EngineBytes.h"
#include "engine/support/TestGameCanvas.h"

using java::lang::Thread;
using javax::microedition::io::Connector;
using tq::TqCanvas;
using vxtest::HttpReply;
using vxtest::HttpRequest;
using vxtest::HttpTestServer;

namespace {

// What the game's hooks received.
struct Delivery {
    int32_t status;
    bool hasData;
    std::string data;
    Thread* thread;
    int32_t updatesBefore; // frames updated before the delivery
};

std::vector<Delivery> deliveries;
std::vector<int32_t> callOrder;
// Socket blocks: the bytes, and the length of the buffer they came in.
std::vector<std::pair<std::string, int32_t>> received;

} // namespace

// A queued call that records its number and may queue a follower.
class RecordedCall : public virtual java::lang::Object, public virtual java::lang::Runnable {
    VM_CLASS(RecordedCall, java::lang::Object)

    VMPtr<RecordedCall> init(int32_t number, VMPtr<TqCanvas> owner, int32_t followerNumber)
    {
        Object::init();
        id = number;
        canvas = owner;
        follower = followerNumber;
        return VMPtr<RecordedCall>(this);
    }
    void run() override
    {
        callOrder.push_back(id);
        updatesBefore.push_back(vm_cast<vxtest::TestGameCanvas>(VMPtr<TqCanvas>(canvas))->updates);
        threads.push_back(Thread::currentThread().get());
        if (follower != 0)
            canvas->scheduleRunnable(RecordedCall::newInstance()->init(follower, canvas, 0));
    }

    int32_t id = 0;
    int32_t follower = 0;
    VMField<TqCanvas> canvas;
    static inline std::vector<Thread*> threads;
    static inline std::vector<int32_t> updatesBefore;

    VM_FIELDS(canvas)
};

VM_REGISTER_CLASS_NO_CREATOR(RecordedCall, "tests.engine.RecordedCall", "java.lang.Object",
                             "tests/engine/RecordedCall", nullptr);
VM_IMPLEMENTS(RecordedCall, "java.lang.Runnable");

namespace {

// Until a test shows the canvas, its thread waits for the first show and
// the test delivers by calling processPendingCallbacks itself.
class TqCanvasNetworkTest : public vxtest::GameCanvasFixture {
protected:
    void SetUp() override
    {
        GameCanvasFixture::SetUp();
        deliveries.clear();
        callOrder.clear();
        received.clear();
        RecordedCall::threads.clear();
        RecordedCall::updatesBefore.clear();
        canvas->onNetworkResult = [this](int32_t status, VMPtr<VMByteArray> data) {
            deliveries.push_back(
                {status, bool(data),
                 data ? std::string(reinterpret_cast<const char*>(data->elements()),
                                    size_t(data->length))
                      : std::string(),
                 Thread::currentThread().get(), canvas->updates});
        };
        canvas->onSocketData = [](VMPtr<VMByteArray> data, int32_t count) {
            received.push_back(
                {std::string(reinterpret_cast<const char*>(data->elements()), size_t(count)),
                 data->length});
        };
    }
    void TearDown() override
    {
        canvas->cancelNetworkSession();
        canvas->closeSocketSession();
        GameCanvasFixture::TearDown();
    }

    // Frames until count results have arrived (about five seconds at most).
    bool deliverUntil(size_t count)
    {
        return VMFixture_sleepUntil([&] {
            canvas->processPendingCallbacks();
            return deliveries.size() >= count;
        });
    }

    // The one result of a session to url.
    Delivery exchange(const std::string& url, const char* headers = nullptr,
                      const char* body = nullptr)
    {
        deliveries.clear();
        canvas->startNetworkSession(vmString(url.c_str()), headers ? vmString(headers) : nullptr,
                                    body ? vmBytes(std::string(body)) : nullptr);
        EXPECT_TRUE(deliverUntil(1)) << url;
        // Later frames deliver nothing more.
        canvas->processPendingCallbacks();
        EXPECT_EQ(deliveries.size(), 1u);
        return deliveries.empty() ? Delivery{0, false, "", nullptr, 0} : deliveries[0];
    }
};

// ---- Queued calls and results ----------------------------------------------------

TEST_F(TqCanvasNetworkTest, CallsQueuedOnAnotherThreadRunInOrderOnTheDeliveringThread)
{
    VMPtr<TqCanvas> target = canvas;
    VMTestThread queuer([target] {
        for (int32_t id = 1; id <= 3; id++)
            target->scheduleRunnable(RecordedCall::newInstance()->init(id, target, 0));
        target->networkTransferComplete(200, vmBytes(std::string("done")));
    });
    ASSERT_TRUE(queuer.join());
    EXPECT_TRUE(callOrder.empty());

    canvas->processPendingCallbacks();
    // The result first, then the calls, all on this thread.
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].status, 200);
    EXPECT_EQ(deliveries[0].data, "done");
    EXPECT_EQ(deliveries[0].thread, Thread::currentThread().get());
    EXPECT_EQ(callOrder, (std::vector<int32_t>{1, 2, 3}));
    for (Thread* t : RecordedCall::threads)
        EXPECT_EQ(t, Thread::currentThread().get());

    canvas->processPendingCallbacks();
    EXPECT_EQ(callOrder.size(), 3u);
    EXPECT_EQ(deliveries.size(), 1u);
    EXPECT_FALSE(canvas->callsPending);
}

TEST_F(TqCanvasNetworkTest, ACallQueuedByACallRunsInTheSameDeliveryAndANullCallIsRefused)
{
    canvas->scheduleRunnable(RecordedCall::newInstance()->init(1, canvas, 7));
    canvas->scheduleRunnable(RecordedCall::newInstance()->init(2, canvas, 0));
    EXPECT_TRUE(vmThrows<java::lang::NullPointerException>(
        [&] { canvas->scheduleRunnable(nullptr); }));
    canvas->processPendingCallbacks();
    EXPECT_EQ(callOrder, (std::vector<int32_t>{1, 2, 7}));
}

TEST_F(TqCanvasNetworkTest, OnlyTheLatestResultIsDeliveredAndAnEmptyReplyArrivesAsNull)
{
    canvas->networkTransferComplete(-12, vmBytes(std::string("old")));
    canvas->networkTransferComplete(204, vmBytes(std::string()));
    canvas->processPendingCallbacks();
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].status, 204);
    EXPECT_FALSE(deliveries[0].hasData);
    EXPECT_FALSE(canvas->networkData);
}

TEST_F(TqCanvasNetworkTest, CancellingDropsAStoredResult)
{
    canvas->networkTransferComplete(200, vmBytes(std::string("x")));
    canvas->cancelNetworkSession();
    canvas->processPendingCallbacks();
    EXPECT_TRUE(deliveries.empty());
    EXPECT_EQ(canvas->getNetworkContentLength(), 0);
    EXPECT_EQ(canvas->getNetworkBytesRead(), 0);
}

// ---- HTTP exchanges --------------------------------------------------------------

TEST_F(TqCanvasNetworkTest, GetSendsTheHeaderLinesAndDeliversTheReply)
{
    HttpTestServer server([](const HttpRequest&) {
        return HttpTestServer::reply("HTTP/1.1 200 OK", {}, "hello there");
    });
    // CR LF line ends, blanks around the parts; a last line without a colon
    // ends the list.
    Delivery d = exchange(server.url("/get?a=1"), "X-One: first\r\nX-Two:second \r\ntrailing");
    EXPECT_EQ(d.status, 200);
    EXPECT_EQ(d.data, "hello there");
    EXPECT_EQ(d.thread, Thread::currentThread().get());
    EXPECT_EQ(canvas->getNetworkContentLength(), 11);
    EXPECT_EQ(canvas->getNetworkBytesRead(), 11);

    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].target, "/get?a=1");
    EXPECT_EQ(requests[0].header("x-one"), std::vector<std::string>{"first"});
    EXPECT_EQ(requests[0].header("x-two"), std::vector<std::string>{"second"});
    EXPECT_TRUE(requests[0].header("content-type").empty());
    EXPECT_TRUE(requests[0].header("content-length").empty());
}

TEST_F(TqCanvasNetworkTest, TheFrameLoopDeliversResultAndCallsOnceBeforeTheUpdate)
{
    HttpTestServer server([](const HttpRequest&) {
        return HttpTestServer::reply("HTTP/1.1 200 OK", {}, "framed");
    });
    show();
    ASSERT_TRUE(runUntil([&] { return canvas->updates > 0; }));
    canvas->startNetworkSession(vmString(server.url("/").c_str()), nullptr);
    ASSERT_TRUE(runUntil([&] { return !deliveries.empty(); }));
    // A call queued by another thread while the loop runs.
    VMPtr<TqCanvas> target = canvas;
    VMTestThread queuer([target] {
        target->scheduleRunnable(RecordedCall::newInstance()->init(1, target, 2));
    });
    ASSERT_TRUE(queuer.join());
    int32_t frames = canvas->updates;
    ASSERT_TRUE(runUntil([&] { return canvas->updates >= frames + 3; }));

    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].status, 200);
    EXPECT_EQ(deliveries[0].data, "framed");
    EXPECT_EQ(deliveries[0].thread, thread.get());
    EXPECT_EQ(callOrder, (std::vector<int32_t>{1, 2}));
    for (Thread* t : RecordedCall::threads)
        EXPECT_EQ(t, thread.get());
    // Both calls in one delivery, before that frame's update.
    ASSERT_EQ(RecordedCall::updatesBefore.size(), 2u);
    EXPECT_EQ(RecordedCall::updatesBefore[0], RecordedCall::updatesBefore[1]);
    EXPECT_LE(RecordedCall::updatesBefore[0], frames);
}

TEST_F(TqCanvasNetworkTest, PostSendsTheBodyAsOctetStream)
{
    HttpTestServer server([](const HttpRequest& request) {
        return HttpTestServer::reply("HTTP/1.1 201 Created", {}, "got " + request.body);
    });
    Delivery d = exchange(server.url("/post"), nullptr, "12345");
    EXPECT_EQ(d.status, 201);
    EXPECT_EQ(d.data, "got 12345");

    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].body, "12345");
    EXPECT_EQ(requests[0].header("content-type"),
              std::vector<std::string>{"application/octet-stream"});
    EXPECT_EQ(requests[0].header("content-length"), std::vector<std::string>{"5"});
    EXPECT_FALSE(canvas->networkSession->postData);
}

TEST_F(TqCanvasNetworkTest, RepliesOfEveryShapeAreReadToTheirEnd)
{
    const std::string big(5000, 'z');
    struct Case {
        const char* name;
        std::string reply;
        int32_t status;
        std::string data;
    };
    const Case cases[] = {
        {"not found", HttpTestServer::reply("HTTP/1.1 404 Not Found", {}, "missing").bytes, 404,
         "missing"},
        {"no length", HttpTestServer::reply("HTTP/1.1 200 OK", {}, big, false).bytes, 200, big},
        {"known length over several reads",
         HttpTestServer::reply("HTTP/1.1 200 OK", {}, big).bytes, 200, big},
        {"chunked",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n"
         "3\r\nabc\r\n4\r\ndefg\r\n0\r\n\r\n",
         200, "abcdefg"},
        {"length in lower case",
         "HTTP/1.1 200 OK\r\ncontent-length: 3\r\nConnection: close\r\n\r\nxyz", 200, "xyz"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HttpTestServer server([&](const HttpRequest&) { return HttpReply{c.reply}; });
        Delivery d = exchange(server.url("/"));
        EXPECT_EQ(d.status, c.status);
        EXPECT_EQ(d.data, c.data);
    }
}

TEST_F(TqCanvasNetworkTest, FailuresReportTheFailedPhase)
{
    HttpTestServer server([](const HttpRequest&) {
        // Ten bytes announced, four sent: the platform fails the reply.
        return HttpReply{"HTTP/1.1 200 OK\r\nContent-Length: 10\r\nConnection: close\r\n\r\nabcd"};
    });
    HttpTestServer huge([](const HttpRequest&) {
        return HttpReply{
            "HTTP/1.1 200 OK\r\nContent-Length: 2000000000\r\nConnection: close\r\n\r\nab"};
    });
    const std::string nobody = "http://127.0.0.1:" + std::to_string(vxtest::unusedPort()) + "/";
    struct Case {
        const char* name;
        std::string url;
        const char* headers;
        int32_t status;
        bool hasData;
        std::string data;
    };
    const Case cases[] = {
        {"no protocol class", "nosuch://x", nullptr, -9, false, ""},
        {"bad header name", server.url("/"), "Bad Name: x", -11, false, ""},
        // A middle line without a colon joins the next name.
        {"line without a colon", server.url("/"), "A: 1\nnoise\nB: 2", -11, false, ""},
        {"nobody listening", nobody, nullptr, -12, false, ""},
        {"reply cut short", server.url("/"), nullptr, -12, false, ""},
        {"length beyond memory", huge.url("/"), nullptr, -12, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Delivery d = exchange(c.url, c.headers);
        EXPECT_EQ(d.status, c.status);
        EXPECT_EQ(d.hasData, c.hasData);
        EXPECT_EQ(d.data, c.data);
        EXPECT_EQ(canvas->getNetworkBytesRead(), -1);
        // Everything the session opened is closed again.
        EXPECT_TRUE(VMFixture_sleepUntil([&] {
            VMPtr<tq::TqCanvas_TQC_NetworkSession> session = canvas->networkSession;
            return !session->connection && !session->input && !session->output;
        }));
    }
}

TEST_F(TqCanvasNetworkTest, AReplacedOrCancelledSessionReportsNothing)
{
    // Each serves one connection at a time.
    auto stalling = std::make_unique<HttpTestServer>(
        [](const HttpRequest&) { return HttpReply{"", true}; });
    auto stallingToo = std::make_unique<HttpTestServer>(
        [](const HttpRequest&) { return HttpReply{"", true}; });
    HttpTestServer answering([](const HttpRequest&) {
        return HttpTestServer::reply("HTTP/1.1 200 OK", {}, "newer");
    });

    canvas->startNetworkSession(vmString(stalling->url("/old").c_str()), nullptr);
    VMPtr<tq::TqCanvas_TQC_NetworkSession> old = canvas->networkSession;
    ASSERT_TRUE(VMFixture_sleepUntil([&] { return stalling->requests().size() == 1; }));
    canvas->startNetworkSession(vmString(answering.url("/new").c_str()), nullptr);
    ASSERT_TRUE(deliverUntil(1));
    EXPECT_EQ(deliveries[0].status, 200);
    EXPECT_EQ(deliveries[0].data, "newer");

    // A cancelled exchange that then fails stays silent too.
    canvas->startNetworkSession(vmString(stallingToo->url("/again").c_str()), nullptr);
    VMPtr<tq::TqCanvas_TQC_NetworkSession> cancelled = canvas->networkSession;
    ASSERT_TRUE(VMFixture_sleepUntil([&] { return stallingToo->requests().size() == 1; }));
    canvas->cancelNetworkSession();
    EXPECT_EQ(canvas->getNetworkBytesRead(), 0);
    stalling.reset();
    stallingToo.reset();
    ASSERT_TRUE(VMFixture_sleepUntil([&] { return !old->isAlive() && !cancelled->isAlive(); }));
    canvas->processPendingCallbacks();
    EXPECT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(old->bytesRead, -1);
    EXPECT_EQ(cancelled->bytesRead, -1);
}

// ---- Socket sessions -------------------------------------------------------------

TEST_F(TqCanvasNetworkTest, ASocketSessionThatCannotOpenClosesAtOnce)
{
    EXPECT_EQ(canvas->socketSend(vmBytes(std::string("x")), 0, 1), -1);
    EXPECT_EQ(canvas->startSocketSession(vmString("127.0.0.1:5000")), 0);
    VMPtr<tq::TqCanvas_TQC_SocketSession> session = canvas->socketSession;
    ASSERT_TRUE(session);
    EXPECT_EQ(vmText(session->url), "socket://127.0.0.1:5000");

    // Queued while the session has not yet run: offset and length kept
    // apart; a range outside the array queues nothing.
    VMPtr<VMByteArray> data = vmBytes(std::string(12, 'd'));
    EXPECT_EQ(canvas->socketSend(data, 2, 10), 0);
    EXPECT_EQ(session->queue->size(), 3);
    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [&] { canvas->socketSend(data, 3, 10); }, "Array index out of range: 13"));
    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [&] { canvas->socketSend(data, -1, 1); }, "Array index out of range: -1"));
    EXPECT_EQ(session->queue->size(), 3);

    ASSERT_TRUE(VMFixture_sleepUntil([&] { return !session->isAlive(); }));
    EXPECT_TRUE(session->closed);
    EXPECT_EQ(session->queue->size(), 0);
    EXPECT_FALSE(canvas->socketSession);
    EXPECT_FALSE(session->connection);
    EXPECT_EQ(canvas->socketSend(data, 0, 1), -1);
    canvas->closeSocketSession();
}

} // namespace

// ---- A socket protocol of the test's own -----------------------------------------

namespace {

// Serves the scripted blocks, then waits (sleeping the VM) until the script
// ends the stream.
struct SocketScript {
    std::vector<std::string> blocks;
    bool ended = false;
    bool fails = false; // the end of the blocks throws instead of answering -1
    std::vector<int32_t> readLengths;
    std::vector<std::string> written; // "w:" + bytes for a write, "f" for a flush
    int32_t closes = 0;
};
SocketScript script;

} // namespace

class ScriptedInput : public java::io::InputStream {
    VM_CLASS(ScriptedInput, java::io::InputStream)

    VMPtr<ScriptedInput> init()
    {
        InputStream::init();
        return VMPtr<ScriptedInput>(this);
    }
    int32_t available() override
    {
        return script.blocks.empty() ? 0 : int32_t(script.blocks.front().size());
    }
    int32_t read(VMPtr<ByteArray> b, int32_t off, int32_t len) override
    {
        script.readLengths.push_back(len);
        while (script.blocks.empty()) {
            if (script.ended && script.fails)
                vm_throwNew<java::io::IOException>(vmString("connection reset"));
            if (script.ended)
                return -1;
            Thread::sleep(5);
        }
        std::string& block = script.blocks.front();
        int32_t n = std::min(len, int32_t(block.size()));
        std::copy_n(block.data(), n, b->elements() + off);
        block.erase(0, size_t(n));
        if (block.empty())
            script.blocks.erase(script.blocks.begin());
        return n;
    }
    int32_t read() override { return -1; }
};

class RecordingOutput : public java::io::OutputStream {
    VM_CLASS(RecordingOutput, java::io::OutputStream)

    VMPtr<RecordingOutput> init()
    {
        OutputStream::init();
        return VMPtr<RecordingOutput>(this);
    }
    void write(VMPtr<ByteArray> b, int32_t off, int32_t len) override
    {
        script.written.push_back(
            "w:" + std::string(reinterpret_cast<const char*>(b->elements()) + off, size_t(len)));
    }
    void write(int32_t) override { script.written.push_back("byte"); }
    void flush() override { script.written.push_back("f"); }
};

class ScriptedSocket : public virtual java::lang::Object,
                       public virtual com::tarquel::velto::cldc::io::ConnectionBaseInterface,
                       public virtual javax::microedition::io::SocketConnection {
    VM_CLASS(ScriptedSocket, java::lang::Object)

    VMPtr<ScriptedSocket> init()
    {
        Object::init();
        return VMPtr<ScriptedSocket>(this);
    }
    VMPtr<javax::microedition::io::Connection> openUrl(VMPtr<java::lang::String>, int32_t,
                                                       bool) override
    {
        return VMPtr<javax::microedition::io::Connection>(this);
    }
    VMPtr<java::io::InputStream> openInputStream() override
    {
        return ScriptedInput::newInstance()->init();
    }
    VMPtr<java::io::DataInputStream> openDataInputStream() override
    {
        return java::io::DataInputStream::newInstance()->init(openInputStream());
    }
    VMPtr<java::io::OutputStream> openOutputStream() override
    {
        return RecordingOutput::newInstance()->init();
    }
    VMPtr<java::io::DataOutputStream> openDataOutputStream() override
    {
        return java::io::DataOutputStream::newInstance()->init(openOutputStream());
    }
    void close() override { script.closes++; }
};

VM_REGISTER_CLASS(ScriptedInput, "tests.engine.ScriptedInput", "java.io.InputStream",
                  "tests/engine/ScriptedInput", nullptr);
VM_REGISTER_CLASS(RecordingOutput, "tests.engine.RecordingOutput", "java.io.OutputStream",
                  "tests/engine/RecordingOutput", nullptr);
VM_REGISTER_CLASS(ScriptedSocket, "tests.engine.net.socket.Protocol", "java.lang.Object",
                  "tests/engine/ScriptedSocket", nullptr);
VM_IMPLEMENTS(ScriptedSocket, "com.tarquel.velto.cldc.io.ConnectionBaseInterface");
VM_IMPLEMENTS(ScriptedSocket, "javax.microedition.io.SocketConnection");

// An HTTP connection whose reply comes from the script's blocks, with a
// length header of its own and a response code that may fail.
class ScriptedHttp : public virtual java::lang::Object,
                     public virtual com::tarquel::velto::cldc::io::ConnectionBaseInterface,
                     public virtual javax::microedition::io::HttpConnection {
    VM_CLASS(ScriptedHttp, java::lang::Object)

    using String = java::lang::String;

    VMPtr<ScriptedHttp> init()
    {
        Object::init();
        return VMPtr<ScriptedHttp>(this);
    }
    VMPtr<javax::microedition::io::Connection> openUrl(VMPtr<String>, int32_t, bool) override
    {
        return VMPtr<javax::microedition::io::Connection>(this);
    }
    int32_t getResponseCode() override
    {
        if (codeFails)
            vm_throwNew<java::io::IOException>(vmString("no status line"));
        return 200;
    }
    int32_t getHeaderFieldInt(VMPtr<String>, int32_t) override { return declaredLength; }
    VMPtr<java::io::InputStream> openInputStream() override
    {
        return ScriptedInput::newInstance()->init();
    }
    void close() override { script.closes++; }

    VMPtr<String> getURL() override { return nullptr; }
    VMPtr<String> getProtocol() override { return nullptr; }
    VMPtr<String> getHost() override { return nullptr; }
    VMPtr<String> getFile() override { return nullptr; }
    VMPtr<String> getRef() override { return nullptr; }
    VMPtr<String> getQuery() override { return nullptr; }
    int32_t getPort() override { return 0; }
    VMPtr<String> getRequestMethod() override { return nullptr; }
    void setRequestMethod(VMPtr<String>) override {}
    VMPtr<String> getRequestProperty(VMPtr<String>) override { return nullptr; }
    void setRequestProperty(VMPtr<String>, VMPtr<String>) override {}
    VMPtr<String> getResponseMessage() override { return nullptr; }
    int64_t getExpiration() override { return 0; }
    int64_t getDate() override { return 0; }
    int64_t getLastModified() override { return 0; }
    VMPtr<String> getHeaderField(int32_t) override { return nullptr; }
    VMPtr<String> getHeaderField(VMPtr<String>) override { return nullptr; }
    int64_t getHeaderFieldDate(VMPtr<String>, int64_t def) override { return def; }
    VMPtr<String> getHeaderFieldKey(int32_t) override { return nullptr; }
    VMPtr<String> getType() override { return nullptr; }
    VMPtr<String> getEncoding() override { return nullptr; }
    int64_t getLength() override { return length; }
    VMPtr<java::io::DataInputStream> openDataInputStream() override { return nullptr; }
    VMPtr<java::io::OutputStream> openOutputStream() override { return nullptr; }
    VMPtr<java::io::DataOutputStream> openDataOutputStream() override { return nullptr; }

    static inline bool codeFails = false;
    static inline int32_t declaredLength = -1;
    static inline int64_t length = -1;
};

VM_REGISTER_CLASS(ScriptedHttp, "tests.engine.net.http.Protocol", "java.lang.Object",
                  "tests/engine/ScriptedHttp", nullptr);
VM_IMPLEMENTS(ScriptedHttp, "com.tarquel.velto.cldc.io.ConnectionBaseInterface");
VM_IMPLEMENTS(ScriptedHttp, "javax.microedition.io.HttpConnection");

namespace {

class TqCanvasSocketTest : public TqCanvasNetworkTest {
protected:
    void SetUp() override
    {
        TqCanvasNetworkTest::SetUp();
        script = SocketScript();
        ScriptedHttp::codeFails = false;
        ScriptedHttp::declaredLength = -1;
        ScriptedHttp::length = -1;
        Connector::_VM_clinit();
        savedPath = Connector::protocolpath;
        Connector::protocolpath = vmString("tests.engine.net");
    }
    void TearDown() override
    {
        Connector::protocolpath = VMPtr<java::lang::String>(savedPath);
        TqCanvasNetworkTest::TearDown();
    }

    VMPtr<java::lang::String> savedPath;
};

TEST_F(TqCanvasSocketTest, PacketsAreWrittenInOrderEachWithItsOwnRangeAndFlush)
{
    std::string first(400, 'a');
    for (int32_t i = 0; i < 400; i++)
        first[size_t(i)] = char('a' + i % 26);
    // An offset and a length beyond 16 bits each.
    std::string large(110000, 'q');
    large[40000] = 'S';
    large[109999] = 'E';
    script.blocks = {"hello"};

    ASSERT_EQ(canvas->startSocketSession(vmString("peer:1")), 0);
    VMPtr<tq::TqCanvas_TQC_SocketSession> session = canvas->socketSession;
    EXPECT_EQ(canvas->socketSend(vmBytes(first), 10, 300), 0);
    EXPECT_EQ(canvas->socketSend(vmBytes(first), 5, 0), 0);
    EXPECT_EQ(canvas->socketSend(vmBytes(large), 40000, 70000), 0);

    ASSERT_TRUE(VMFixture_sleepUntil([] { return script.written.size() >= 4; }));
    ASSERT_EQ(script.written.size(), 4u);
    EXPECT_EQ(script.written[0], "w:" + first.substr(10, 300));
    EXPECT_EQ(script.written[1], "f");
    EXPECT_EQ(script.written[2], "w:" + large.substr(40000, 70000));
    EXPECT_EQ(script.written[3], "f");

    // A packet queued while the writer waits wakes it.
    EXPECT_EQ(canvas->socketSend(vmBytes(std::string("late")), 1, 2), 0);
    ASSERT_TRUE(VMFixture_sleepUntil([] { return script.written.size() >= 6; }));
    EXPECT_EQ(script.written[4], "w:at");
    EXPECT_EQ(canvas->socketSession.get(), session.get());

    canvas->closeSocketSession();
    EXPECT_TRUE(session->closed);
    EXPECT_FALSE(canvas->socketSession);
    EXPECT_EQ(script.closes, 1);
    EXPECT_EQ(canvas->socketSend(vmBytes(first), 0, 1), -1);
    script.ended = true;
    ASSERT_TRUE(VMFixture_sleepUntil([&] { return !session->isAlive(); }));
    EXPECT_EQ(script.closes, 1);
}

TEST_F(TqCanvasSocketTest, TheReaderDeliversWhatArrivesAndClosesAtTheEndOfTheStream)
{
    script.blocks = {"hello", std::string(1000, 'k')};
    ASSERT_EQ(canvas->startSocketSession(vmString("peer:2")), 0);
    VMPtr<tq::TqCanvas_TQC_SocketSession> session = canvas->socketSession;
    ASSERT_TRUE(VMFixture_sleepUntil([] { return received.size() >= 2; }));
    // The buffer starts at 256 bytes and grows to what is available; with
    // nothing available the read asks for one byte.
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0], (std::pair<std::string, int32_t>{"hello", 256}));
    EXPECT_EQ(received[1], (std::pair<std::string, int32_t>{std::string(1000, 'k'), 1000}));
    ASSERT_TRUE(VMFixture_sleepUntil([] { return script.readLengths.size() >= 3; }));
    EXPECT_EQ(script.readLengths, (std::vector<int32_t>{5, 1000, 1}));
    EXPECT_EQ(canvas->socketSession.get(), session.get());

    script.ended = true;
    ASSERT_TRUE(VMFixture_sleepUntil([&] { return !session->isAlive(); }));
    EXPECT_TRUE(session->closed);
    EXPECT_FALSE(canvas->socketSession);
    EXPECT_EQ(script.closes, 1);
    EXPECT_EQ(received.size(), 2u);
}

TEST_F(TqCanvasSocketTest, RepliesCutShortFailingMidwayOrWithoutACode)
{
    // Ten bytes announced, four before the end of the stream: a reply of
    // the four, with its code.
    script.blocks = {"abcd"};
    script.ended = true;
    ScriptedHttp::declaredLength = 10;
    Delivery d = exchange("http://scripted/");
    EXPECT_EQ(d.status, 200);
    EXPECT_TRUE(d.hasData);
    EXPECT_EQ(d.data, "abcd");
    EXPECT_EQ(canvas->getNetworkBytesRead(), 4);

    // A read that fails fails the reply, with the array made for the
    // announced length.
    script.blocks = {"abcd"};
    script.fails = true;
    d = exchange("http://scripted/");
    EXPECT_EQ(d.status, -12);
    EXPECT_EQ(d.data, std::string("abcd\0\0\0\0\0\0", 10));
    EXPECT_EQ(canvas->getNetworkBytesRead(), -1);
    script.fails = false;

    // A response code that cannot be read is taken as 200.
    ScriptedHttp::codeFails = true;
    ScriptedHttp::declaredLength = -1;
    script.blocks = {"ok"};
    d = exchange("http://scripted/");
    EXPECT_EQ(d.status, 200);
    EXPECT_EQ(d.data, "ok");
    EXPECT_TRUE(VMFixture_sleepUntil([] { return script.closes == 3; }));
}

TEST_F(TqCanvasSocketTest, ALengthBeyondAnIntIsReadToTheEnd)
{
    // 2^32 + 1 must not become a length of 1 and cut the reply.
    script.blocks = {"abcd"};
    script.ended = true;
    ScriptedHttp::length = (int64_t(1) << 32) + 1;
    Delivery d = exchange("http://scripted/");
    EXPECT_EQ(d.status, 200);
    EXPECT_EQ(d.data, "abcd");
}

TEST_F(TqCanvasSocketTest, AnHttpSessionOnAnotherKindOfConnectionFailsConnecting)
{
    Delivery d = exchange("socket://peer:5");
    EXPECT_EQ(d.status, -9);
    EXPECT_FALSE(d.hasData);
    // The connection it did not want is closed again.
    EXPECT_EQ(script.closes, 1);
}

TEST_F(TqCanvasSocketTest, ClosingAnOldSessionLeavesTheNewerOneCurrent)
{
    ASSERT_EQ(canvas->startSocketSession(vmString("peer:3")), 0);
    VMPtr<tq::TqCanvas_TQC_SocketSession> old = canvas->socketSession;
    ASSERT_EQ(canvas->startSocketSession(vmString("peer:4")), 0);
    VMPtr<tq::TqCanvas_TQC_SocketSession> newer = canvas->socketSession;
    EXPECT_TRUE(old->closed);
    old->close();
    EXPECT_EQ(canvas->socketSession.get(), newer.get());
    EXPECT_FALSE(newer->closed);

    script.ended = true;
    ASSERT_TRUE(VMFixture_sleepUntil([&] { return !old->isAlive() && !newer->isAlive(); }));
    EXPECT_FALSE(canvas->socketSession);
}

} // namespace
