#pragma once
// Local servers for the HTTP tests, on 127.0.0.1 only.
//
// HttpTestServer answers each request with what the test's handler returns
// (raw bytes, so a test can send broken replies) and records the requests it
// saw. It serves one connection at a time, closes each after the reply, and
// stops by itself after its lifetime or when destroyed.
//
// TlsTestServer runs "openssl s_server -www" with a certificate for
// 127.0.0.1 made at start; it is ended when destroyed and by a time limit.
// With servesReplies, a request for /name is answered with the bytes of the
// file name in the folder, a whole reply ("-HTTP").

#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vxtest {

struct HttpRequest {
    std::string method;
    std::string target;  // path and query as sent
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;

    // Values of every header with the name (case folded), in order.
    std::vector<std::string> header(const std::string& name) const;
};

struct HttpReply {
    std::string bytes;   // sent as is, then the connection closes
    bool stall = false;  // send nothing and hold the connection until stopped
};

class HttpTestServer {
public:
    using Handler = std::function<HttpReply(const HttpRequest&)>;

    explicit HttpTestServer(Handler handler,
                            std::chrono::seconds lifetime = std::chrono::seconds(60));
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    int port() const { return port_; }
    // "http://127.0.0.1:<port>" + path.
    std::string url(const std::string& path) const;
    std::vector<HttpRequest> requests() const;
    // Forgets the requests seen so far (a server kept for a long run).
    void clearRequests();

    // A complete reply: status line, the headers, Content-Length (unless
    // withLength is false) and the body.
    static HttpReply reply(const std::string& statusLine,
                           const std::vector<std::pair<std::string, std::string>>& headers,
                           const std::string& body, bool withLength = true);

private:
    void run(std::chrono::steady_clock::time_point end);
    void serve(int client);

    Handler handler_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<HttpRequest> requests_;
    std::thread thread_;
};

// A port on 127.0.0.1 where nothing listens (at the time of asking).
int unusedPort();

class TlsTestServer {
public:
    explicit TlsTestServer(const std::string& folder, bool servesReplies = false);
    ~TlsTestServer();
    TlsTestServer(const TlsTestServer&) = delete;
    TlsTestServer& operator=(const TlsTestServer&) = delete;

    // False when openssl could not make the certificate or start the server.
    bool ready() const { return ready_; }
    int port() const { return port_; }
    // The server's certificate (PEM), to be trusted by a test.
    const std::string& certificate() const { return certificate_; }

private:
    pid_t pid_ = -1;
    int port_ = 0;
    bool ready_ = false;
    std::string certificate_;
};

}  // namespace vxtest
