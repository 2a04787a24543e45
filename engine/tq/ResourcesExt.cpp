#include "tq/ResourcesExt.h"

#include "tq/Resources.h"

namespace tq {

VMPtr<Gob::GobArray> ResourcesExt::loadGobs(int32_t id, VMPtr<Gob::ByteArray> palette)
{
    return Resources::loadGobSet(id, palette, Resources::openResourceStream(id), nullptr);
}

VMPtr<Gob::GobArray> ResourcesExt::loadGobs(int32_t id)
{
    return loadGobs(id, nullptr);
}

} // namespace tq

VM_REGISTER_CLASS(tq::ResourcesExt, "tq.ResourcesExt", "java.lang.Object", "..\\src\\tq_ResourcesExt",
                  nullptr);
