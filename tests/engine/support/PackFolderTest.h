#pragma once
// Base of pack tests that read files: the VM, a temporary application
// folder for the whole suite, and no pack part current before each test.

#include "support/AppFolder.h"
#include "support/VMFixture.h"
#include "tq/io/resource/ResourcePack.h"

class PackFolderTest : public VMFixture {
protected:
    static void SetUpTestSuite()
    {
        VMFixture::SetUpTestSuite();
        folder = new vxtest::AppFolder();
    }
    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
    }
    void SetUp() override { tq::io::resource::ResourcePack::currentPart = -1; }

    static inline vxtest::AppFolder* folder = nullptr;
    const vxtest::AppFolder& app = *folder;
};
