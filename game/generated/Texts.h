#pragma once
// generated.Texts: text identifiers of the game's translation table. Its constants are folded into
// the code that uses them; at run time it is a registered interface with nothing in it. They are
// the named lines of the text table, taken from its pack's identifier header (rp/Part2.h).

#include "generated/Constants.h"
#include "java/lang/Object.h"
#include "rp/Part2.h"

namespace generated {

class Texts : public virtual java::lang::Object {
    VM_INTERFACE(Texts)

    RP_TEXTS_CONSTANTS(VX_GENERATED_CONSTANT)
};

} // namespace generated
