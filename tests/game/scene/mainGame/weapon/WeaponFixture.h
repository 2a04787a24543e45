#pragma once
// Bullets, the bullet factory and the explosions on the play test pack: the
// play scene's bullet lists and player, a seeded random source, a steady
// frame time, and target planes whose parts are the pack's 8 x 8 pictures
// (part rectangle (x - 4, y - 4, 8, 8) around the part's point).

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/SceneFixture.h"
#include "main/Game.h"
#include "scene/mainGame/ClsPlane.h"
#include "scene/mainGame/MainGame.h"
#include "tq/util/ArrayList.h"
#include "tq/util/FastRandom.h"
#include "ui/MyObject.h"

namespace weapontest {

// A plane that writes down the parts its hit reaction is called for.
class TargetPlane : public scene::mainGame::ClsPlane {
    VM_CLASS(TargetPlane, scene::mainGame::ClsPlane)

    void onPartHit(int32_t i) override { hits.push_back(i); }

    std::vector<int32_t> hits;
};

class WeaponFixture : public scenetest::SceneFixture {
protected:
    using ClsPlane = scene::mainGame::ClsPlane;
    using MainGame = scene::mainGame::MainGame;
    using Points = std::vector<std::pair<int32_t, int32_t>>;

    // Resources of a part's picture: a frame item with one box of kind 0.
    static constexpr int32_t kPartGobs = 5123;
    static constexpr int32_t kPartAnims = 5120;
    static constexpr int32_t kFrameTime = 50;
    static constexpr int32_t kPartHp = 100;

    void SetUp() override
    {
        SceneFixture::SetUp();
        copyPack(VX_PLAY_PACK);
        main::Main::random = tq::util::FastRandom::newInstance()->init(int64_t(7));
        main::Main::game = main::Game::newInstance()->init();
        MainGame::playerBullets = tq::util::ArrayList::newInstance()->init();
        MainGame::enemyBullets = tq::util::ArrayList::newInstance()->init();
        MainGame::player = scene::mainGame::ClsPlayer::newInstance()->init();
        MainGame::player->allocItems(9);
        ui::MyObject::frameTime = kFrameTime;
    }
    void TearDown() override
    {
        MainGame::playerBullets = nullptr;
        MainGame::enemyBullets = nullptr;
        MainGame::player = nullptr;
        main::Main::game = nullptr;
        main::Main::random = nullptr;
        SceneFixture::TearDown();
    }

    // Adds an active part of kPartHp hit points at (x, y) to a plane; its
    // index.
    static int32_t addPart(VMPtr<ClsPlane> plane, int32_t x, int32_t y)
    {
        plane->addItem(kPartGobs, kPartAnims, 0, x, y);
        // The player's ship adds its support units after it.
        int32_t i = plane->getNextItem() - 1;
        plane->addElement(0, x, y);
        (*plane->inactive)[i] = false;
        plane->setHp(i, kPartHp);
        return i;
    }
    // A target plane with one part at each point.
    static VMPtr<TargetPlane> targets(const Points& points)
    {
        VMPtr<TargetPlane> plane = TargetPlane::newInstance();
        plane->init(VMPtr<scene::mainGame::weapon::ClsBcreator>());
        plane->allocItems(int32_t(points.size()));
        for (const auto& [x, y] : points)
            addPart(plane, x, y);
        return plane;
    }
    // The hit points of every part.
    static std::vector<int32_t> hps(VMPtr<ClsPlane> plane)
    {
        std::vector<int32_t> values;
        for (int32_t i = 0; i < plane->getNextItem(); i++)
            values.push_back(plane->getHp(i));
        return values;
    }
};

} // namespace weapontest
