#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "Expectation.h"
#include "assets/ToolPackTest.h"
#include "support/AppFolder.h"
#include "support/ToolRun.h"

namespace {

using vxtest::runTool;
using vxtest::ToolRun;

class PackCheckTest : public ToolPackTest {
protected:
    ToolRun check(const std::string& expectations)
    {
        write("pack.expect", expectations);
        return runTool(std::string(VX_PACKCHECK) + " " + path("app") + " " + path("pack.expect"));
    }
};

TEST_F(PackCheckTest, PassesAPackOfTheExpectedShape)
{
    ToolRun run = check("# ids: 0x400 sheet, 0x401 Gobs, 0x402 animations, 0x405 texts, 0x406 font\n"
                    "picture 0x400 width=8 height<=4\n"
                    "gobset 1025 gobs=2 boxes@0>=1 boxes@1=0\n"
                    "animset 0x402 gobs=0x401 animations=2 frames>=2 boxes@0=2 boxes@1=0 steps@0=2\n"
                    "animset 0x402 boxids@0=0-1 placed@0=2 placed@1<=0 animboxids@1=1,0\n"
                    "animset 0x402 ends@0=1 ends@1=1 last@0=1 last@1=0\n"
                    "texts 0x405 ids=0-1,2 font=0x406\n"
                    "font 0x406 chars=32-126,0xE9 height>=8 height<=16 line>=8\n"
                    "sound 0x408 type=midi\n"
                    "sound 0x409 type=wav\n"
                    "sound 0x409\n");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "");
}

