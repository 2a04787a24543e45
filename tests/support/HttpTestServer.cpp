#include "support/HttpTestServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

extern char** environ;

namespace vxtest {

namespace {

constexpr size_t kMaxRequest = 1024 * 1024;

std::string lower(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c + 32);
        }
    }
    return text;
}

int listenLocal(int* port)
{
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof(one));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof(address);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(fd, 16) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        close(fd);
        return -1;
    }
    *port = ntohs(address.sin_port);
    return fd;
}

// Reads until the predicate holds on the data or the peer stops; false on
// time-out or overflow.
bool readUntil(int fd, std::string& data, const std::function<bool()>& done,
               const std::atomic<bool>& stop)
{
    char buffer[4096];
    while (!done()) {
        pollfd p{fd, POLLIN, 0};
        int ready = poll(&p, 1, 100);
        if (stop) {
            return false;
        }
        if (ready <= 0) {
            continue;
        }
        ssize_t n = recv(fd, buffer, sizeof(buffer), 0);
        if (n <= 0 || data.size() + static_cast<size_t>(n) > kMaxRequest) {
            return false;
        }
        data.append(buffer, static_cast<size_t>(n));
    }
    return true;
}

bool parseRequest(const std::string& head, HttpRequest* request, size_t* bodyLength)
{
    size_t lineEnd = head.find("\r\n");
    std::string line = head.substr(0, lineEnd);
    size_t first = line.find(' ');
    size_t second = line.find(' ', first + 1);
    if (first == std::string::npos || second == std::string::npos) {
        return false;
    }
    request->method = line.substr(0, first);
    request->target = line.substr(first + 1, second - first - 1);
    *bodyLength = 0;
    size_t position = lineEnd + 2;
    while (position < head.size()) {
        size_t end = head.find("\r\n", position);
        if (end == std::string::npos || end == position) {
            break;
        }
        std::string header = head.substr(position, end - position);
        size_t colon = header.find(':');
        if (colon != std::string::npos) {
            std::string name = header.substr(0, colon);
            size_t valueBegin = header.find_first_not_of(' ', colon + 1);
            std::string value = valueBegin == std::string::npos ? "" : header.substr(valueBegin);
            if (lower(name) == "content-length") {
                *bodyLength = std::min<size_t>(std::stoul(value), kMaxRequest);
            }
            request->headers.emplace_back(name, value);
        }
        position = end + 2;
    }
    return true;
}

}  // namespace

std::vector<std::string> HttpRequest::header(const std::string& name) const
{
    std::vector<std::string> values;
    for (const auto& [key, value] : headers) {
        if (lower(key) == lower(name)) {
            values.push_back(value);
        }
    }
    return values;
}

HttpTestServer::HttpTestServer(Handler handler, std::chrono::seconds lifetime)
    : handler_(std::move(handler))
{
    listener_ = listenLocal(&port_);
    auto end = std::chrono::steady_clock::now() + lifetime;
    if (listener_ >= 0) {
        thread_ = std::thread([this, end] { run(end); });
    }
}

HttpTestServer::~HttpTestServer()
{
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    if (listener_ >= 0) {
        close(listener_);
    }
}

std::string HttpTestServer::url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<HttpRequest> HttpTestServer::requests() const
{
    std::lock_guard<std::mutex> guard(mutex_);
    return requests_;
}

void HttpTestServer::clearRequests()
{
    std::lock_guard<std::mutex> guard(mutex_);
    requests_.clear();
}

HttpReply HttpTestServer::reply(const std::string& statusLine,
                                const std::vector<std::pair<std::string, std::string>>& headers,
                                const std::string& body, bool withLength)
{
    std::string bytes = statusLine + "\r\n";
    for (const auto& [name, value] : headers) {
        bytes += name + ": " + value + "\r\n";
    }
    if (withLength) {
        bytes += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    }
    bytes += "Connection: close\r\n\r\n" + body;
    return HttpReply{bytes, false};
}

void HttpTestServer::run(std::chrono::steady_clock::time_point end)
{
    while (!stop_ && std::chrono::steady_clock::now() < end) {
        pollfd p{listener_, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) {
            continue;
        }
        int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            continue;
        }
        serve(client);
        close(client);
    }
}

void HttpTestServer::serve(int client)
{
    std::string data;
    if (!readUntil(client, data, [&] { return data.find("\r\n\r\n") != std::string::npos; },
                   stop_)) {
        return;
    }
    size_t headEnd = data.find("\r\n\r\n") + 4;
    HttpRequest request;
    size_t bodyLength = 0;
    if (!parseRequest(data.substr(0, headEnd), &request, &bodyLength)) {
        return;
    }
    if (!readUntil(client, data, [&] { return data.size() >= headEnd + bodyLength; }, stop_)) {
        return;
    }
    request.body = data.substr(headEnd, bodyLength);
    {
        std::lock_guard<std::mutex> guard(mutex_);
        requests_.push_back(request);
    }
    HttpReply reply = handler_(request);
    if (reply.stall) {
        while (!stop_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return;
    }
    size_t sent = 0;
    while (sent < reply.bytes.size()) {
        ssize_t n = send(client, reply.bytes.data() + sent, reply.bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) {
            return;
        }
        sent += static_cast<size_t>(n);
    }
    shutdown(client, SHUT_WR);
}

int unusedPort()
{
    int port = 0;
    int fd = listenLocal(&port);
    if (fd >= 0) {
        close(fd);
    }
    return port;
}

namespace {

// Runs a program with its output discarded; its pid, or -1.
pid_t spawnQuiet(const std::vector<std::string>& arguments, const std::string& folder = "")
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (!folder.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    }
    pid_t pid = -1;
    int result = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return result == 0 ? pid : -1;
}

bool runQuiet(const std::vector<std::string>& arguments)
{
    pid_t pid = spawnQuiet(arguments);
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

bool accepts(int port)
{
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    close(fd);
    return ok;
}

}  // namespace

TlsTestServer::TlsTestServer(const std::string& folder, bool servesReplies)
{
    certificate_ = folder + "/server-cert.pem";
    std::string key = folder + "/server-key.pem";
    if (!runQuiet({"openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt",
                   "ec_paramgen_curve:prime256v1", "-nodes", "-keyout", key, "-out", certificate_,
                   "-days", "1", "-subj", "/CN=127.0.0.1", "-addext",
                   "subjectAltName=IP:127.0.0.1"})) {
        return;
    }
    port_ = unusedPort();
    pid_ = spawnQuiet({"timeout", "120", "openssl", "s_server", "-accept",
                       "127.0.0.1:" + std::to_string(port_), "-cert", certificate_, "-key", key,
                       servesReplies ? "-HTTP" : "-www", "-quiet"},
                      folder);
    if (pid_ <= 0) {
        return;
    }
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < end) {
        if (accepts(port_)) {
            ready_ = true;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

TlsTestServer::~TlsTestServer()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

}  // namespace vxtest
