// The generated classes: registered interfaces under their names, and the
// build properties assigned only when that class is initialised.

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "generated/AnimBoss02.h"
#include "generated/AnimBossHp.h"
#include "generated/AnimDifficultlyStar.h"
#include "generated/AnimEnemy.h"
#include "generated/AnimEnemyBullet.h"
#include "generated/AnimEnemyExplosion.h"
#include "generated/AnimMenuPage.h"
#include "generated/AnimPlayer.h"
#include "generated/AnimPlayerBullet.h"
#include "generated/AnimUiButton.h"
#include "generated/Build.h"
#include "generated/RP.h"
#include "generated/Texts.h"
#include "java/lang/Class.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"

namespace {

class GeneratedClassesTest : public VMFixture {};

TEST_F(GeneratedClassesTest, EachIsAnInterfaceUnderItsNameAndSourceFile)
{
    using namespace generated;
    java::lang::Class* classes[] = {
        AnimBoss02::classRecord(),       AnimBossHp::classRecord(),
        AnimDifficultlyStar::classRecord(), AnimEnemy::classRecord(),
        AnimEnemyBullet::classRecord(),  AnimEnemyExplosion::classRecord(),
        AnimMenuPage::classRecord(),     AnimPlayer::classRecord(),
        AnimPlayerBullet::classRecord(), AnimUiButton::classRecord(),
        RP::classRecord(),               Texts::classRecord(),
        Build::classRecord(),
    };
    for (java::lang::Class* c : classes) {
        ASSERT_NE(c, nullptr);
        std::string name = c->name;
        SCOPED_TRACE(name);
        ASSERT_EQ(name.rfind("generated.", 0), 0u);
        EXPECT_EQ(std::string(c->sourcePath), "..\\src\\generated_" + name.substr(10));
        EXPECT_TRUE(c->isInterface());
        EXPECT_EQ(c->creator, nullptr);
        EXPECT_STREQ(c->superName, "");
        EXPECT_EQ(c->arrayDimensions, 0);
    }
}

TEST_F(GeneratedClassesTest, BuildPropertiesStayEmptyUntilTheClassIsInitialised)
{
    using generated::Build;
    std::vector<java::lang::String*> set, unset;
#define VX_TEST_SET(name, value) set.push_back(Build::name.get());
#define VX_TEST_UNSET(name) unset.push_back(Build::name.get());
    VX_BUILD_PROPERTIES(VX_TEST_SET)
    VX_BUILD_UNSET_PROPERTIES(VX_TEST_UNSET)
    ASSERT_EQ(set.size(), 56u);
    ASSERT_EQ(unset.size(), 315u);
    for (java::lang::String* s : set)
        EXPECT_EQ(s, nullptr);
    for (java::lang::String* s : unset)
        EXPECT_EQ(s, nullptr);

    Build::_VM_clinit();
    set.clear();
    unset.clear();
    VX_BUILD_PROPERTIES(VX_TEST_SET)
    VX_BUILD_UNSET_PROPERTIES(VX_TEST_UNSET)
#undef VX_TEST_SET
#undef VX_TEST_UNSET
    std::map<std::string, int> counts;
    for (java::lang::String* s : set) {
        ASSERT_NE(s, nullptr);
        EXPECT_GT(s->length(), 0);
        counts[vmText(VMPtr<java::lang::String>(s))]++;
    }
    // Unset properties share the one interned empty string.
    for (java::lang::String* s : unset) {
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s, unset[0]);
        EXPECT_EQ(s->length(), 0);
    }
    EXPECT_EQ(counts["WAV"], 4);
    EXPECT_EQ(counts["Vexalon"], 2);
    EXPECT_EQ(counts["Windows Mobile"], 2);
    EXPECT_EQ(counts["6.5"], 2);
    EXPECT_EQ(counts.size(), 50u); // every other value once
    EXPECT_EQ(vmText(Build::MIDLET_CLASS), "main.CommonMIDlet");
}

// The two non-ASCII properties decode to the characters the canvas's key
// folding uses: groups of (3, key, alias), and "key: alias" pairs split by U+00A7.
TEST_F(GeneratedClassesTest, KeyPropertiesDecodeToTheirCharacters)
{
    using generated::Build;
    Build::_VM_clinit();
    const char16_t folding[] = u"\u0003" u"0." u"\u0003" u"1u" u"\u0003" u"2i" u"\u0003" u"3o"
                               u"\u0003" u"4j" u"\u0003" u"5k" u"\u0003" u"6l" u"\u0003" u"7m"
                               u"\u0003" u"8\u00F6" u"\u0003" u"9\u00E4" u"\u0003" u"#\u00E5"
                               u"\u0003" u"*,";
    VMPtr<java::lang::String> text = Build::KEY_FOLDING;
    ASSERT_EQ(text->length(), 36);
    for (int32_t i = 0; i < 36; i++)
        EXPECT_EQ(text->charAt(i), folding[i]) << i;

    text = Build::KEY_ALIASES;
    int32_t pairs = 1;
    for (int32_t i = 0; i < text->length(); i++) {
        EXPECT_LT(text->charAt(i), 0x100) << i;
        pairs += text->charAt(i) == u'\u00A7';
    }
    EXPECT_EQ(pairs, 12);
    EXPECT_EQ(text->charAt(text->length() - 1), u'4');
}

} // namespace
