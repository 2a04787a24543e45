// Message queues and power notifications. The desktop never changes its
// power state by itself; tests inject notices through the seam.

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <vector>

#include "wince/KernelObject.h"
#include "wince/power.h"
#include "wince/testing.h"

namespace {

class MessageQueue final : public KernelObject {
public:
    explicit MessageQueue(DWORD maxMessages, DWORD maxSize)
        : maxMessages_(maxMessages), maxSize_(maxSize)
    {
    }

    bool write(const void* data, DWORD size)
    {
        std::lock_guard guard(lock_);
        if (closed_ || size > maxSize_ || (maxMessages_ && messages_.size() >= maxMessages_)) {
            return false;
        }
        const auto* bytes = static_cast<const BYTE*>(data);
        messages_.emplace_back(bytes, bytes + size);
        changed_.notify_all();
        return true;
    }

    // ERROR_SUCCESS, ERROR_TIMEOUT, ERROR_INVALID_HANDLE (closed) or
    // ERROR_INSUFFICIENT_BUFFER (the message stays queued).
    DWORD read(void* buffer, DWORD size, DWORD* bytesRead, DWORD milliseconds)
    {
        std::unique_lock guard(lock_);
        if (!waitReady(guard, milliseconds)) {
            return ERROR_TIMEOUT;
        }
        if (closed_) {
            return ERROR_INVALID_HANDLE;
        }
        std::vector<BYTE>& front = messages_.front();
        if (front.size() > size) {
            return ERROR_INSUFFICIENT_BUFFER;
        }
        std::memcpy(buffer, front.data(), front.size());
        if (bytesRead) {
            *bytesRead = static_cast<DWORD>(front.size());
        }
        messages_.pop_front();
        return ERROR_SUCCESS;
    }

    void close()
    {
        std::lock_guard guard(lock_);
        closed_ = true;
        changed_.notify_all();
    }

    DWORD wait(DWORD milliseconds) override
    {
        std::unique_lock guard(lock_);
        return waitReady(guard, milliseconds) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
    }

private:
    // Waits until a message is queued or the queue closes; false on time-out.
    bool waitReady(std::unique_lock<std::mutex>& guard, DWORD milliseconds)
    {
        auto ready = [this] { return closed_ || !messages_.empty(); };
        if (milliseconds == INFINITE) {
            changed_.wait(guard, ready);
            return true;
        }
        return changed_.wait_for(guard, std::chrono::milliseconds(milliseconds), ready);
    }

    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<std::vector<BYTE>> messages_;
    DWORD maxMessages_;
    DWORD maxSize_;
    bool closed_ = false;
};

// A request for notices: holds its queue until stopped.
class PowerRequest final : public KernelObject {
public:
    PowerRequest(MessageQueue* queue, DWORD kinds) : queue_(queue), kinds_(kinds) {}
    MessageQueue* queue() const { return queue_; }
    DWORD kinds() const { return kinds_; }

protected:
    ~PowerRequest() override { queue_->release(); }

private:
    MessageQueue* queue_;
    DWORD kinds_;
};

// Never destroyed: a thread may stop its notices while the process exits.
std::mutex& g_requestsLock = *new std::mutex;
std::vector<HANDLE>& g_requests = *new std::vector<HANDLE>;

}  // namespace

// ---- CreateMsgQueue ---------------------------------------------------------
HANDLE CreateMsgQueue(LPCWSTR, const MSGQUEUEOPTIONS* options)
{
    if (!options || options->dwSize < sizeof(MSGQUEUEOPTIONS) || options->cbMaxMessage == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return KernelObject::openHandle(
        new MessageQueue(options->dwMaxMessages, options->cbMaxMessage));
}

// ---- ReadMsgQueue -----------------------------------------------------------
BOOL ReadMsgQueue(HANDLE handle, LPVOID buffer, DWORD bufferSize, DWORD* bytesRead,
                  DWORD milliseconds, DWORD* flags)
{
    if (!buffer) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto* queue = KernelObject::referenceAs<MessageQueue>(handle);
    if (!queue) {
        return FALSE;
    }
    DWORD error = queue->read(buffer, bufferSize, bytesRead, milliseconds);
    queue->release();
    if (flags) {
        *flags = 0;
    }
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

// ---- WriteMsgQueue: never waits for room ------------------------------------
BOOL WriteMsgQueue(HANDLE handle, LPVOID data, DWORD size, DWORD, DWORD)
{
    auto* queue = KernelObject::referenceAs<MessageQueue>(handle);
    if (!queue) {
        return FALSE;
    }
    bool written = data && queue->write(data, size);
    queue->release();
    if (!written) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
    }
    return written;
}

// ---- CloseMsgQueue: wakes a waiting reader, then closes the handle ------
BOOL CloseMsgQueue(HANDLE handle)
{
    auto* queue = KernelObject::referenceAs<MessageQueue>(handle);
    if (!queue) {
        return FALSE;
    }
    queue->close();
    queue->release();
    return KernelObject::closeHandle(handle);
}

// ---- RequestPowerNotifications ---------------------------------------------
HANDLE RequestPowerNotifications(HANDLE queueHandle, DWORD kinds)
{
    auto* queue = KernelObject::referenceAs<MessageQueue>(queueHandle);
    if (!queue) {
        return nullptr;
    }
    HANDLE request = KernelObject::openHandle(new PowerRequest(queue, kinds));
    std::lock_guard guard(g_requestsLock);
    g_requests.push_back(request);
    return request;
}

// ---- StopPowerNotifications -------------------------------------------------
BOOL StopPowerNotifications(HANDLE request)
{
    {
        std::lock_guard guard(g_requestsLock);
        auto it = std::find(g_requests.begin(), g_requests.end(), request);
        if (it == g_requests.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        g_requests.erase(it);
    }
    return KernelObject::closeHandle(request);
}

// ---- SystemIdleTimerReset: the desktop does not suspend --------------------
namespace {
std::atomic<uint32_t> g_idleResets{0};
}

void SystemIdleTimerReset()
{
    ++g_idleResets;
}

namespace wince {

void injectPowerNotice(DWORD flags)
{
    POWER_BROADCAST notice{PBT_TRANSITION, flags, 0, {0}};
    std::lock_guard guard(g_requestsLock);
    for (HANDLE handle : g_requests) {
        auto* request = KernelObject::referenceAs<PowerRequest>(handle);
        if (request) {
            if (request->kinds() & PBT_TRANSITION) {
                request->queue()->write(&notice, sizeof(notice));
            }
            request->release();
        }
    }
}

uint32_t idleTimerResets()
{
    return g_idleResets;
}

size_t powerNotificationRequests()
{
    std::lock_guard guard(g_requestsLock);
    return g_requests.size();
}

}  // namespace wince
