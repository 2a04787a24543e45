#pragma once
// A random source for tests: answers the scripted numbers in order, then
// `fallback` once the script is used up, and counts every number drawn.

#include <cstdint>
#include <deque>

#include "tq/util/FastRandom.h"

namespace vxtest {

class ScriptedRandom : public tq::util::FastRandom {
    VM_CLASS(ScriptedRandom, tq::util::FastRandom)

    VMPtr<ScriptedRandom> init();

    int32_t nextInt() override;

    std::deque<int32_t> script;
    int32_t fallback = 1;
    int32_t draws = 0;
};

} // namespace vxtest
