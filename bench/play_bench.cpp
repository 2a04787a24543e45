// The heaviest frame of a stage: every one of the 50 enemy slots busy (heavy
// enemies holding their line and firing), a crowded enemy-bullet list of
// shots and money pick-ups, the ship's laser with a swarm of homing
// missiles, and all 30 explosions playing. Each frame is the play scene's
// update and its paint into a 240 x 320 picture, headless, 40 ms frames
// from a seeded random source. Between frames, untimed, the field is topped
// up again (outside the timing). The counters give the update and paint times and their shares
// of the frame; the goal is 0.4 ms a frame.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchFolder.h"
#include "IdleGame.h"
#include "InVM.h"
#include "Ratios.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "javax/microedition/lcdui/Image.h"
#include "main/Game.h"
#include "main/Main.h"
#include "scene/SceneManager.h"
#include "scene/mainGame/MainGame.h"
#include "scene/menu/StageSelectMenu.h"
#include "tq/Resources.h"
#include "tq/io/resource/ResourcePack.h"
#include "tq/util/FastRandom.h"
#include "tq/util/text/RichFont.h"
#include "ui/Pointer.h"
#include "ui/ResManager.h"
#include "vm/VMHeap.h"

namespace {

using scene::mainGame::ClsEnemy;
using scene::mainGame::ClsPlayer;
using scene::mainGame::MainGame;

constexpr int32_t kFrameTime = 40;
// The texts of the pause panel, at an identifier of a part the play pack
// leaves free.
constexpr int32_t kTextsId = (3 << 10) | 0;
// What the field is topped up to before each frame.
constexpr int32_t kEnemyBullets = 240;
constexpr int32_t kHomingMissiles = 40;
// The heavy enemy: descends to its line and fires from there.
constexpr int32_t kHeavyKind = 2;
constexpr int32_t kLaserWeapon = 3;

// The play test pack (built by CMake from the tests' play data), the fonts
// and a text table, in the benchmarks' folder. The play pack's part 1 takes
// the place of the pack benchmark's, which runs before.
void installPacks()
{
    buildBenchFonts();
    const vxtest::AppFolder& app = benchFolder();
    for (const auto& file : std::filesystem::directory_iterator(VX_PLAY_PACK)) {
        std::ifstream in(file.path(), std::ios::binary);
        app.write("rsc/" + file.path().filename().string(),
                  std::string(std::istreambuf_iterator<char>(in), {}));
    }
    std::string texts;
    for (int32_t i = 0; i < 20; i++)
        texts += "Text " + std::to_string(i) + "\n";
    app.write("play/texts.txt", texts);
    buildBenchPack("playtexts.manifest", "part 3 chunked\nentry TEXTS texts play/texts.txt\n");
}

// The hub's statics as the game sets them, on an idle canvas at 40 ms.
void bootHub()
{
    VMPtr<bench::IdleMIDlet> midlet = bench::IdleMIDlet::newInstance()->init();
    VMPtr<bench::IdleCanvas> canvas = bench::IdleCanvas::newInstance()->init(midlet);
    canvas->setFrameTimeBoundA(kFrameTime);
    canvas->setFrameTimeBoundB(kFrameTime);
    canvas->resetFrameTiming();
    main::Main::canvas = canvas;
    main::Main::instance = main::Main::newInstance();
    tq::io::resource::ResourcePack::currentPart = -1;
    main::Main::font = tq::util::text::RichFont::newInstance()->initSystemFont();
    main::Main::texts = tq::Resources::loadTranslation(kTextsId);
    tq::Resources::closePack();
    main::Main::resManager = ui::ResManager::newInstance()->init();
    VMPtr<scene::SceneManager> manager = scene::SceneManager::newInstance();
    manager->canvas = canvas;
    manager->currentId = scene::SceneManager::MAIN_GAME;
    scene::SceneManager::instance = manager;
    scene::SceneManager::pointer = ui::Pointer::newInstance()->init();
    main::Main::random = tq::util::FastRandom::newInstance()->init(int64_t(7));
    main::Main::game = main::Game::newInstance()->init();
}

// Stage 1 at level 4 with the laser, entered and playing.
VMPtr<MainGame> startStage()
{
    main::Game::selectedItemA = kLaserWeapon;
    (*main::Game::itemLevelsA)[kLaserWeapon] = 3;
    (*main::Game::stageDifficulty)[0] = 4;
    scene::menu::StageSelectMenu::selectedStage = 0;
    VMPtr<MainGame> play = MainGame::newInstance()->init();
    scene::SceneManager::currentScene = VMPtr<ui::Scene>(play);
    play->setEntering(true);
    for (int32_t i = 0; i < 20 && play->entering; i++)
        play->update();
    MainGame::player->setState(ClsPlayer::STATE_PLAYING);
    return play;
}

bool isBusy(VMPtr<ClsEnemy> enemies, int32_t i)
{
    return enemies->getItemFrame(i) != ClsEnemy::FREE_FRAME || (*enemies->hp)[i] >= 1;
}

// Back to the heaviest field: every slot busy, the lists full, every
// explosion playing, the ship untouchable in the middle of its laser.
void topUp(MainGame& play)
{
    VMPtr<ClsPlayer> player = MainGame::player;
    player->setState(ClsPlayer::STATE_PLAYING);
    player->setInvulnerable(0, true);
    (*player->x)[0] = 120;
    (*player->y)[0] = 280;

    VMPtr<ClsEnemy> enemies = MainGame::enemies;
    // Each one leads its own group, so it stands where it is spawned.
    for (int32_t i = 0; i < ClsEnemy::SLOTS; i++) {
        if (!isBusy(enemies, i)) {
            int32_t x = 8 + (i % 25) * 9;
            enemies->pushPoint(x, ClsEnemy::HOLD_Y, 0);
            enemies->spawn(x, i < 25 ? -10 : -40, kHeavyKind);
        }
    }

    VMPtr<scene::mainGame::weapon::ClsBcreator> shots = play.enemyFactory;
    for (int32_t k = 0; MainGame::enemyBullets->size() < kEnemyBullets; k++) {
        int32_t x = 20 + (k * 37) % 200;
        if (k % 4 == 3)
            shots->dropMoneyRing(8, x, 120, scene::mainGame::weapon::ClsBcreator::ENEMY_SPEED);
        else
            shots->fireRing(24, x, 100 + (k * 23) % 120, scene::mainGame::weapon::ClsBcreator::ENEMY_SPEED);
    }

    VMPtr<scene::mainGame::weapon::ClsBcreator> guns = play.playerFactory;
    if (MainGame::playerBullets->size() == 0)
        guns->fireLaser(0, 0);
    for (int32_t k = 0; MainGame::playerBullets->size() < kHomingMissiles + 1; k++)
        guns->fireHomingSpread(k % 6, 120, 280, 0);

    VMPtr<scene::mainGame::weapon::ClsExplo> explosions = MainGame::explosions;
    for (int32_t i = 0; i < scene::mainGame::weapon::ClsExplo::POOL_SIZE; i++)
        explosions->explode(1, 20 + i * 7, 60 + (i % 5) * 40);
}

using Clock = std::chrono::steady_clock;

// The play scene on the heaviest field, painting into a headless screen.
struct HeaviestField {
    HeaviestField()
    {
        static bool installed = (installPacks(), true);
        (void)installed;
        bootHub();
        play = startStage();
        screen = javax::microedition::lcdui::Image::createImage(240, 320, false, 0);
        g = screen->getGraphics();
    }
    ~HeaviestField()
    {
        scene::SceneManager::currentScene = nullptr;
        scene::SceneManager::instance = nullptr;
        scene::SceneManager::pointer = nullptr;
        main::Main::instance = nullptr;
        main::Main::canvas = nullptr;
        main::Main::game = nullptr;
        main::Main::random = nullptr;
    }
    void paint()
    {
        g->setClip(0, 0, 240, 320);
        play->paint(g);
    }

