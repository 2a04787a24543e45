#pragma once
// generated.RP: resource identifiers, (part << 10) | index. Its constants are folded into the code
// that uses them; at run time it is a registered interface with nothing in it. They are the entries
// of the game's manifests, taken from the packs' identifier headers (rp/PartN.h).

#include "generated/Constants.h"
#include "java/lang/Object.h"
#include "rp/Part1.h"
#include "rp/Part2.h"
#include "rp/Part3.h"
#include "rp/Part4.h"
#include "rp/Part5.h"
#include "rp/Part6.h"
#include "rp/Part7.h"

namespace generated {

class RP : public virtual java::lang::Object {
    VM_INTERFACE(RP)

    RP_PART1_ENTRIES(VX_GENERATED_CONSTANT)
    RP_PART2_ENTRIES(VX_GENERATED_CONSTANT)
    RP_PART3_ENTRIES(VX_GENERATED_CONSTANT)
    RP_PART4_ENTRIES(VX_GENERATED_CONSTANT)
    RP_PART5_ENTRIES(VX_GENERATED_CONSTANT)
    RP_PART6_ENTRIES(VX_GENERATED_CONSTANT)
    RP_PART7_ENTRIES(VX_GENERATED_CONSTANT)
};

} // namespace generated
