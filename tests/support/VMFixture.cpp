#include "support/VMFixture.h"

#include <cstdlib>

#include "hal/callbacks.h"
#include "hal/thread.h"
#include "vm/VMBoot.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"
#include "vm/VMThread.h"

bool VMFixture_gcStress()
{
    // Stress mode exists in debug builds only.
    static const bool on = [] {
        const char* stress = std::getenv("VX_GC_STRESS");
        return stress && *stress == '1' && _VM_setCollectOnEveryAllocation(false);
    }();
    return on;
}

void VMFixture_boot(uint32_t minimumLimit, uint32_t maximumLimit)
{
    if (_VM_instance)
        return;
    // No boot class: the boot stops after the first collection.
    ASSERT_EQ(VMFixture_start(nullptr, 0, minimumLimit, maximumLimit), 1);
}

int32_t VMFixture_start(const char* bootClass, intptr_t entryArgument, uint32_t minimumLimit,
                        uint32_t maximumLimit)
{
    HALCallbacks callbacks{};
    _VM_fillCallbacks(&callbacks);
    HAL_setCallbacks(&callbacks);
    if (VMFixture_gcStress())
        _VM_setCollectOnEveryAllocation(true);

    HALThread* uiThread = HAL_getCurrentThread();
    if (!uiThread && HAL_createMainThread(&uiThread) != 0)
        return -1;
    HAL_lockVM();
    return _VM_create(minimumLimit, maximumLimit, uiThread, bootClass, entryArgument);
}

bool VMFixture_sleepUntil(const std::function<bool()>& done)
{
    for (int i = 0; i < 2500 && !done(); ++i)
        VMThread::sleep(VMThread::current(), 2);
    return done();
}

namespace {

// The thread being started. Its data word must stay 0 until it has a VM
// record, since the platform hands the word to enterVM.
VMTestThread* starting = nullptr;

} // namespace

VMTestThread::VMTestThread(std::function<void()> body) : body_(std::move(body))
{
    EXPECT_EQ(HAL_createThread(&thread_, &VMTestThread::entry, 0), 0);
    starting = this;
    HAL_startThread(thread_);
    EXPECT_TRUE(VMFixture_sleepUntil([this] { return started_; })) << "test thread did not start";
}

void VMTestThread::entry(intptr_t)
{
    VMTestThread* me = starting;
    starting = nullptr;
    VMThread* record = new VMThread(HAL_getCurrentThread());
    me->started_ = true;
    try {
        me->body_();
    } catch (...) {
        ADD_FAILURE() << "exception escaped a test thread";
    }
    delete record;
    me->finished_ = true;
}

bool VMTestThread::join()
{
    if (!VMFixture_sleepUntil([this] { return finished_; }))
        return false;
    if (!joined_)
        HAL_deleteThread(thread_);
    joined_ = true;
    return true;
}

VMTestThread::~VMTestThread()
{
    EXPECT_TRUE(join()) << "test thread did not end";
}
