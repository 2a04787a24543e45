#include "HalTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fstream>

namespace vxtest {

namespace {
std::atomic<int> enterVMCount{0};
std::atomic<int> gcCount{0};

void* countEnterVM()
{
    enterVMCount.fetch_add(1);
    return nullptr;
}
void countGC()
{
    gcCount.fetch_add(1);
}
}  // namespace

MainThreadRecord::MainThreadRecord()
{
    EXPECT_EQ(HAL_createMainThread(&thread_), 0);
}

MainThreadRecord::~MainThreadRecord()
{
    HAL_deleteThread(thread_);
}

CountingCallbacks::CountingCallbacks()
{
    enterVMCount = 0;
    gcCount = 0;
    HALCallbacks table{};
    table.enterVM = countEnterVM;
    table.gc = countGC;
    HAL_setCallbacks(&table);
}

CountingCallbacks::~CountingCallbacks()
{
    HALCallbacks defaults{};
    HAL_setCallbacks(&defaults);
}

int CountingCallbacks::enterVMCalls()
{
    return enterVMCount.load();
}

int CountingCallbacks::gcCalls()
{
    return gcCount.load();
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit)
{
    auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name)
{
    const char* saved = std::getenv(name);
    had_ = saved != nullptr;
    saved_ = saved ? saved : "";
    if (value) {
        setenv(name, value, 1);
    } else {
        unsetenv(name);
    }
}

ScopedEnv::~ScopedEnv()
{
    if (had_) {
        setenv(name_.c_str(), saved_.c_str(), 1);
    } else {
        unsetenv(name_.c_str());
    }
}

long voluntaryWakeups(long thread)
{
    std::ifstream status("/proc/self/task/" + std::to_string(thread) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("voluntary_ctxt_switches:", 0) == 0) {
            return std::stol(line.substr(line.find(':') + 1));
        }
    }
    return -1;
}

ScopedTZ::ScopedTZ(const char* tz)
{
    const char* saved = std::getenv("TZ");
    hadTZ_ = saved != nullptr;
    saved_ = saved ? saved : "";
    set(tz);
}

ScopedTZ::~ScopedTZ()
{
    if (hadTZ_)
        setenv("TZ", saved_.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

void ScopedTZ::set(const char* tz)
{
    setenv("TZ", tz, 1);
    tzset();
}

}  // namespace vxtest
