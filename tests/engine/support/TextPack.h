#pragma once
// The text tests' pack (engine/data/text: a text table and a bitmap font
// written by the pack builder), copied into the suite's application folder,
// and Strings compared as UTF-16.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/support/PackFolderTest.h"
#include "java/lang/String.h"
#include "tq/Resources.h"

class TextPackTest : public PackFolderTest {
protected:
    void SetUp() override
    {
        PackFolderTest::SetUp();
        for (const auto& file : std::filesystem::directory_iterator(VX_TEXT_PACK)) {
            std::ifstream in(file.path(), std::ios::binary);
            app.write("rsc/" + file.path().filename().string(),
                      std::string(std::istreambuf_iterator<char>(in), {}));
        }
    }
    void TearDown() override { tq::Resources::closePack(); }
};

inline std::u16string utf16(const VMPtr<java::lang::String>& s)
{
    std::u16string out;
    for (int32_t i = 0; s && i < s->length(); i++)
        out += s->charAt(i);
    return out;
}
