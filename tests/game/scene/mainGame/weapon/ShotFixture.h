#pragma once
// The player's shots and the money pick-ups on the play test pack: the
// bullets' fixture with the ship in play (element 0 of the player, its 8 x 8
// picture around its point), an enemy manager and a boss whose parts stand
// where the test puts them, the weapon statics the shots read, and one step
// of a bullet list as the play scene walks it.

#include <cstdint>
#include <vector>

#include "game/scene/mainGame/weapon/WeaponFixture.h"
#include "global/GameGlobals.h"
#include "javax/microedition/lcdui/Image.h"
#include "scene/mainGame/ClsEnemy.h"
#include "scene/mainGame/ClsPlayer.h"
#include "scene/mainGame/boss/ClsBoss.h"
#include "scene/mainGame/weapon/ClsBullet.h"

namespace weapontest {

// An enemy manager that counts every part it is given as alive and writes
// down the parts hit.
class TargetEnemies : public scene::mainGame::ClsEnemy {
    VM_CLASS(TargetEnemies, scene::mainGame::ClsEnemy)

    VMPtr<TargetEnemies> init(int32_t parts)
    {
        ClsPlane::init(VMPtr<scene::mainGame::weapon::ClsBcreator>());
        allocItems(parts);
        return VMPtr<TargetEnemies>(this);
    }
    // The plane's element alone, without the enemy kinds' set-up.
    void addElement(int32_t k, int32_t ex, int32_t ey) override { ClsPlane::addElement(k, ex, ey); }
    void onPartHit(int32_t i) override { hits.push_back(i); }

    std::vector<int32_t> hits;
};

// A boss whose parts are only what the test adds.
class TargetBoss : public scene::mainGame::boss::ClsBoss {
    VM_CLASS(TargetBoss, scene::mainGame::boss::ClsBoss)

    void start() override {}
    void onPartHit(int32_t i) override { hits.push_back(i); }

    std::vector<int32_t> hits;
};

class ShotFixture : public WeaponFixture {
protected:
    using ClsBullet = scene::mainGame::weapon::ClsBullet;
    using ClsPlayer = scene::mainGame::ClsPlayer;
    using IntArray = VMArray<int32_t, 1>;

    static constexpr int32_t kShipX = 120;
    static constexpr int32_t kShipY = 280;
    // The pack's pictures are 8 pixels wide.
    static constexpr int32_t kShipWidth = 8;

    void SetUp() override
    {
        WeaponFixture::SetUp();
        MainGame::_VM_clinit();
        global::GameGlobals::_VM_clinit();
        VMPtr<ClsPlayer> player = MainGame::player;
        ClsPlayer::shotDamage = IntArray::newArray(9);
        ClsPlayer::shotCount = IntArray::newArray(9);
        ClsPlayer::shotDir = IntArray::newArray(9);
        player->addItem(ClsPlayer::GOB_SET, ClsPlayer::ANIM_SET, 0, kShipX, kShipY);
        player->ClsPlane::addElement(0, kShipX, kShipY);
        (*player->inactive)[0] = false;
        player->setState(ClsPlayer::STATE_PLAYING);
        ClsPlayer::unitDistance = kShipWidth;
        ClsPlayer::pickupRangeFactor = 1;
        setWeapon(0, 1);
        enemies = TargetEnemies::newInstance()->init(10);
        MainGame::enemies = enemies;
        boss = TargetBoss::newInstance();
        boss->init(VMPtr<scene::mainGame::weapon::ClsBcreator>(), 1, 10);
        MainGame::stage = 0;
        MainGame::boss1 = boss;
        MainGame::playActive = true;
        MainGame::bossDefeated = false;
        MainGame::money = 0;
    }
    void TearDown() override
    {
        enemies = nullptr;
        boss = nullptr;
        MainGame::enemies = nullptr;
        MainGame::boss1 = nullptr;
        ClsPlayer::shotDamage = nullptr;
        ClsPlayer::shotCount = nullptr;
        ClsPlayer::shotDir = nullptr;
        WeaponFixture::TearDown();
    }

    // The weapon item and level selected, the ship's damage and count from
    // the table.
    static void setWeapon(int32_t kind, int32_t level)
    {
        ClsPlayer::weaponKind = kind;
        ClsPlayer::weaponLevel = level;
        (*ClsPlayer::shotDamage)[0] = stat(kind, level, 0);
        (*ClsPlayer::shotCount)[0] = stat(kind, level, 2);
    }
    // Column c of the weapon table for the item and level.
    static int32_t stat(int32_t kind, int32_t level, int32_t c)
    {
        return (*global::GameGlobals::weaponStats->get(kind)->get(level - 1))[c];
    }
    // Moves element i of a plane, and its picture, to (x, y).
    static void place(VMPtr<ClsPlane> plane, int32_t i, int32_t x, int32_t y)
    {
        (*plane->x)[i] = x;
        (*plane->y)[i] = y;
        plane->setItemPosition(i, x, y);
    }
    // An enemy part at (x, y); the manager counts it alive.
    int32_t addEnemy(int32_t x, int32_t y)
    {
        enemies->alive += 1;
        return addPart(enemies, x, y);
    }
    // One frame of a bullet list as the play scene walks it: last first.
    static void step(VMPtr<tq::util::ArrayList> list)
    {
        for (int32_t i = list->size() - 1; i >= 0; i--)
            vm_cast<ClsBullet>(list->get(i))->update(int64_t(ui::MyObject::frameTime), i);
    }
    // The colour at (x, y) of the image.
    static int32_t colourAt(VMPtr<javax::microedition::lcdui::Image> image, int32_t x, int32_t y)
    {
        VMPtr<IntArray> rgb = IntArray::newArray(1);
        image->getRGB(rgb, 0, 1, x, y, 1, 1);
        return (*rgb)[0] & 0xFFFFFF;
    }
    // A bullet put into a list.
    template<class B>
    static VMPtr<B> into(VMPtr<tq::util::ArrayList> list, VMPtr<B> bullet)
    {
        list->add(bullet);
        return bullet;
    }

    VMStatic<TargetEnemies> enemies;
    VMStatic<TargetBoss> boss;
};

} // namespace weapontest
