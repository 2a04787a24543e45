#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "Manifest.h"
#include "support/AppFolder.h"
#include "support/ToolRun.h"

namespace {

using BuildRun = vxtest::ToolRun;

// Runs the builder on a manifest written into a temporary folder with a
// text source and a small PNG beside it.
class PackBuilderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        write("note.txt", "a note");
        write("picture.png", std::string("\x89PNG\r\n\x1a\n", 8) + "rest");
    }

    void write(const std::string& name, const std::string& text)
    {
        std::ofstream(dir() / name, std::ios::binary) << text;
    }
    std::filesystem::path dir() const { return folder.path(); }

    BuildRun build(const std::string& manifest)
    {
        write("pack.manifest", manifest);
        std::string command = std::string(VX_PACKBUILDER) + " " + (dir() / "pack.manifest").string() +
                              " " + (dir() / "out").string() + " " + (dir() / "Ids.h").string();
        return vxtest::runTool(command);
    }

    vxtest::AppFolder folder;
};

TEST_F(PackBuilderTest, WritesPartsAndIdentifiers)
{
    BuildRun run = build("namespace ids\n"
                    "part 1 chunked\n"
                    "entry NOTE txt note.txt\n"
                    "entry PICTURE png picture.png   # its own data file\n"
                    "entry NOTE_AGAIN txt note.txt\n"
                    "part 9 plain\n"
                    "entry LATE raw note.txt\n");
    ASSERT_EQ(run.status, 0) << run.output;
    for (const char* file : {"RP1part0.rp", "RP1part1.txt", "RP1part2.png", "RP9.rp"})
        EXPECT_TRUE(std::filesystem::exists(dir() / "out" / file)) << file;
    // The two texts share one data file.
    EXPECT_EQ(std::filesystem::file_size(dir() / "out" / "RP1part1.txt"), 12u);
    std::ifstream header(dir() / "Ids.h");
    std::string text((std::istreambuf_iterator<char>(header)), {});
    EXPECT_NE(text.find("namespace ids {"), std::string::npos);
    EXPECT_NE(text.find("constexpr int32_t NOTE_AGAIN = 0x0402;"), std::string::npos);
    EXPECT_NE(text.find("constexpr int32_t LATE = 0x2400;"), std::string::npos);
}

