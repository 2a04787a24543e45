#include "game/scene/mainGame/PlayHarness.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "global/GameGlobals.h"
#include "main/Game.h"
#include "tq/input/PointerInputEventManager.h"
#include "tq/input/PointerInputKeyManager.h"
#include "tq/util/FastRandom.h"

using scene::mainGame::ClsPlane;
using scene::mainGame::MainGame;

namespace playtest {

namespace {

// FNV-1a, 64 bits, fed whole 32-bit values (little end first).
class Fnv {
public:
    void add(int64_t v)
    {
        for (int32_t b = 0; b < 8; b++) {
            hash ^= uint64_t(v >> (8 * b)) & 0xFF;
            hash *= 0x100000001B3ull;
        }
    }
    // The length first, so that null, empty and shifted arrays differ.
    template <typename T>
    void add(VMArray<T, 1>* a)
    {
        if (a == nullptr) {
            add(int64_t(-1));
            return;
        }
        add(int64_t(a->length));
        for (int32_t i = 0; i < a->length; i++)
            add(int64_t((*a)[i]));
    }
    void add(VMPtr<ClsPlane> p)
    {
        if (p == nullptr) {
            add(int64_t(-1));
            return;
        }
        add(int64_t(p->nextItem));
        add(int64_t(p->state));
        add(int64_t(p->isStopped()));
        for (VMArray<int32_t, 1>* a :
             {p->x.get(), p->y.get(), p->vx.get(), p->vy.get(), p->prevX.get(), p->prevY.get(),
              p->speed.get(), p->hp.get(), p->kind.get(), p->elementFrame.get(),
              p->timerElapsed.get(), p->shotClock.get(), p->shotInterval.get(), p->targetX.get(),
              p->targetY.get(), p->distance.get(), p->spare.get()})
            add(a);
        for (VMArray<bool, 1>* a :
             {p->inactive.get(), p->invulnerable.get(), p->timerActive.get()})
            add(a);
    }
    void add(VMPtr<tq::util::ArrayList> list)
    {
        if (list == nullptr) {
            add(int64_t(-1));
            return;
        }
        add(int64_t(list->size()));
        for (int32_t i = 0; i < list->size(); i++) {
            VMPtr<scene::mainGame::weapon::ClsBullet> b =
                vm_cast<scene::mainGame::weapon::ClsBullet>(list->get(i));
            for (int64_t v : {int64_t(b->x), int64_t(b->y), int64_t(b->vx), int64_t(b->vy),
                              int64_t(b->stepPerMs), int64_t(b->dead), int64_t(b->pickup),
                              int64_t(b->damage)})
                add(v);
        }
    }

