#pragma once
// What the game's code expects of a pack, one resource a line
// (assets/game/README.md):
//
//   # comment
//   texts 0x806 ids=1,8-11 font=0x802
//   animset 1039 frames>=74 boxes@1>=4
//
// A kind, the resource identifier (decimal or 0x hex), then conditions
// key[@n](=|>=|<=)value.

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace packcheck {

struct CheckError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Condition {
    enum Op { EQUAL, AT_LEAST, AT_MOST };
    std::string key;
    int32_t at = -1; // n of key@n, -1 without
    Op op = EQUAL;
    std::string value;
};

struct Expectation {
    std::string where; // "file:line: "
    std::string kind;
    int32_t id = 0;
    std::vector<Condition> conditions;
};

// Throws CheckError "file:line: what" for an unknown kind or key, a key
// used with @n or an operator it does not take, or a malformed number or
// list; an unreadable file throws CheckError too.
std::vector<Expectation> readExpectations(const std::filesystem::path& file);

// A list of numbers and ranges ("1,8-11,0x20-0x7E") in order; throws
// CheckError naming where for a malformed one.
std::vector<int32_t> parseList(const std::string& text, const std::string& where);

// A number, decimal or 0x hex, from low to high; throws CheckError.
int64_t parseValue(const std::string& text, int64_t low, int64_t high, const std::string& where);

} // namespace packcheck