TEST_F(PackCheckTest, NamesTheLineAndTheIdOfEachResourceNotAsExpected)
{
    struct Case {
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {"picture 0x400 width>=9", "picture 0x400 (1024): the width is 8, expected >= 9"},
        {"gobset 0x401 gobs>=3", "gobset 0x401 (1025): the Gob count is 2, expected >= 3"},
        {"gobset 0x401 boxes@1>=1", "gobset 0x401 (1025): the box count of Gob 1 is 0, expected >= 1"},
        {"gobset 0x401 boxes@2>=1", "gobset 0x401 (1025): has no Gob 2 (it holds 2)"},
        {"gobset 0x405", "gobset 0x405 (1029): does not load as a Gob set"},
        {"animset 0x402 animations=3", "animset 0x402 (1026): the animation count is 2, expected 3"},
        {"animset 0x402 frames>=3", "animset 0x402 (1026): the frame count is 2, expected >= 3"},
        {"animset 0x402 boxes@0<=1", "animset 0x402 (1026): the box count of frame 0 is 2, expected <= 1"},
        {"animset 0x402 boxes@5>=1", "animset 0x402 (1026): has no frame 5 (it holds 2)"},
        {"animset 0x402 steps@0>=3", "animset 0x402 (1026): the step count of animation 0 is 2, expected >= 3"},
        {"animset 0x402 steps@2>=1", "animset 0x402 (1026): has no animation 2 (it holds 2)"},
        {"animset 0x402 boxids@0=0,2", "animset 0x402 (1026): frame 0 has no box 2 (its boxes: 0, 1)"},
        {"animset 0x402 boxids@1=0", "animset 0x402 (1026): frame 1 has no box 0 (its boxes: none)"},
        {"animset 0x402 boxids@2=0", "animset 0x402 (1026): has no frame 2 (it holds 2)"},
        {"animset 0x402 placed@1>=1", "animset 0x402 (1026): the placement count of frame 1 is 0, expected >= 1"},
        {"animset 0x402 placed@9>=1", "animset 0x402 (1026): has no frame 9 (it holds 2)"},
        {"animset 0x402 animboxids@0=1", "animset 0x402 (1026): animation 0 step 1: frame 1 has no box 1"},
        {"animset 0x402 animboxids@1=3", "animset 0x402 (1026): animation 1 step 0: frame 0 has no box 3"},
        {"animset 0x402 animboxids@2=0", "animset 0x402 (1026): has no animation 2 (it holds 2)"},
        {"animset 0x402 ends@1=0", "animset 0x402 (1026): animation 1 ends, expected it to run for ever"},
        {"animset 0x402 last@0=0", "animset 0x402 (1026): animation 0 ends on frame 1, expected 0"},
        {"animset 0x402 last@2=0", "animset 0x402 (1026): has no animation 2 (it holds 2)"},
        {"animset 0x402 gobs=0x40C", "animset 0x402 (1026): frame 0 places Gob 1, but Gob set 0x40C (1036) holds 1"},
        {"animset 0x402 gobs=0x405", "animset 0x402 (1026): its Gob set 0x405 (1029) does not load"},
        {"texts 0x405 ids=1-3", "texts 0x405 (1029): has no text 3 (it holds 3)"},
        {"texts 0x405 font=0x40A", "texts 0x405 (1029): text 2 has U+00E9, which font 0x40A (1034) lacks"},
        {"texts 0x405 font=0x400", "texts 0x405 (1029): font 0x400 (1024) does not load"},
        {"font 0x406 chars=0x41,0xE9-0xEA", "font 0x406 (1030): no glyph for U+00EA"},
        {"font 0x406 height>=30", "font 0x406 (1030): the height is"},
        {"font 0x406 line<=2", "font 0x406 (1030): the line height is"},
        {"sound 0x408 type=wav", "sound 0x408 (1032): is not a WAVE file (type 1, RIFF WAVE): type 0"},
        {"sound 0x402", "sound 0x402 (1026): is not a MIDI or WAVE sound: type -1"},
        {"texts 0x403", "texts 0x403 (1027): missing: the entry is empty"},
        {"texts 0x40D", "texts 0x40D (1037): missing or unreadable"},
        {"gobset 0x800", "gobset 0x800 (2048): missing or unreadable: Missing resource pack file"},
        {"texts 0x406", "texts 0x406 (1030): missing or unreadable"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ToolRun run = check(std::string("# first line\n") + c.line + "\n");
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.output.find(std::string("pack.expect:2: ") + c.message), std::string::npos)
            << run.output;
    }
    // Every failure of a run is reported, not only the first.
    ToolRun run = check("gobset 0x401 gobs>=3\nanimset 0x402 frames>=3\n");
    EXPECT_NE(run.output.find("pack.expect:1:"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("pack.expect:2:"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("2 resources not as the code expects"), std::string::npos) << run.output;
}

TEST_F(PackCheckTest, TakesOnlyMidiFilesOfOneTrackInTicksPerQuarterNote)
{
    struct Case {
        std::string header;
        const char* message; // "" passes
    };
    const Case cases[] = {
        {std::string("MThd\0\0\0\6\0\0\0\1\x7F\xFF", 14), ""},
        {std::string("MThd\0\0\0\6\0\1\0\2\0\x60", 14), "is a MIDI file of 2 tracks; the player plays 1"},
        {std::string("MThd\0\0\0\6\0\1\0\0\0\x60", 14), "is a MIDI file of 0 tracks; the player plays 1"},
        {std::string("MThd\0\0\0\6\0\0\0\1\xE7\x28", 14), "its MIDI division is 59176, a time code"},
        {std::string("MThd\0\0\0\6\0\0\0\1", 12), "its MIDI header is cut short"},
    };
    std::string manifest = "part 1 chunked\n";
    std::string expectations;
    for (size_t i = 0; i < std::size(cases); i++) {
        write("tune" + std::to_string(i) + ".mid", cases[i].header);
        manifest += "entry TUNE" + std::to_string(i) + " mid tune" + std::to_string(i) + ".mid\n";
        expectations += "sound " + std::to_string(0x400 + i) + " type=midi\n";
    }
    write("tunes.manifest", manifest);
    write("tunes.expect", expectations);
    ToolRun built = buildPack("tunes.manifest", "tunes");
    ASSERT_EQ(built.status, 0) << built.output;
    ToolRun run = runTool(std::string(VX_PACKCHECK) + " " + path("tunes") + " " + path("tunes.expect"));
    EXPECT_EQ(run.status, 1);
    for (size_t i = 0; i < std::size(cases); i++) {
        SCOPED_TRACE(i);
        std::string where = "tunes.expect:" + std::to_string(i + 1) + ": ";
        std::string id = "0x40" + std::to_string(i) + " (" + std::to_string(0x400 + i) + ")";
        if (*cases[i].message)
            EXPECT_NE(run.output.find(where + "sound " + id + ": " + cases[i].message),
                      std::string::npos)
                << run.output;
        else
            EXPECT_EQ(run.output.find(where), std::string::npos) << run.output;
    }
}

TEST_F(PackCheckTest, RefusesANameTwoManifestsOfOneNamespaceUse)
{
    write("second.manifest", "namespace res\npart 2 chunked\nentry TUNE mid tune.mid\nentry OTHER wav hit.wav\n");
    write("elsewhere.manifest", "namespace other\npart 3 chunked\nentry GOBS wav hit.wav\n");
    write("pack.expect", "sound 0x408 type=midi\n");
    std::string command = std::string(VX_PACKCHECK) + " " + path("app") + " ";
    ToolRun clash = runTool(command + path("pack.manifest") + " " + path("pack.expect") + " " +
                            path("second.manifest") + " " + path("elsewhere.manifest"));
    EXPECT_EQ(clash.status, 1);
    EXPECT_NE(clash.output.find("second.manifest:3: TUNE is also in pack.manifest:9 (namespace res)"),
              std::string::npos)
        << clash.output;
    EXPECT_EQ(clash.output.find("GOBS"), std::string::npos) << "another namespace may reuse a name";
    ToolRun apart = runTool(command + path("pack.manifest") + " " + path("elsewhere.manifest") + " " +
                            path("pack.expect"));
    EXPECT_EQ(apart.status, 0) << apart.output;
}

TEST_F(PackCheckTest, RefusesAFolderWithoutPacks)
{
    write("pack.expect", "gobset 0x401\n");
    ToolRun run = runTool(std::string(VX_PACKCHECK) + " " + path("nowhere") + " " + path("pack.expect"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("no rsc folder in"), std::string::npos) << run.output;
}

TEST(ExpectationTest, RefusesMalformedLinesByLine)
{
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"sprite 0x400\n", "e.expect:1: unknown kind sprite"},
        {"\ngobset\n", "e.expect:2: expected: gobset <id> [conditions]"},
        {"gobset 0x10000\n", "e.expect:1: the id must be from 0 to 65535: 0x10000"},
        {"gobset 1 frames>=2\n", "e.expect:1: gobset has no condition frames"},
        {"gobset 1 gobs\n", "e.expect:1: expected key=value, key>=value or key<=value: gobs"},
        {"gobset 1 gobs>2\n", "e.expect:1: expected key=value, key>=value or key<=value: gobs>2"},
        {"gobset 1 gobs=two\n", "e.expect:1: gobs must be from 0 to 2147483647: two"},
        {"gobset 1 boxes>=1\n", "e.expect:1: boxes needs @<number>"},
        {"gobset 1 gobs@2>=1\n", "e.expect:1: gobs takes no @"},
        {"animset 1 boxes@x>=1\n", "e.expect:1: boxes@ must be from 0 to 65535: x"},
        {"texts 1 ids>=3\n", "e.expect:1: ids takes = only"},
        {"animset 1 boxids@1>=2\n", "e.expect:1: boxids takes = only"},
        {"animset 1 boxids=2\n", "e.expect:1: boxids needs @<number>"},
        {"animset 1 animboxids@0=a\n", "e.expect:1: animboxids must be from 0 to 65535: a"},
        {"gobset 1 placed@0>=1\n", "e.expect:1: gobset has no condition placed"},
        {"texts 1 ids=5-3\n", "e.expect:1: ids range end must be from 5 to 65535: 3"},
        {"texts 1 ids=1,,2\n", "e.expect:1: ids must be from 0 to 65535: "},
        {"texts 1 ids=1,\n", "e.expect:1: ids must be a list of numbers and ranges: 1,"},
        {"texts 1 font=0x1FFFF\n", "e.expect:1: font must be from 0 to 65535: 0x1FFFF"},
        {"sound 1 type=mp3\n", "e.expect:1: type is midi or wav: mp3"},
        {"animset 1 ends@0=2\n", "e.expect:1: ends must be from 0 to 1: 2"},
    };
    vxtest::AppFolder folder;
    std::string file = folder.path() + "/e.expect";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::ofstream(file) << c.text;
        try {
            packcheck::readExpectations(file);
            ADD_FAILURE() << "accepted";
        } catch (const packcheck::CheckError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
    std::ofstream(file) << "  # only a comment\n\ntexts 0x806 ids=1,8-9 font=2049 # trailing\n";
    std::vector<packcheck::Expectation> read = packcheck::readExpectations(file);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].where, "e.expect:3: ");
    EXPECT_EQ(read[0].id, 0x806);
    ASSERT_EQ(read[0].conditions.size(), 2u);
    EXPECT_EQ(packcheck::parseList(read[0].conditions[0].value, "ids"), (std::vector<int32_t>{1, 8, 9}));
    EXPECT_EQ(read[0].conditions[1].key, "font");
}

} // namespace