    uint64_t hash = 0xCBF29CE484222325ull;
};

} // namespace

void holdKey(Script& script, int32_t key, int32_t from, int32_t length)
{
    script.push_back({from, InputEvent::KEY_DOWN, key});
    script.push_back({from + length, InputEvent::KEY_UP, key});
}

void sweepLeftRight(Script& script, int32_t from, int32_t length, int32_t sweeps)
{
    for (int32_t s = 0; s < sweeps; s++) {
        holdKey(script, kRightKey, from + 2 * s * length, length);
        holdKey(script, kLeftKey, from + (2 * s + 1) * length, length);
    }
}

uint64_t playStateHash(const MainGame& play)
{
    Fnv h;
    for (int64_t v : {int64_t(MainGame::money), int64_t(MainGame::bossDefeated),
                      int64_t(MainGame::bossStarted), int64_t(MainGame::playActive),
                      int64_t(MainGame::playerX), int64_t(MainGame::playerY),
                      int64_t(MainGame::difficulty), int64_t(MainGame::stage),
                      int64_t(play.frozen), int64_t(play.paused), int64_t(play.bannerShown)})
        h.add(v);

    VMPtr<scene::mainGame::ClsPlayer> player = MainGame::player;
    h.add(VMPtr<ClsPlane>(player));
    if (player != nullptr) {
        for (int64_t v : {int64_t(player->lives), int64_t(player->gameOver),
                          int64_t(player->direction), int64_t(player->fireReady),
                          int64_t(player->invulnerableSince)})
            h.add(v);
        h.add(player->unitKind.get());
        h.add(player->respawnTime.get());
    }

    VMPtr<scene::mainGame::ClsEnemy> enemies = MainGame::enemies;
    h.add(VMPtr<ClsPlane>(enemies));
    if (enemies != nullptr) {
        h.add(int64_t(enemies->alive));
        h.add(int64_t(enemies->waveAlive));
        h.add(enemies->link.get());
        h.add(enemies->dropCount.get());
        h.add(enemies->leaderFlags.get());
        h.add(enemies->counted.get());
        h.add(enemies->canFire.get());
    }
    VMPtr<scene::mainGame::boss::ClsBoss> boss = MainGame::bossOf(MainGame::stage);
    h.add(VMPtr<ClsPlane>(boss));
    if (boss != nullptr) {
        for (int64_t v : {int64_t(boss->bossHp), int64_t(boss->maxHp), int64_t(boss->phase),
                          int64_t(boss->activeParts), int64_t(boss->partsLeft)})
            h.add(v);
    }

    h.add(MainGame::playerBullets);
    h.add(MainGame::enemyBullets);

    // The scenery and the explosions: where each item stands and shows.
    VMPtr<scene::mainGame::weapon::ClsExplo> explosions = MainGame::explosions;
    if (explosions != nullptr) {
        h.add(int64_t(explosions->nextItem));
        h.add(explosions->frame.get());
        if (explosions->itemPos != nullptr) {
            for (int32_t i = 0; i < explosions->itemPos->length; i++)
                h.add(explosions->itemPos->get(i).get());
        }
    }
    VMPtr<scene::mainGame::theme::ClsBgItem> theme = play.themeItem;
    if (theme != nullptr) {
        h.add(theme->itemX.get());
        h.add(theme->itemY.get());
    }
    VMPtr<scene::mainGame::ClsBgSpace> space = play.space;
    if (space != nullptr && space->stars != nullptr) {
        for (int32_t i = 0; i < space->stars->length; i++) {
            VMPtr<scene::mainGame::StructStar> star = space->stars->get(i);
            h.add(int64_t(star->x));
            h.add(int64_t(star->y));
        }
    }

    VMPtr<scene::mainGame::ClsEnemyControl> spawner = play.enemyControl;
    if (spawner != nullptr) {
        for (int64_t v : {int64_t(spawner->wave), int64_t(spawner->waveSpawned),
                          int64_t(spawner->clock), int64_t(spawner->clockStart),
                          int64_t(spawner->clockRunning), int64_t(spawner->delay)})
            h.add(v);
    }
    VMPtr<tq::util::FastRandom> random = main::Main::random;
    h.add(random != nullptr ? random->state : int64_t(-1));
    return h.hash;
}

int32_t firstDivergentFrame(const std::vector<uint64_t>& recorded,
                            const std::vector<uint64_t>& flown, int32_t every)
{
    size_t n = std::min(recorded.size(), flown.size());
    for (size_t i = 0; i < n; i++) {
        if (recorded[i] != flown[i])
            return int32_t(i + 1) * every;
    }
    if (recorded.size() != flown.size())
        return int32_t(n + 1) * every;
    return -1;
}

std::string hashListSource(const std::vector<uint64_t>& hashes)
{
    std::ostringstream out;
    out << std::hex;
    for (size_t i = 0; i < hashes.size(); i++)
        out << "0x" << hashes[i] << "ull," << ((i + 1) % 3 == 0 ? "\n" : " ");
    return out.str();
}

void PlayFixture::SetUp()
{
    SceneFixture::SetUp();
    for (const auto& file : std::filesystem::directory_iterator(VX_PLAY_PACK)) {
        std::ifstream in(file.path(), std::ios::binary);
        folder->write("rsc/" + file.path().filename().string(),
                      std::string(std::istreambuf_iterator<char>(in), {}));
    }
    main::Main::random = tq::util::FastRandom::newInstance()->init(kSeed);
    main::Main::game = main::Game::newInstance()->init();
    // The hub's constant tables (the spawn points), as the game's hub makes them.
    global::GameGlobals::newInstance()->init();
    // Both bounds pinned: every frame lasts exactly kFrameTime.
    canvas->setFrameTimeBoundA(kFrameTime);
    canvas->setFrameTimeBoundB(kFrameTime);
    canvas->resetFrameTiming();
    // The play objects' frame time is only set once a scene has entered:
    // the entry frames of the first stage in a process would see 0.
    ui::MyObject::frameTime = kFrameTime;
    canvas->startPointerInput();
    screen = javax::microedition::lcdui::Image::createImage(240, 320, false, 0);
    frameNumber = 0;
    painting = false;
}

void PlayFixture::TearDown()
{
    play = nullptr;
    stepped = nullptr;
    screen = nullptr;
    tq::input::PointerInputKeyManager::resetAll();
    tq::input::PointerInputKeyManager::removeRegions(0);
    tq::input::PointerInputEventManager::setEnabled(false);
    main::Main::game = nullptr;
    main::Main::random = nullptr;
    SceneFixture::TearDown();
}

MainGame* PlayFixture::startStage(int32_t s, int32_t level, Loadout loadout)
{
    main::Game::money = 0;
    for (int32_t k = 0; k < main::Game::STAGES; k++)
        (*main::Game::stageDifficulty)[k] = k == s ? level : 1;
    for (int32_t k = 0; k < main::Game::itemLevelsA->length; k++)
        (*main::Game::itemLevelsA)[k] = 0;
    for (int32_t k = 0; k < main::Game::itemLevelsB->length; k++)
        (*main::Game::itemLevelsB)[k] = 0;
    main::Game::selectedItemA = loadout.weapon;
    (*main::Game::itemLevelsA)[loadout.weapon] = loadout.weaponLevel;
    main::Game::selectedItemB = loadout.support;
    (*main::Game::itemLevelsB)[loadout.support] = loadout.supportLevel;
    MainGame::selectedStage = s;
    main::Main::random->setSeed(kSeed);
    play = MainGame::newInstance()->init();
    EXPECT_TRUE(show(VMPtr<ui::Scene>(play.get())));
    return play.get();
}

bool PlayFixture::show(VMPtr<ui::Scene> scene)
{
    stepped = scene;
    scene::SceneManager::currentScene = scene;
    scene->setEntering(true);
    frameNumber = 0;
    return enter(scene.get());
}

void PlayFixture::apply(const InputEvent& e)
{
    int32_t x = e.x + canvas->getViewportOffsetX();
    int32_t y = e.y + canvas->getViewportOffsetY();
    switch (e.kind) {
    case InputEvent::KEY_DOWN: canvas->pressKey(e.key); break;
    case InputEvent::KEY_UP: canvas->releaseKey(e.key); break;
    case InputEvent::TOUCH_DOWN: canvas->pointerPressed(x, y); break;
    case InputEvent::TOUCH_MOVE: canvas->pointerDragged(x, y); break;
    case InputEvent::TOUCH_UP: canvas->pointerReleased(x, y); break;
    }
}

void PlayFixture::step(const Script& script)
{
    for (const InputEvent& e : script) {
        if (e.frame == frameNumber)
            apply(e);
    }
    frame(stepped.get());
    if (painting)
        stepped->paint(VMPtr<javax::microedition::lcdui::Image>(screen)->getGraphics());
    frameNumber++;
}

int32_t PlayFixture::fly(const Script& script, int32_t limit, const std::function<bool()>& done,
                         std::vector<uint64_t>* hashes, int32_t every)
{
    int32_t flown = 0;
    while (flown < limit && !done()) {
        step(script);
        flown++;
        if (hashes != nullptr && frameNumber % every == 0)
            hashes->push_back(playStateHash(*play));
    }
    return flown;
}

} // namespace playtest