TEST_F(PackBuilderTest, PlacesEntriesAtFixedIndexes)
{
    const std::string manifest = "part 2 chunked\n"
                                 "at 1\n"
                                 "entry A txt note.txt\n"
                                 "entry B raw note.txt\n"
                                 "at 6\n"
                                 "entry C txt note.txt\n"
                                 "at 0x7   # the next index: no gap\n"
                                 "entry D png picture.png\n"
                                 "at 4     # back into the places skipped\n"
                                 "entry F raw note.txt\n"
                                 "entry G txt note.txt\n"
                                 "part 9 plain\n"
                                 "at 2\n"
                                 "entry E raw note.txt\n";
    BuildRun run = build(manifest);
    ASSERT_EQ(run.status, 0) << run.output;
    std::ifstream header(dir() / "Ids.h");
    std::string text((std::istreambuf_iterator<char>(header)), {});
    for (const char* line : {"constexpr int32_t A = 0x0801;", "constexpr int32_t B = 0x0802;",
                             "constexpr int32_t C = 0x0806;", "constexpr int32_t D = 0x0807;",
                             "constexpr int32_t E = 0x2402;", "constexpr int32_t F = 0x0804;",
                             "constexpr int32_t G = 0x0805;"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    EXPECT_EQ(text.find("constexpr int32_t  ="), std::string::npos) << text;

    packbuilder::Manifest read = packbuilder::readManifest(dir() / "pack.manifest");
    ASSERT_EQ(read.parts.size(), 2u);
    const std::vector<packbuilder::ManifestEntry>& part2 = read.parts[0].entries;
    ASSERT_EQ(part2.size(), 8u);
    std::string places;
    for (const packbuilder::ManifestEntry& entry : part2)
        places += entry.isEmpty() ? "-" : entry.name;
    EXPECT_EQ(places, "-AB-FGCD");
    EXPECT_EQ(part2[3].type->code, -1);
    EXPECT_EQ(read.parts[1].entries.size(), 3u);
    EXPECT_TRUE(read.parts[1].entries[1].isEmpty());
    // The empty places take no bytes in the file they share with the raw entries.
    EXPECT_EQ(std::filesystem::file_size(dir() / "out" / "RP2part1.rp"), 12u);
    EXPECT_EQ(std::filesystem::file_size(dir() / "out" / "RP2part2.txt"), 18u);
}

TEST_F(PackBuilderTest, RefusesBadManifestsByLine)
{
    struct Case {
        const char* manifest;
        const char* message;
    };
    const Case cases[] = {
        {"entry A txt note.txt\n", ":1: entry before the first part line"},
        {"part 1 chunked\nentry A sound note.txt\n", ":2: unknown entry type: sound"},
        {"part 1 chunked\nentry A txt note.txt\nentry A txt note.txt\n", ":3: identifier listed twice: A"},
        {"part 8 chunked\n", ":1: part 8 cannot be chunked"},
        {"part 1 plain\n", ":1: part 1 cannot be plain"},
        {"part 64 plain\n", ":1: part 64 cannot be plain"},
        {"part 9 plain\npart 9 plain\n", ":2: part 9 listed twice"},
        {"part 1 chunked\nentry 1A txt note.txt\n", ":2: not an identifier: 1A"},
        {"part 1 chunked\nentry A txt note.txt loud\n", ":2: expected key=value: loud"},
        {"part 1 chunked\nentry A txt missing.txt\n", ":2: A: cannot read"},
        {"part 1 chunked\nentry A png note.txt\n", "note.txt is not a PNG picture"},
        {"pack 1\n", ":1: unknown line: pack"},
        {"at 3\n", ":1: at before the first part line"},
        {"part 1 chunked\nat\n", ":2: expected: at <index>"},
        {"part 1 chunked\nat x\n", ":2: index must be from 0 to 1023: x"},
        {"part 1 chunked\nat 1024\nentry A txt note.txt\n", ":2: index must be from 0 to 1023: 1024"},
        {"part 1 chunked\nentry A txt note.txt\nentry B txt note.txt\nat 1\nentry C txt note.txt\n",
         ":4: at 1 goes back: place 1 holds B"},
        {"part 1 chunked\nat 2\nentry A txt note.txt\nat 1\nentry B txt note.txt\nentry C txt note.txt\n",
         ":6: C: place 2 holds A"},
        {"part 1 chunked\nat 3\n", ":2: at 3 has no entry after it"},
        {"part 1 chunked\nat 3\npart 9 plain\nentry A txt note.txt\n", ":2: at 3 has no entry after it"},
        {"part 1 chunked\nat 3\nat 5\nentry A txt note.txt\n", ":2: at 3 has no entry after it"},
        {"part 1 chunked\nat 1023\nentry A txt note.txt\nentry B txt note.txt\n",
         ":4: part 1 has more than 1024 entries"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.manifest);
        BuildRun run = build(c.manifest);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
        EXPECT_FALSE(std::filesystem::exists(dir() / "Ids.h"));
    }
    std::string many = "part 2 chunked\n";
    for (int i = 0; i <= 1024; i++)
        many += "entry E" + std::to_string(i) + " txt note.txt\n";
    BuildRun run = build(many);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find(":1026: part 2 has more than 1024 entries"), std::string::npos)
        << run.output;
}

TEST_F(PackBuilderTest, RefusesBadTextsAndFonts)
{
    struct Case {
        const char* source;
        const char* type;
        const char* message;
    };
    const Case cases[] = {
        {"A=fine\nB=caf\xE9\n", "texts", "bad:2: not UTF-8"},
        {"T=a \\q\n", "texts", "bad:1: unknown escape \\q"},
        {"T=ok\nU=a \\\n", "texts", "bad:2: a \\ at the end of the line"},
        {"TEXTS=clash\n", "texts", "constant TEXTS has the name of an entry"},
        {"A=x\nA=y\n", "texts", "constant A already added by TEXTS"},
        {"face DejaVuSans\nsize 10\nchars 65-70\n", "font", "a font needs at least 7 characters"},
        {"face DejaVuSans\nchars 65-90\n", "font", "a font needs a face and a size"},
        {"face DejaVuSans\nsize 10\nchars 65-90\nweight 3\n", "font", "bad:4: unknown key weight"},
        {"face ../DejaVuSans\nsize 10\n", "font", "bad:1: a face is named without a folder"},
        {"face NoSuchFace\nsize 10\nchars 65-90\n", "font", "cannot read"},
        {"face DejaVuSans\nsize 10\nchars 0xE000-0xE010\n", "font", "DejaVuSans has no glyph for 57344"},
        {"face DejaVuSans\nsize 10\ncolor zz\n", "font", "bad:3: color must be from 0 to 4294967295: zz"},
        {"face DejaVuSans\nsize 010\nchars 65-0x10000\n", "font", "bad:3: chars must be from 65 to 65535: 0x10000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        write("bad", c.source);
        std::string manifest = "part 1 chunked\nentry SHEET png picture.png\nentry TEXTS " +
                               std::string(c.type) + " bad image=SHEET\n";
        BuildRun run = build(manifest);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
    }
}

TEST_F(PackBuilderTest, RefusesBadAnimationSets)
{
    struct Case {
        const char* source;
        const char* message;
    };
    const Case cases[] = {
        {"place gob=0\n", "bad:1: unexpected place before the first frame or animation"},
        {"frame A\nstep frame=A\n", "bad:2: unexpected step"},
        {"frame A\nplace x=3\n", "bad:2: a placement needs gob=<index>"},
        {"frame A\nplace gob=1024\n", "bad:2: gob must be from 0 to 1023: 1024"},
        {"frame A\nplace gob=0 x=512\n", "bad:2: x must be from -512 to 511: 512"},
        {"frame A\nplace gob=0 mirror=z\n", "bad:2: mirror is x, y or xy: z"},
        {"frame A\nbox w=1024\n", "bad:2: w must be from 0 to 1023: 1024"},
        {"frame A\nbox id=32\n", "bad:2: id must be from 0 to 31: 32"},
        {"frame A\nbox x=1 colour=2\n", "bad:2: unknown value colour"},
        {"frame\n", "bad:1: a name is needed"},
        {"frame A\nframe A\n", "a second frame A"},
        {"animation RUN loops=32\n", "bad:1: loops must be from -32 to 31: 32"},
        {"frame A\nanimation RUN\nstep time=5\n", "bad:3: a step needs frame=<name or number>"},
        {"frame A\nanimation RUN\nstep frame=B\n", "bad:3: no frame B"},
        {"frame A\nanimation RUN\nstep frame=1\n", "bad:3: no frame 1"},
        {"frame A\nanimation RUN\nstep frame=A time=70000\n", "bad:3: time must be from 0 to 65535"},
        {"frame A\nanimation RUN\nanimation RUN\n", "constant TEXTS_RUN already added by TEXTS"},
        {"frame A\nanimation A-B\n", "constant name is not an identifier: TEXTS_A-B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        write("bad", c.source);
        BuildRun run = build("part 1 chunked\nentry TEXTS animset bad\n");
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
    }
    // More than 64 different step times.
    std::string many = "frame A\nanimation RUN\n";
    for (int t = 0; t < 65; t++)
        many += "step frame=A time=" + std::to_string(t) + "\n";
    write("bad", many);
    BuildRun run = build("part 1 chunked\nentry TEXTS animset bad\n");
    EXPECT_NE(run.output.find("more than 64 different step times"), std::string::npos) << run.output;
}

TEST_F(PackBuilderTest, ReadsNumbersInDecimalOrHex)
{
    // Every value is an x from -512 to 511; a leading 0 is not octal.
    const char* bad[] = {"0777", "-0x201", "zz", "5z", "-", "0x", "0x-1", "+3", "1e2",
                         "99999999999999999999", "-99999999999999999999"};
    for (const char* value : bad) {
        SCOPED_TRACE(value);
        write("bad", std::string("frame A\nplace gob=0 x=") + value + "\n");
        BuildRun run = build("part 1 chunked\nentry TEXTS animset bad\n");
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.output.find(std::string("bad:2: x must be from -512 to 511: ") + value),
                  std::string::npos)
            << run.output;
    }
    for (const char* value : {"0511", "-0x200", "0X1FF", "-0"}) {
        SCOPED_TRACE(value);
        write("bad", std::string("frame A\nplace gob=0 x=") + value + "\n");
        BuildRun run = build("part 1 chunked\nentry TEXTS animset bad\n");
        EXPECT_EQ(run.status, 0) << run.output;
    }
}

} // namespace
