#pragma once
// Base of pack tests that read files: the suite's application folder, and
// no pack part current before each test.

#include <functional>
#include <string>

#include "support/AppFolderTest.h"
#include "tq/io/resource/ResourcePack.h"

class PackFolderTest : public AppFolderTest {
protected:
    void SetUp() override { tq::io::resource::ResourcePack::currentPart = -1; }

    // Copies the files of a pack built at build time into the folder's rsc/;
    // with take, only the files whose names it accepts.
    void copyPack(const char* builtFolder,
                  const std::function<bool(const std::string&)>& take = nullptr) const
    {
        app.copyPack(builtFolder, take);
    }
};
