#pragma once
// Brings the VM up in the test process: the real boot with no boot class
// (heap with the given limits, literal table, the UI thread's record current,
// every class registered and the core classes initialised), the platform
// callbacks set, and the VM lock held by the test thread from then on.
// One VM per process: the first call boots, later calls do nothing.

#include <cstdint>
#include <functional>

#include <gtest/gtest.h>

void VMFixture_boot(uint32_t minimumLimit = 16u << 20, uint32_t maximumLimit = 64u << 20);
// The same with a boot class (null for none); returns the boot's result.
int32_t VMFixture_start(const char* bootClass, intptr_t entryArgument = 0,
                        uint32_t minimumLimit = 16u << 20, uint32_t maximumLimit = 64u << 20);

// True when the run collects on every allocation (VX_GC_STRESS=1).
bool VMFixture_gcStress();
// For tests that count collections or rely on when one runs.
#define VM_SKIP_UNDER_GC_STRESS()                                                             \
    if (VMFixture_gcStress())                                                                 \
    GTEST_SKIP() << "relies on when collections run"

// Base of tests that need the VM.
class VMFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { VMFixture_boot(); }
};

// A platform thread with a VM thread record of its own that runs one body
// holding the VM lock; for tests of VM operations across threads that do not
// go through java.lang.Thread.
class VMTestThread {
public:
    explicit VMTestThread(std::function<void()> body);
    // Waits (sleeping the VM, about five seconds at most) for the body to end.
    ~VMTestThread();

    bool started() const { return started_; }
    bool finished() const { return finished_; }
    // Waits for the body to end; false when it did not within about five seconds.
    bool join();

private:
    static void entry(intptr_t self);

    std::function<void()> body_;
    struct HALThread* thread_ = nullptr;
    bool started_ = false;
    bool finished_ = false;
    bool joined_ = false;
};

// Sleeps the current VM thread in short steps until done() holds or about
// five seconds have passed; returns done().
bool VMFixture_sleepUntil(const std::function<bool()>& done);
