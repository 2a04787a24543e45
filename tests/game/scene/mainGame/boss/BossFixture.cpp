#include "BossFixture.h"

#include "PlayTestIds.h"
#include "main/Game.h"
#include "tq/util/ArrayList.h"
#include "tq/util/FastRandom.h"
#include "ui/ResManager.h"

namespace bosstest {

using scene::mainGame::MainGame;
using scene::mainGame::boss::ClsBoss;

void RecordingFactory::fireDirectional(int32_t dir, int32_t spreadDeg, int32_t x, int32_t y,
                                       int32_t count, bool jitter, bool aimAtPlayer)
{
    log.push_back("directional " + std::to_string(dir) + " " + std::to_string(spreadDeg) + " " +
                  std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(count) +
                  (jitter ? " jitter" : "") + (aimAtPlayer ? " aimed" : ""));
}

void RecordingFactory::fireAtPlayer(int32_t x, int32_t y)
{
    log.push_back("atPlayer " + std::to_string(x) + " " + std::to_string(y));
}

void RecordingFactory::fireRingDefault(int32_t count, int32_t x, int32_t y)
{
    log.push_back("ring " + std::to_string(count) + " " + std::to_string(x) + " " +
                  std::to_string(y));
}

void RecordingFactory::fireAimedDefault(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    log.push_back("away " + std::to_string(x1) + " " + std::to_string(y1) + " " +
                  std::to_string(x2) + " " + std::to_string(y2));
}

void RecordingFactory::fireEightWay(int32_t dir, int32_t x, int32_t y)
{
    log.push_back("eightWay " + std::to_string(dir) + " " + std::to_string(x) + " " +
                  std::to_string(y));
}

void RecordingFactory::fireAtPoint(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    log.push_back("atPoint " + std::to_string(x1) + " " + std::to_string(y1) + " " +
                  std::to_string(x2) + " " + std::to_string(y2));
}

void RecordingFactory::dropMoneySlow(int32_t count, int32_t x, int32_t y)
{
    log.push_back("money " + std::to_string(count) + " " + std::to_string(x) + " " +
                  std::to_string(y));
}

namespace {

std::string line(const char* op, std::initializer_list<int32_t> args)
{
    std::string s = op;
    for (int32_t a : args)
        s += " " + std::to_string(a);
    return s;
}

} // namespace

void RecordingFactory::firePlayerShot(int32_t dir, int32_t part)
{
    log.push_back(line("shot", {dir, part}));
}

void RecordingFactory::fireFlameSpread(int32_t dir, int32_t x, int32_t y, int32_t part)
{
    log.push_back(line("flame", {dir, x, y, part}));
}

void RecordingFactory::fireHomingSpread(int32_t dir, int32_t x, int32_t y, int32_t part)
{
    log.push_back(line("homing", {dir, x, y, part}));
}

void RecordingFactory::fireLaser(int32_t dir, int32_t part)
{
    log.push_back(line("laser", {dir, part}));
}

void RecordingFactory::fireBombs(int32_t dir, int32_t x, int32_t y, int32_t part)
{
    log.push_back(line("bombs", {dir, x, y, part}));
}

std::vector<std::string> RecordingFactory::calls(const std::string& prefix) const
{
    std::vector<std::string> found;
    for (const std::string& line : log) {
        if (line.rfind(prefix, 0) == 0)
            found.push_back(line);
    }
    return found;
}

int32_t RecordingFactory::coins() const
{
    int32_t n = 0;
    for (const std::string& line : calls("money "))
        n += std::stoi(line.substr(6));
    return n;
}

void BossFixture::SetUp()
{
    SceneFixture::SetUp();
    for (const auto& file : std::filesystem::directory_iterator(VX_PLAY_PACK)) {
        std::ifstream in(file.path(), std::ios::binary);
        folder->write("rsc/" + file.path().filename().string(),
                      std::string(std::istreambuf_iterator<char>(in), {}));
    }
    main::Main::random = tq::util::FastRandom::newInstance()->init(int64_t(11));
    main::Main::game = main::Game::newInstance()->init();
    MainGame::player = scene::mainGame::ClsPlayer::newInstance()->init();
    MainGame::player->allocItems(1);
    MainGame::enemyBullets = tq::util::ArrayList::newInstance()->init();
    MainGame::playerX = 120;
    MainGame::playerY = 280;
    MainGame::bossDefeated = false;
    ui::MyObject::frameTime = FRAME_MS;
    factory = RecordingFactory::newInstance();
    factory->init();
    clock = vxtest::FakeScene::newInstance()->init(9);
    scene::SceneManager::currentScene = VMPtr<ui::Scene>(clock.get());
}

void BossFixture::TearDown()
{
    factory = nullptr;
    scene::SceneManager::currentScene = nullptr;
    clock = nullptr;
    MainGame::player = nullptr;
    MainGame::enemyBullets = nullptr;
    main::Main::game = nullptr;
    main::Main::random = nullptr;
    SceneFixture::TearDown();
}

void BossFixture::useSparseSet(int32_t gobs, int32_t anims)
{
    ui::ResManager::load(gobs, playtest::ANIMS_6_40_SPARSE);
    VMPtr<tq::AnimSet> sparse = ui::ResManager::animSets->get(ui::ResManager::getLastAnimSetSlot());
    ui::ResManager::load(gobs, anims);
    ui::ResManager::animSets->set(ui::ResManager::getLastAnimSetSlot(), sparse);
}

void BossFixture::frame(ClsBoss* boss)
{
    ui::MyObject::frameTime = FRAME_MS;
    clock->elapsedFrameTime += FRAME_MS;
    VMPtr<ClsBoss> keep(boss);
    keep->update();
}

bool BossFixture::fight(ClsBoss* boss)
{
    for (int32_t i = 0; i < 400 && boss->state != 1; i++)
        frame(boss);
    return boss->state == 1;
}

void BossFixture::hit(ClsBoss* boss, int32_t i, int32_t damage)
{
    VMPtr<ClsBoss> keep(boss);
    if (keep->isInactive(i) || keep->isInvulnerable(i))
        return;
    keep->damage(i, damage);
    keep->onPartHit(i);
}

void BossFixture::destroy(ClsBoss* boss, int32_t i)
{
    for (int32_t n = 0; n < 1000 && boss->getHp(i) > 0 && !boss->isInactive(i) &&
                        !boss->isInvulnerable(i);
         n++)
        hit(boss, i, 100);
}

int32_t BossFixture::beat(ClsBoss* boss, int32_t damage, int32_t maxFrames)
{
    for (int32_t f = 0; f < maxFrames; f++) {
        if (MainGame::bossDefeated)
            return f;
        for (int32_t i = 0; i < boss->nextItem; i++) {
            if ((*boss->getItemBox(i, 0))[2] > 0)
                hit(boss, i, damage);
        }
        frame(boss);
    }
    return MainGame::bossDefeated ? maxFrames : -1;
}

} // namespace bosstest

VM_REGISTER_CLASS(bosstest::RecordingFactory, "tests.mainGame.boss.RecordingFactory",
                  "scene.mainGame.weapon.ClsBcreator", "tests_mainGame_boss_RecordingFactory",
                  nullptr);
