#pragma once
// Checks expectations against the packs of the application folder through
// the engine's own readers. Needs the VM booted and its lock held.

#include <string>
#include <vector>

#include "Expectation.h"
#include "Manifest.h"
#include "java/lang/Throwable.h"

namespace packcheck {

// The failures of one expectation, each "file:line: kind 0x806 (2054): what";
// empty when the resource is there with the expected shape.
std::vector<std::string> check(const Expectation& expectation);

// An identifier named in two manifests of one namespace would be defined
// twice where both headers are included: "file:line: NAME is also in
// file:line (namespace rp)" for each repeat; empty when all are unique.
std::vector<std::string> checkNames(const std::vector<packbuilder::Manifest>& manifests);

// The message of a caught Java exception, for a report.
std::string messageOf(java::lang::Throwable* caught);

} // namespace packcheck
