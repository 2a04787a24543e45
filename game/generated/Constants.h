#pragma once
// Turns an X(name, value) list of an identifier header (rp/PartN.h) into
// compile-time constants of a generated class.

#include <cstdint>

#define VX_GENERATED_CONSTANT(name, value) static constexpr int32_t name = value;
