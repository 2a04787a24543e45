#include "generated/Build.h"

#include "vm/VMStringLiterals.h"

namespace generated {

namespace {

void initialiseBuild()
{
#define VX_BUILD_ASSIGN(name, value) Build::name = _VM_literal(value);
    VX_BUILD_PROPERTIES(VX_BUILD_ASSIGN)
#undef VX_BUILD_ASSIGN
#define VX_BUILD_CLEAR(name) Build::name = _VM_literal("");
    VX_BUILD_UNSET_PROPERTIES(VX_BUILD_CLEAR)
#undef VX_BUILD_CLEAR
}

} // namespace

} // namespace generated

VM_REGISTER_INTERFACE(generated::Build, "generated.Build", "..\\src\\generated_Build",
                      &generated::initialiseBuild);
