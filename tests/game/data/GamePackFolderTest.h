#pragma once
// Base of the tests of the game's own packs, as the build made them: one
// application folder holding them for the whole process, shared by every
// suite (the platform finds the folder once per process, so a folder per
// suite would not be seen by the second one).

#include "engine/support/PackFolderTest.h"
#include "tq/Resources.h"

class GamePackFolderTest : public PackFolderTest {
protected:
    static void SetUpTestSuite()
    {
        VMFixture::SetUpTestSuite();
        static vxtest::AppFolder shared;
        folder = &shared;
    }
    // The folder stays until the process ends.
    static void TearDownTestSuite() {}

    void SetUp() override
    {
        PackFolderTest::SetUp();
        static bool installed = (copyPack(VX_GAME_RSC), true);
        (void)installed;
    }
    void TearDown() override { tq::Resources::closePack(); }
};
