#include "tq/GobSet.h"

namespace tq {

int32_t GobSet::getIntA()
{
    return intA;
}

void GobSet::setIntA(int32_t value)
{
    intA = value;
}

VMPtr<GobSet::GobArray> GobSet::getGobs()
{
    return VMPtr<GobArray>(gobs);
}

int32_t GobSet::getIntC()
{
    return intC;
}

void GobSet::setIntC(int32_t value)
{
    intC = value;
}

void GobSet::setIntB(int32_t value)
{
    intB = value;
}

int32_t GobSet::getIntB()
{
    return intB;
}

void GobSet::setGobs(VMPtr<GobArray> value)
{
    gobs = value;
}

void GobSet::setAnimSet(VMPtr<AnimSet> value)
{
    animSet = value;
}

VMPtr<AnimSet> GobSet::getAnimSet()
{
    return VMPtr<AnimSet>(animSet);
}

} // namespace tq

VM_REGISTER_CLASS(tq::GobSet, "tq.GobSet", "java.lang.Object", "..\\src\\tq_GobSet", nullptr);
