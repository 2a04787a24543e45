#include "support/RecordingRuntime.h"

#include <chrono>
#include <thread>

#include "wince/loader.h"
#include "wince/testing.h"

namespace vxtest {

namespace {

RecordingRuntime* g_current = nullptr;
constexpr auto kPatience = std::chrono::seconds(20);
constexpr UINT kGcMessage = 1023;

}  // namespace

RecordingRuntime::RecordingRuntime()
{
    g_current = this;
    HALCallbacks table{};
    table.init = init;
    table.event = event;
    table.gc = gc;
    table.enterVM = enterVM;
    table.shutdown = shutdown;
    HAL_setCallbacks(&table);
}

RecordingRuntime::~RecordingRuntime()
{
    HALCallbacks defaults{};
    HAL_setCallbacks(&defaults);
    g_current = nullptr;
}

int32_t RecordingRuntime::init(uint32_t initial, uint32_t maximum, HALThread* thread,
                               const char* bootClass, intptr_t)
{
    RecordingRuntime* self = g_current;
    if (self->onBoot_) {
        self->onBoot_();
    }
    std::lock_guard guard(self->lock_);
    self->initialLimit_ = initial;
    self->maximumLimit_ = maximum;
    self->bootClass_ = bootClass ? bootClass : "";
    self->bootThread_ = thread;
    self->entered_ = std::this_thread::get_id();
    self->booted_ = true;
    self->changed_.notify_all();
    return self->bootResult_;
}

int32_t RecordingRuntime::event(int32_t type, int32_t count, const intptr_t* data)
{
    RecordingRuntime* self = g_current;
    std::lock_guard guard(self->lock_);
    self->events_.push_back({type, std::vector<intptr_t>(data, data + (data ? count : 0))});
    self->changed_.notify_all();
    return 0;
}

void RecordingRuntime::gc()
{
    RecordingRuntime* self = g_current;
    std::lock_guard guard(self->lock_);
    ++self->gcCalls_;
    if (self->entered_ != std::this_thread::get_id())
        ++self->gcCallsOutsideVM_;
    self->changed_.notify_all();
}

void* RecordingRuntime::enterVM()
{
    RecordingRuntime* self = g_current;
    std::lock_guard guard(self->lock_);
    self->entered_ = std::this_thread::get_id();
    return nullptr;
}

int RecordingRuntime::gcCallsOutsideVM() const
{
    std::lock_guard guard(lock_);
    return gcCallsOutsideVM_;
}

void RecordingRuntime::shutdown()
{
    RecordingRuntime* self = g_current;
    if (self->onShutdown_) {
        self->onShutdown_();
    }
    std::lock_guard guard(self->lock_);
    ++self->shutdownCalls_;
}

uint32_t RecordingRuntime::initialLimit() const
{
    std::lock_guard guard(lock_);
    return initialLimit_;
}

uint32_t RecordingRuntime::maximumLimit() const
{
    std::lock_guard guard(lock_);
    return maximumLimit_;
}

std::string RecordingRuntime::bootClass() const
{
    std::lock_guard guard(lock_);
    return bootClass_;
}

HALThread* RecordingRuntime::bootThread() const
{
    std::lock_guard guard(lock_);
    return bootThread_;
}

int RecordingRuntime::gcCalls() const
{
    std::lock_guard guard(lock_);
    return gcCalls_;
}

int RecordingRuntime::shutdownCalls() const
{
    std::lock_guard guard(lock_);
    return shutdownCalls_;
}

std::vector<RecordedEvent> RecordingRuntime::events() const
{
    std::lock_guard guard(lock_);
    return events_;
}

std::vector<RecordedEvent> RecordingRuntime::events(std::initializer_list<int32_t> types) const
{
    std::vector<RecordedEvent> selected;
    for (const RecordedEvent& e : events()) {
        for (int32_t type : types) {
            if (e.type == type) {
                selected.push_back(e);
            }
        }
    }
    return selected;
}

template <typename Ready>
bool RecordingRuntime::waitFor(Ready ready) const
{
    std::unique_lock guard(lock_);
    return changed_.wait_for(guard, kPatience, ready);
}

bool RecordingRuntime::waitForBoot() const
{
    // A successful boot ends with one collection.
    return waitFor([this] { return booted_ && (bootResult_ != 0 || gcCalls_ >= 1); });
}

bool RecordingRuntime::waitForEvents(size_t count) const
{
    return waitFor([this, count] { return events_.size() >= count; });
}

bool RecordingRuntime::settle() const
{
    int before = gcCalls();
    if (!wince::injectMessage(kGcMessage)) {
        return false;
    }
    return waitFor([this, before] { return gcCalls_ > before; });
}

int RecordingRuntime::run(const std::function<void()>& driver)
{
    std::thread thread(driver);
    int result = HAL_main(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    thread.join();
    return result;
}

}  // namespace vxtest
