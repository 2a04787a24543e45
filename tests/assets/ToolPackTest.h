#pragma once
// A small pack of every kind the host tools read (a picture, two Gob sets,
// an animation set, texts, two fonts, a MIDI and a WAVE sound, an empty
// place), built by the pack builder into a temporary application folder's
// rsc/ before each test.
//
//   0x400 SHEET png 8x4      0x401 GOBS (2 Gobs)    0x402 MOVES (2 frames, 2 animations)
//   0x405 TEXTS (3 texts)    0x406 FONT (with é)    0x408 TUNE   0x409 HIT
//   0x40A ASCII (font)       0x40C ONE_GOB (1 Gob); 0x403, 0x404 empty

#include <string>
#include <vector>
#include <fstream>

#include <gtest/gtest.h>

#include "support/AppFolder.h"
#include "support/PngWriter.h"
#include "support/ToolRun.h"

class ToolPackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        write("sheet.png", vxtest::pngRgba(8, 4, std::vector<uint32_t>(32, 0xFF336699)));
        write("sheet.gobs", "gob x=0 y=0 w=4 h=2 cw=2 ch=2\n"
                            "gob x=4 y=0 w=4 h=4\n");
        write("one.gobs", "gob x=0 y=0 w=2 h=2\n");
        write("moves.anim", "frame STILL\nplace gob=0\nplace gob=1 x=4\nbox w=2 h=2\nbox x=2 w=2 h=2 id=1\n"
                            "frame EMPTY\n"
                            "animation IDLE\nstep frame=STILL time=100\nstep frame=EMPTY time=100\n"
                            "animation HOLD\nstep frame=STILL time=100\n");
        write("texts.txt", "Zero\nOne\nEt\xC3\xA9\n");
        write("small.font", "face DejaVuSans\nsize 10\nchars 32-126 0xE9\n");
        write("ascii.font", "face DejaVuSans\nsize 10\nchars 32-126\n");
        write("tune.mid", std::string("MThd\0\0\0\6\0\0\0\1\0\x60", 14));
        write("hit.wav", std::string("RIFF\x0C\0\0\0WAVEfmt \0\0\0\0", 20));
        write("pack.manifest", "part 1 chunked\n"
                               "entry SHEET png sheet.png\n"
                               "entry GOBS gobset sheet.gobs image=SHEET\n"
                               "entry MOVES animset moves.anim\n"
                               "at 5\n"
                               "entry TEXTS texts texts.txt\n"
                               "entry FONT font small.font image=FONT_SHEET\n"
                               "entry FONT_SHEET fontsheet small.font\n"
                               "entry TUNE mid tune.mid\n"
                               "entry HIT wav hit.wav\n"
                               "entry ASCII font ascii.font image=ASCII_SHEET\n"
                               "entry ASCII_SHEET fontsheet ascii.font\n"
                               "entry ONE_GOB gobset one.gobs image=SHEET\n");
        vxtest::ToolRun built = buildPack("pack.manifest", "app");
        ASSERT_EQ(built.status, 0) << built.output;
    }

    // Builds a manifest of the folder into <app>/rsc (its header as <app>.h).
    vxtest::ToolRun buildPack(const std::string& manifest, const std::string& app) const
    {
        return vxtest::runTool(std::string(VX_PACKBUILDER) + " " + path(manifest) + " " + path(app + "/rsc") + " " +
                               path(app + ".h"));
    }

    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(folder.path() + "/" + name, std::ios::binary) << bytes;
    }
    std::string path(const std::string& name) const { return folder.path() + "/" + name; }

    vxtest::AppFolder folder;
};

