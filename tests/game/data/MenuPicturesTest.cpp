// The game's menu and panel pictures as the code places them: every box the code reads
// is in the frame or animation it shows, lies on the 240 x 320 screen where
// the item stands, and the touch areas of one screen do not overlap (the
// menus test them in order, so an overlap would steal touches). Animation
// items run for ever or hand on to the next animation.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/data/GamePackFolderTest.h"
#include "tq/AnimPlayer.h"
#include "tq/AnimSet.h"
#include "tq/Resources.h"
#include "ui/ResManager.h"

using ui::ResManager;

namespace {

using IntArray = VMArray<int32_t, 1>;

constexpr int32_t BUTTONS = 1059, BUTTON_ANIMS = 1039;
constexpr int32_t PAGE = 1047, PAGE_ANIMS = 1028;

struct Rect {
    int32_t x, y, w, h;
    bool overlaps(const Rect& o) const
    {
        return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h;
    }
};

std::ostream& operator<<(std::ostream& out, const Rect& r)
{
    return out << "(" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << ")";
}

class MenuPicturesTest : public GamePackFolderTest {
protected:
    void SetUp() override
    {
        GamePackFolderTest::SetUp();
        ResManager::newInstance()->init();
    }

    static VMPtr<tq::AnimSet> animSet(int32_t gobSetId, int32_t animSetId)
    {
        ResManager::load(gobSetId, animSetId);
        return ResManager::animSets->get(ResManager::getLastAnimSetSlot());
    }

    // Box `id` of a frame item at (x, y), as the panel reports it.
    static Rect frameBox(int32_t animSetId, int32_t frame, int32_t id, int32_t x, int32_t y)
    {
        int32_t gobSetId = animSetId == BUTTON_ANIMS ? BUTTONS : PAGE;
        VMPtr<IntArray> out = IntArray::newArray(5 * 32);
        int32_t n = animSet(gobSetId, animSetId)->getCollisionRects(frame, 0, out, id);
        EXPECT_GE(n, 1) << "frame " << frame << " of " << animSetId << " has no box " << id;
        if (n < 1)
            return {0, 0, 0, 0};
        return {(*out)[0] + x, (*out)[1] + y, (*out)[2], (*out)[3]};
    }

    // Box `id` of an animation item of the button sheet at (x, y).
    static Rect animationBox(int32_t animation, int32_t id, int32_t x, int32_t y)
    {
        VMPtr<tq::AnimPlayer> player = tq::AnimPlayer::create()->init();
        player->setAnimSet(animSet(BUTTONS, BUTTON_ANIMS));
        player->setAnimation(animation);
        VMPtr<IntArray> out = IntArray::newArray(5 * 32);
        int32_t n = player->getCollisionRects(out, id);
        EXPECT_GE(n, 1) << "animation " << animation << " has no box " << id;
        if (n < 1)
            return {0, 0, 0, 0};
        return {(*out)[0] + x, (*out)[1] + y, (*out)[2], (*out)[3]};
    }

    static void expectOnScreen(const Rect& r, const std::string& what)
    {
        EXPECT_TRUE(r.w > 0 && r.h > 0 && r.x >= 0 && r.y >= 0 && r.x + r.w <= 240 && r.y + r.h <= 320)
            << what << " " << r;
    }

