// The generated classes: registered interfaces under their names, and the
// build properties assigned only when that class is initialised.

#include <string>

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
    EXPECT_EQ(generated::Build::MIDLET_CLASS.get(), nullptr);
    generated::Build::_VM_clinit();
    EXPECT_EQ(vmText(generated::Build::MIDLET_CLASS), "main.CommonMIDlet");
    EXPECT_EQ(vmText(generated::Build::PRODUCT_NAME), "Vexalon");
}

} // namespace