    VMPtr<MainGame> play;
    VMPtr<javax::microedition::lcdui::Image> screen;
    VMPtr<javax::microedition::lcdui::Graphics> g;
};

void BM_PlayHeaviestFrame(benchmark::State& state)
{
    InVM vm;
    HeaviestField field;
    double updateSeconds = 0;
    double paintSeconds = 0;
    int64_t enemyBullets = 0;
    int64_t playerBullets = 0;
    int64_t busySlots = 0;
    for (auto _ : state) {
        state.PauseTiming();
        topUp(*field.play);
        enemyBullets += MainGame::enemyBullets->size();
        playerBullets += MainGame::playerBullets->size();
        for (int32_t i = 0; i < ClsEnemy::SLOTS; i++)
            busySlots += isBusy(MainGame::enemies, i) ? 1 : 0;
        state.ResumeTiming();
        Clock::time_point start = Clock::now();
        field.play->update();
        Clock::time_point updated = Clock::now();
        field.paint();
        Clock::time_point painted = Clock::now();
        updateSeconds += std::chrono::duration<double>(updated - start).count();
        paintSeconds += std::chrono::duration<double>(painted - updated).count();
    }
    double frames = double(state.iterations());
    double total = updateSeconds + paintSeconds;
    state.counters["update_us"] = updateSeconds * 1e6 / frames;
    state.counters["paint_us"] = paintSeconds * 1e6 / frames;
    state.counters["update_share"] = total > 0 ? updateSeconds / total : 0;
    state.counters["paint_share"] = total > 0 ? paintSeconds / total : 0;
    state.counters["enemy_bullets"] = double(enemyBullets) / frames;
    state.counters["player_bullets"] = double(playerBullets) / frames;
    state.counters["enemy_slots"] = double(busySlots) / frames;
}
BENCHMARK(BM_PlayHeaviestFrame)->Unit(benchmark::kMicrosecond);

// Resident kilobytes of this process.
double residentKB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6));
    }
    return 0;
}