    static void expectApart(const std::vector<std::pair<std::string, Rect>>& touches)
    {
        for (size_t i = 0; i < touches.size(); i++) {
            expectOnScreen(touches[i].second, touches[i].first);
            for (size_t j = i + 1; j < touches.size(); j++)
                EXPECT_FALSE(touches[i].second.overlaps(touches[j].second))
                    << touches[i].first << " " << touches[i].second << " and " << touches[j].first << " "
                    << touches[j].second;
        }
    }
};

TEST_F(MenuPicturesTest, MainMenuAndDialogButtonsLieOnScreenApart)
{
    // Main menu: the select button at the bottom centre, its arrows on box 3.
    Rect row = frameBox(BUTTON_ANIMS, 1, 3, 120, 320);
    expectOnScreen(frameBox(BUTTON_ANIMS, 1, 2, 120, 320), "select label");
    for (int32_t frame : {0, 1})
        expectOnScreen(frameBox(BUTTON_ANIMS, frame, 3, 120, 320), "arrow row");
    int32_t arrowX = row.x + row.w / 2;
    expectApart({{"up", animationBox(5, 0, arrowX, row.y)},
                 {"select", frameBox(BUTTON_ANIMS, 1, 0, 120, 320)},
                 {"down", animationBox(7, 0, arrowX, row.y + row.h)}});

    // Quit and sound question: the dialog's texts, the two corner keys.
    for (int32_t box : {1, 2, 3})
        expectOnScreen(frameBox(BUTTON_ANIMS, 30, box, 120, 160), "dialog box " + std::to_string(box));
    expectOnScreen(frameBox(BUTTON_ANIMS, 16, 0, 0, 320), "no pressed");
    expectApart({{"no", frameBox(BUTTON_ANIMS, 20, 0, 0, 320)},
                 {"yes", frameBox(BUTTON_ANIMS, 21, 0, 240, 320)}});
    expectOnScreen(frameBox(BUTTON_ANIMS, 17, 0, 240, 320), "yes pressed");

    // Buy confirmation: Yes, No and OK on the dialog's button row.
    Rect d0 = frameBox(BUTTON_ANIMS, 30, 0, 120, 160);
    int32_t buttonsY = d0.y + d0.h;
    expectApart({{"yes", animationBox(14, 0, d0.x, buttonsY)},
                 {"ok", frameBox(BUTTON_ANIMS, 11, 0, d0.x + d0.w / 2, buttonsY)},
                 {"no", animationBox(13, 0, d0.x + d0.w, buttonsY)}});
    for (int32_t animation : {12, 15})
        expectOnScreen(animationBox(animation, 0, animation == 12 ? d0.x : d0.x + d0.w, buttonsY),
                       "choice " + std::to_string(animation));
    expectOnScreen(frameBox(BUTTON_ANIMS, 10, 0, d0.x + d0.w / 2, buttonsY), "ok pressed");

    // About page: text and title inside the frame, clear of the back key.
    expectApart({{"about title", frameBox(BUTTON_ANIMS, 29, 0, 120, 160)},
                 {"about text", frameBox(BUTTON_ANIMS, 29, 1, 120, 160)},
                 {"back", frameBox(BUTTON_ANIMS, 21, 0, 240, 320)}});
}

TEST_F(MenuPicturesTest, OptionsStageSelectionAndShopTouchAreasLieOnScreenApart)
{
    // Options: two slots on the window's box 0, texts beside them.
    Rect w = frameBox(BUTTON_ANIMS, 28, 0, 120, 160);
    Rect upper = frameBox(BUTTON_ANIMS, 70, 0, w.x + w.w, w.y);
    Rect lower = frameBox(BUTTON_ANIMS, 73, 0, w.x + w.w, w.y + w.h);
    expectApart({{"upper slot", upper},
                 {"lower slot", lower},
                 {"upper text", frameBox(BUTTON_ANIMS, 28, 1, 120, 160)},
                 {"lower text", frameBox(BUTTON_ANIMS, 28, 2, 120, 160)},
                 {"back", frameBox(BUTTON_ANIMS, 21, 0, 240, 320)}});
    EXPECT_EQ(frameBox(BUTTON_ANIMS, 71, 0, 0, 0).w, frameBox(BUTTON_ANIMS, 70, 0, 0, 0).w);
    EXPECT_EQ(frameBox(BUTTON_ANIMS, 72, 0, 0, 0).h, frameBox(BUTTON_ANIMS, 73, 0, 0, 0).h);

    // Stage selection: arrows at the ends of the window's box 3.
    Rect w3 = frameBox(PAGE_ANIMS, 2, 3, 120, 160);
    expectOnScreen(frameBox(PAGE_ANIMS, 2, 0, 120, 160), "picture place");
    expectOnScreen(frameBox(PAGE_ANIMS, 1, 3, 240, 0), "money text");
    expectOnScreen(frameBox(PAGE_ANIMS, 3, 3, 0, 0), "title text");
    expectApart({{"left", animationBox(9, 0, w3.x, w3.y + w3.h / 2)},
                 {"right", animationBox(11, 0, w3.x + w3.w, w3.y + w3.h / 2)},
                 {"play", frameBox(BUTTON_ANIMS, 21, 0, 240, 320)},
                 {"back", frameBox(BUTTON_ANIMS, 18, 0, 0, 320)}});
    expectOnScreen(frameBox(BUTTON_ANIMS, 21, 2, 240, 320), "play label");

    // Shop: the rows hang below the preview window; every row frame carries
    // every box the shop reads, at the same place.
    Rect b3 = frameBox(PAGE_ANIMS, 4, 3, 120, 0);
    expectOnScreen(b3, "preview window");
    Rect b2 = frameBox(PAGE_ANIMS, 4, 2, 120, 0);
    EXPECT_TRUE(b2.y > b3.y && b2.y < b3.y + b3.h) << "the preview ship flies inside the window";
    int32_t rowY = b3.y + b3.h;
    for (int32_t box : {5, 6, 7, 9, 10, 11, 12}) {
        Rect shown = frameBox(PAGE_ANIMS, 5, box, 120, rowY);
        expectOnScreen(shown, "row box " + std::to_string(box));
        for (int32_t frame : {6, 12}) {
            Rect other = frameBox(PAGE_ANIMS, frame, box, 120, rowY);
            EXPECT_TRUE(other.x == shown.x && other.y == shown.y && other.w == shown.w && other.h == shown.h)
                << "box " << box << " of frame " << frame;
        }
    }
    Rect b5 = frameBox(PAGE_ANIMS, 5, 5, 120, rowY);
    expectApart({{"weapon row", frameBox(PAGE_ANIMS, 5, 6, 120, rowY)},
                 {"support row", frameBox(PAGE_ANIMS, 5, 7, 120, rowY)},
                 {"start row", frameBox(PAGE_ANIMS, 5, 11, 120, rowY)},
                 {"left", animationBox(9, 1, b5.x, b5.y + b5.h / 2)},
                 {"right", animationBox(11, 1, b5.x + b5.w, b5.y + b5.h / 2)},
                 {"back", frameBox(BUTTON_ANIMS, 18, 0, 0, 320)},
                 {"action", frameBox(BUTTON_ANIMS, 21, 0, 240, 320)}});
    expectApart({{"title bar", frameBox(PAGE_ANIMS, 3, 3, 0, 0)},
                 {"money bar", frameBox(PAGE_ANIMS, 1, 3, 240, 0)},
                 {"preview", b3}});
}

TEST_F(MenuPicturesTest, PlayPanelsLeaveTheMoneyTextClearOfThePauseKey)
{
    // The HUD: the money bar and the pause key share the top right corner.
    Rect money = frameBox(PAGE_ANIMS, 1, 3, 240, 0);
    for (int32_t frame : {19, 15})
        expectApart({{"money text", money}, {"pause key", frameBox(BUTTON_ANIMS, frame, 0, 240, 0)}});

    // The pause panel: title and two rows on the dialog, the marker's rows
    // apart.
    expectApart({{"title", frameBox(BUTTON_ANIMS, 30, 2, 120, 160)},
                 {"upper row", frameBox(BUTTON_ANIMS, 30, 3, 120, 160)},
                 {"lower row", frameBox(BUTTON_ANIMS, 30, 4, 120, 160)}});
}

TEST_F(MenuPicturesTest, AnimationItemsRunForEverOrHandOnToTheNext)
{
    struct Case {
        int32_t gobSet, animSet, animation;
        bool handsOn; // ends, and the panel then plays animation + 1
    };
    const Case cases[] = {
        {BUTTONS, BUTTON_ANIMS, 4, false},  {BUTTONS, BUTTON_ANIMS, 5, false},
        {BUTTONS, BUTTON_ANIMS, 6, false},  {BUTTONS, BUTTON_ANIMS, 7, false},
        {BUTTONS, BUTTON_ANIMS, 8, false},  {BUTTONS, BUTTON_ANIMS, 9, false},
        {BUTTONS, BUTTON_ANIMS, 10, false}, {BUTTONS, BUTTON_ANIMS, 11, false},
        {BUTTONS, BUTTON_ANIMS, 12, false}, {BUTTONS, BUTTON_ANIMS, 13, false},
        {BUTTONS, BUTTON_ANIMS, 14, false}, {BUTTONS, BUTTON_ANIMS, 15, false},
        {BUTTONS, BUTTON_ANIMS, 16, false}, {1041, 1024, 0, false},
        {1041, 1024, 8, true},              {1041, 1024, 9, false},
        {3073, 3072, 0, true},              {3073, 3072, 1, false},
        {1049, 1030, 0, false},             {1049, 1030, 1, false},
        {1049, 1030, 2, false},
    };
    for (const Case& c : cases) {
        VMPtr<tq::AnimPlayer> player = tq::AnimPlayer::create()->init();
        player->setAnimSet(animSet(c.gobSet, c.animSet));
        player->setAnimation(c.animation);
        ASSERT_GT(player->getStepCount(), 0) << c.animSet << " animation " << c.animation;
        for (int i = 0; i < 100; i++)
            player->update(100);
        EXPECT_EQ(player->getLoopsLeft() == 0, c.handsOn) << c.animSet << " animation " << c.animation;
    }
    // The logo's opening has ended well inside the logo scene's 3 seconds.
    VMPtr<tq::AnimPlayer> logo = tq::AnimPlayer::create()->init();
    logo->setAnimSet(animSet(3073, 3072));
    logo->setAnimation(0);
    EXPECT_LE(logo->getAnimationDuration(), 2000);
}

} // namespace
