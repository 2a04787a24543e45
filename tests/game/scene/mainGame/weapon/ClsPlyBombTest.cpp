// The bomb: its picture by direction, the fuse, the explosion by weapon
// level that hurts every part under it on every frame until it ends, the
// strike that sets it off at once, and the bomb lost off screen.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/mainGame/weapon/ShotFixture.h"
#include "scene/mainGame/weapon/ClsPlyBomb.h"

using scene::mainGame::weapon::ClsPlyBomb;

namespace {

class ClsPlyBombTest : public weapontest::ShotFixture {
protected:
    // A bomb from pixel (px, py) flying vy pixels a frame, in the
    // player-bullet list.
    static VMPtr<ClsPlyBomb> bombAt(int32_t px, int32_t py, int32_t vy, int32_t dir = 0)
    {
        return into(MainGame::playerBullets,
                    ClsPlyBomb::newInstance()->init(dir, px * 32, py * 32, 0, vy * 32, 0));
    }
};

TEST_F(ClsPlyBombTest, PictureByDirectionTheDiagonalsFlyingUpwards)
{
    const int32_t animSets[] = {4103, 4100, 4101, 4102, 4103, 4103};
    for (int32_t dir = 0; dir < 6; dir++) {
        VMPtr<ClsPlyBomb> bomb = ClsPlyBomb::newInstance()->init(dir, 0, 0, 0, 0, 0);
        EXPECT_EQ(bomb->getAnimPlayer()->getAnimSet()->getResourceId(), animSets[dir]) << dir;
        EXPECT_EQ(bomb->dir, dir > 3 ? 0 : dir);
        EXPECT_EQ(bomb->fuse, 1200);
    }
}

TEST_F(ClsPlyBombTest, FuseRunsOutAfter1200MsThenTheExplosionOfTheLevelHurtsEveryFrame)
{
    // The explosions of levels 1 to 3 last 150, 200 and 250 ms.
    const struct {
        int32_t level;
        int32_t blastFrames;
    } cases[] = {{1, 3}, {2, 4}, {3, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE("level " + std::to_string(c.level));
        MainGame::playerBullets->clear();
        enemies = weapontest::TargetEnemies::newInstance()->init(10);
        MainGame::enemies = enemies;
        setWeapon(4, c.level);
        // Beside the explosion's 24 x 24 box, away from the flying bomb's 8 x 8.
        addEnemy(115, 275);
        VMPtr<ClsPlyBomb> bomb = bombAt(100, 300, -1);
        for (int32_t frame = 1; frame <= 24; frame++)
            step(MainGame::playerBullets);
        EXPECT_FALSE(bomb->exploded) << "24 frames make 1200 ms";
        step(MainGame::playerBullets);
        EXPECT_TRUE(bomb->exploded);
        EXPECT_EQ(bomb->getY(), 275 * 32);
        EXPECT_EQ(hps(enemies)[0], kPartHp) << "not yet under the explosion";
        int32_t frames = 0;
        while (!bomb->dead && frames < 20) {
            step(MainGame::playerBullets);
            frames++;
        }
        EXPECT_EQ(bomb->getAnimPlayer()->getAnimation(), c.level);
        EXPECT_EQ(bomb->getY(), 275 * 32) << "standing still";
        EXPECT_EQ(frames, c.blastFrames + 1);
        EXPECT_EQ(hps(enemies)[0], kPartHp - c.blastFrames * stat(4, c.level, 0));
        EXPECT_EQ(enemies->hits.size(), size_t(c.blastFrames));
        EXPECT_EQ(MainGame::playerBullets->size(), 1);
        step(MainGame::playerBullets);
        EXPECT_EQ(MainGame::playerBullets->size(), 0);
    }
}

TEST_F(ClsPlyBombTest, StrikingAPartSetsItOffAtOnce)
{
    setWeapon(4, 1);
    addEnemy(100, 290);
    VMPtr<ClsPlyBomb> bomb = bombAt(100, 300, -5);
    step(MainGame::playerBullets);
    EXPECT_TRUE(bomb->exploded);
    EXPECT_FALSE(bomb->dead);
    int32_t damage = stat(4, 1, 0);
    EXPECT_EQ(hps(enemies)[0], kPartHp - damage);
    for (int32_t k = 0; k < 5; k++)
        EXPECT_EQ((*bomb->box)[k], 0) << "the box is cleared after the test";
    step(MainGame::playerBullets);
    EXPECT_EQ(bomb->getY(), 295 * 32) << "it stops where it struck";
    EXPECT_EQ(hps(enemies)[0], kPartHp - 2 * damage);
}

TEST_F(ClsPlyBombTest, LeavingTheScreenBeforeExplodingEndsIt)
{
    VMPtr<ClsPlyBomb> bomb = bombAt(100, 5, -10);
    step(MainGame::playerBullets);
    EXPECT_TRUE(bomb->dead);
    EXPECT_FALSE(bomb->exploded);
    step(MainGame::playerBullets);
    EXPECT_EQ(MainGame::playerBullets->size(), 0);
}

} // namespace
