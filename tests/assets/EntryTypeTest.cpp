#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "EntryType.h"
#include "PackWriter.h"

namespace {

using packbuilder::BuildError;
using packbuilder::EntryContext;
using packbuilder::HeaderConstant;

TEST(EntryTypeTest, AddedConstantsFollowTheEntriesInTheHeader)
{
    packbuilder::Manifest manifest;
    manifest.file = "pack.manifest";
    manifest.identifierNamespace = "ids";
    manifest.parts.push_back({1, true, {{"NOTE", packbuilder::findEntryType("txt"), "n.txt", {}, 3}}});
    std::map<std::string, int32_t> identifiers{{"NOTE", 0x400}};
    std::vector<std::filesystem::path> inputs;
    std::vector<HeaderConstant> constants;
    EntryContext entry{"NOTE", "n.txt", {}, &inputs, 0x400, &identifiers, &constants};

    entry.addConstant("TXT_HELLO", 0);
    entry.addConstant("TXT_LOW", INT32_MIN);
    entry.addConstant("NOTE_WALK", 1);
    entry.addConstant("NOTE_2", 2);
    std::string header = packbuilder::identifierHeader(manifest, constants);
    EXPECT_NE(header.find("constexpr int32_t NOTE = 0x0400; // part 1, txt\n\n// NOTE\n"
                          "constexpr int32_t TXT_HELLO = 0;\nconstexpr int32_t TXT_LOW = -2147483648;\n"),
              std::string::npos)
        << header;
    EXPECT_NE(header.find("#define IDS_PART1_ENTRIES(X) \\\n    X(NOTE, 1024)\n"),
              std::string::npos)
        << header;
    EXPECT_NE(header.find("#define IDS_NOTE_CONSTANTS(X) \\\n    X(TXT_HELLO, 0) \\\n"
                          "    X(TXT_LOW, -2147483648) \\\n    X(WALK, 1) \\\n    X(NOTE_2, 2)\n"),
              std::string::npos)
        << header;

    struct Case {
        const char* name;
        const char* message;
    };
    const Case refused[] = {
        {"TXT_HELLO", "constant TXT_HELLO already added by NOTE"},
        {"NOTE", "constant NOTE has the name of an entry"},
        {"9LIVES", "constant name is not an identifier: 9LIVES"},
        {"A-B", "constant name is not an identifier: A-B"},
        {"", "constant name is not an identifier: "},
    };
    for (const Case& c : refused) {
        try {
            entry.addConstant(c.name, 1);
            ADD_FAILURE() << c.name;
        } catch (const BuildError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    EXPECT_EQ(constants.size(), 4u);
}

} // namespace
