#pragma once
// Base of pack tests that read files: the suite's application folder, and
// no pack part current before each test.

#include "support/AppFolderTest.h"
#include "tq/io/resource/ResourcePack.h"

class PackFolderTest : public AppFolderTest {
protected:
    void SetUp() override { tq::io::resource::ResourcePack::currentPart = -1; }
};
