#include "game/support/ScriptedRandom.h"

namespace vxtest {

VMPtr<ScriptedRandom> ScriptedRandom::init()
{
    FastRandom::init();
    return VMPtr<ScriptedRandom>(this);
}

int32_t ScriptedRandom::nextInt()
{
    draws += 1;
    if (script.empty())
        return fallback;
    int32_t v = script.front();
    script.pop_front();
    return v;
}

} // namespace vxtest

VM_REGISTER_CLASS_NO_CREATOR(vxtest::ScriptedRandom, "tests.ScriptedRandom", "tq.util.FastRandom",
                             "tests", nullptr);
