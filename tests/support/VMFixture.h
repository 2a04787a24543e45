#pragma once
// Brings the VM up in the test process: the real boot with no boot class
// (heap with the given limits, literal table, the UI thread's record current,
// every class registered and the core classes initialised), the platform
// callbacks set, and the VM lock held by the test thread from then on.
// One VM per process: the first call boots, later calls do nothing.

#include <cstdint>

#include <gtest/gtest.h>

void VMFixture_boot(uint32_t minimumLimit = 16u << 20, uint32_t maximumLimit = 64u << 20);
// The same with a boot class (null for none); returns the boot's result.
int32_t VMFixture_start(const char* bootClass, intptr_t entryArgument = 0,
                        uint32_t minimumLimit = 16u << 20, uint32_t maximumLimit = 64u << 20);

// Base of tests that need the VM.
class VMFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { VMFixture_boot(); }
};