// The memory soak: 15 minutes of play at 40 ms a frame on the heaviest field
// (collections and all), resident memory read after a warm-up minute and at
// the end. It should stay flat.
void BM_PlaySoak(benchmark::State& state)
{
    constexpr int32_t kWarmUp = 60 * 1000 / kFrameTime;
    constexpr int32_t kFrames = 15 * 60 * 1000 / kFrameTime;
    InVM vm;
    HeaviestField field;
    double start = 0;
    double end = 0;
    for (auto _ : state) {
        for (int32_t i = 0; i < kWarmUp + kFrames; i++) {
            if (i == kWarmUp)
                start = residentKB();
            topUp(*field.play);
            field.play->update();
            field.paint();
        }
        end = residentKB();
    }
    state.counters["rss_start_kB"] = start;
    state.counters["rss_end_kB"] = end;
    state.counters["rss_growth_kB"] = end - start;
    state.counters["vm_heap_kB"] = _VM_getHeapState().used / 1024.0;
}
BENCHMARK(BM_PlaySoak)->Iterations(1)->Unit(benchmark::kSecond);

// The yardstick: a plain loop writing every pixel of a 240 x 320 picture
// once, with the colour of its neighbour, as a frame's least paint.
void BM_PlayFramePlainFill(benchmark::State& state)
{
    std::vector<uint32_t> pixels(240 * 320, 0xFF000000u);
    for (auto _ : state) {
        for (size_t i = 1; i < pixels.size(); i++)
            pixels[i] = pixels[i - 1] + 1;
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_PlayFramePlainFill)->Unit(benchmark::kMicrosecond);

const vxbench::Ratio frameRatio("heaviest play frame vs a plain screen fill", "BM_PlayHeaviestFrame",
                                "BM_PlayFramePlainFill", 400, true);

} // namespace
