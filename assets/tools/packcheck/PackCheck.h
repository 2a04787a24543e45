#pragma once
// Checks expectations against the packs of the application folder through
// the engine's own readers. Needs the VM booted and its lock held.

#include <string>
#include <vector>

#include "Expectation.h"

namespace packcheck {

// The failures of one expectation, each "file:line: kind 0x806 (2054): what";
// empty when the resource is there with the expected shape.
std::vector<std::string> check(const Expectation& expectation);

} // namespace packcheck
