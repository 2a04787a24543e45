#pragma once
// Helpers for tests that drive the platform layer's threads and locks.

#include "hal/hal.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace vxtest {

// Gives the calling (test) thread a platform thread record for its lifetime,
// as start-up gives one to the UI thread.
class MainThreadRecord {
public:
    MainThreadRecord();
    ~MainThreadRecord();
    HALThread* get() const { return thread_; }

private:
    HALThread* thread_ = nullptr;
};

// Installs callbacks whose enterVM and gc calls are counted.
class CountingCallbacks {
public:
    CountingCallbacks();
    ~CountingCallbacks();
    static int enterVMCalls();
    static int gcCalls();
};

// Polls until the condition holds; false after `limit` (generous: the
// machine may be loaded).
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds limit = std::chrono::seconds(20));

// Sets an environment variable (null: removes it) until destroyed, then puts
// back what it replaced.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    bool had_ = false;
    std::string saved_;
};

// How often a thread of this process (by its Linux thread id) has given up
// the processor of its own accord: its wake-ups so far; -1 when unknown.
long voluntaryWakeups(long thread);

// Sets the process's TZ (the platform's local zone) until destroyed, then
// puts back the one it replaced.
class ScopedTZ {
public:
    explicit ScopedTZ(const char* tz);
    ~ScopedTZ();
    ScopedTZ(const ScopedTZ&) = delete;
    ScopedTZ& operator=(const ScopedTZ&) = delete;
    void set(const char* tz);

private:
    bool hadTZ_ = false;
    std::string saved_;
};

}  // namespace vxtest
