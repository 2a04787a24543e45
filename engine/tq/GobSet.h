#pragma once
// tq.GobSet: a holder binding a Gob array to the AnimSet that places them,
// with three integer properties. It shares what it is given and copies
// nothing.

#include <cstdint>

#include "tq/AnimSet.h"

namespace tq {

class GobSet : public virtual java::lang::Object {
    VM_CLASS(GobSet, java::lang::Object)

    using GobArray = VMArray<Gob, 1>;

    VMPtr<GobSet> init() { return VMPtr<GobSet>(this); }

    virtual int32_t getIntA();
    virtual void setIntA(int32_t value);
    virtual VMPtr<GobArray> getGobs();
    virtual int32_t getIntC();
    virtual void setIntC(int32_t value);
    virtual void setIntB(int32_t value);
    virtual int32_t getIntB();
    virtual void setGobs(VMPtr<GobArray> value);
    virtual void setAnimSet(VMPtr<AnimSet> value);
    virtual VMPtr<AnimSet> getAnimSet();

    int32_t intA = 0;
    VMField<AnimSet> animSet;
    int32_t intB = 0;
    VMField<GobArray> gobs;
    int32_t intC = 0;

    VM_FIELDS(animSet, gobs)
};

} // namespace tq
