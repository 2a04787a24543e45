#pragma once
// tq.ResourcesExt: Gob sets by the resource identifier of their stream.

#include <cstdint>

#include "tq/Gob.h"

namespace tq {

class ResourcesExt : public virtual java::lang::Object {
    VM_CLASS(ResourcesExt, java::lang::Object)

    VMPtr<ResourcesExt> init() { return VMPtr<ResourcesExt>(this); }

    // The set's Gobs, cut from its picture decoded with palette (null: as
    // stored); null when the set cannot be read to its end.
    static VMPtr<Gob::GobArray> loadGobs(int32_t id, VMPtr<Gob::ByteArray> palette);
    static VMPtr<Gob::GobArray> loadGobs(int32_t id);
};

} // namespace tq
