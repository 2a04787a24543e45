#pragma once
// Base of tests that read resources: the VM and one temporary application
// folder for the whole suite (the platform finds the folder once per
// process, so a folder per test would not be seen).

#include "support/AppFolder.h"
#include "support/VMFixture.h"

class AppFolderTest : public VMFixture {
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

    static inline vxtest::AppFolder* folder = nullptr;
    const vxtest::AppFolder& app = *folder;
};
