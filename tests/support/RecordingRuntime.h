#pragma once
// A stand-in runtime for tests of the platform's main line: a callback table
// that records the boot arguments, every event and every call, and a way to
// drive HAL_main from a second thread while the test thread runs it.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "hal/hal.h"

namespace vxtest {

struct RecordedEvent {
    int32_t type;
    std::vector<intptr_t> data;
    bool operator==(const RecordedEvent&) const = default;
};

class RecordingRuntime {
public:
    // Installs the table; only one may exist at a time.
    RecordingRuntime();
    ~RecordingRuntime();
    RecordingRuntime(const RecordingRuntime&) = delete;
    RecordingRuntime& operator=(const RecordingRuntime&) = delete;

    // What init answers (0 by default), and work done inside init: on the UI
    // thread, holding the VM lock, as the runtime's boot would.
    void setBootResult(int32_t result) { bootResult_ = result; }
    void onBoot(std::function<void()> work) { onBoot_ = std::move(work); }
    // Work done inside the shutdown callback.
    void onShutdown(std::function<void()> work) { onShutdown_ = std::move(work); }

    // Boot arguments as init received them.
    uint32_t initialLimit() const;
    uint32_t maximumLimit() const;
    std::string bootClass() const;
    HALThread* bootThread() const;

    int gcCalls() const;
    // Collections asked for on a thread other than the one that last entered
    // the VM (booting counts as entering).
    int gcCallsOutsideVM() const;
    int shutdownCalls() const;
    std::vector<RecordedEvent> events() const;
    // Events whose type is one of these.
    std::vector<RecordedEvent> events(std::initializer_list<int32_t> types) const;

    // Wait (generously) for boot to finish (its collection included), or for
    // a number of events.
    bool waitForBoot() const;
    bool waitForEvents(size_t count) const;
    // Injects a collection request behind the input injected so far and
    // waits until the UI thread has handled it: everything injected before
    // has been handled too.
    bool settle() const;

    // Runs HAL_main on the calling thread while `driver` runs on another;
    // returns HAL_main's result.
    int run(const std::function<void()>& driver);

private:
    static int32_t init(uint32_t initial, uint32_t maximum, HALThread* thread, const char* bootClass,
                        intptr_t);
    static int32_t event(int32_t type, int32_t count, const intptr_t* data);
    static void gc();
    static void* enterVM();
    static void shutdown();

    template <typename Ready>
    bool waitFor(Ready ready) const;

    mutable std::mutex lock_;
    mutable std::condition_variable changed_;
    int32_t bootResult_ = 0;
    std::function<void()> onBoot_;
    std::function<void()> onShutdown_;
    bool booted_ = false;
    uint32_t initialLimit_ = 0;
    uint32_t maximumLimit_ = 0;
    std::string bootClass_;
    HALThread* bootThread_ = nullptr;
    int gcCalls_ = 0;
    int gcCallsOutsideVM_ = 0;
    std::thread::id entered_;
    int shutdownCalls_ = 0;
    std::vector<RecordedEvent> events_;
};

}  // namespace vxtest
