// Drawables into a 240 x 320 picture, as one game frame draws them: 500
// Gobs under mixed transforms (opaque, colour-keyed and translucent ones),
// and 200 animation players each updated by a 33 ms frame and painted. The
// animation set is written by the pack builder's animset type and read from
// an in-memory pack. Each iteration is one frame; the goal is under 1 ms.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "EntryType.h"
#include "InVM.h"
#include "java/io/ByteArrayInputStream.h"
#include "java/io/DataInputStream.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "javax/microedition/lcdui/Image.h"
#include "tq/AnimPlayer.h"
#include "tq/Resources.h"

namespace {

using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;
using IntArray = VMArray<int32_t, 1>;
using ByteArray = VMArray<int8_t, 1>;
using GobArray = VMArray<tq::Gob, 1>;

constexpr int kWidth = 240;
constexpr int kHeight = 320;
constexpr int kGobs = 500;
constexpr int kPlayers = 200;

// Eight 16 x 16 Gobs, hot spot at the centre: every third opaque, then
// with colour-keyed holes, then translucent.
VMPtr<GobArray> makeGobs()
{
    VMPtr<GobArray> gobs = GobArray::newArray(8);
    for (int i = 0; i < 8; i++) {
        VMPtr<IntArray> pixels = IntArray::newArray(256);
        for (int p = 0; p < 256; p++) {
            uint32_t alpha = i % 3 == 0 ? 0xFF : i % 3 == 1 ? ((p / 16 + p) % 5 ? 0xFF : 0) : uint32_t(p);
            (*pixels)[p] = int32_t(alpha << 24 | uint32_t(i * 0x203040 + p * 0x10101));
        }
        VMPtr<tq::Gob> gob = tq::Gob::create(pixels, 16, 16, i % 3 != 0);
        gob->xOffset = -8;
        gob->yOffset = -8;
        gobs->set(i, gob);
    }
    return gobs;
}

// Four animations of four steps over eight frames of two or three Gobs.
std::string animSource()
{
    std::string text;
    for (int f = 0; f < 8; f++) {
        text += "frame F" + std::to_string(f) + "\n";
        text += "place gob=" + std::to_string(f) + "\n";
        text += "place gob=" + std::to_string((f + 3) % 8) + " x=6 y=-4 mirror=x\n";
        if (f % 2)
            text += "place gob=" + std::to_string((f + 5) % 8) + " y=6\n";
        text += "box x=-8 y=-8 w=16 h=16 id=" + std::to_string(f % 4) + "\n";
    }
    for (int a = 0; a < 4; a++) {
        text += "animation A" + std::to_string(a) + " loops=-1\n";
        for (int s = 0; s < 4; s++) {
            text += "step frame=F" + std::to_string((a * 2 + s) % 8) + " time=" +
                    std::to_string(40 + 30 * s) + " x=" + std::to_string(s * 3) +
                    (s == 1 ? " glide=1" : "") + (s == 3 ? " event=2" : "") + "\n";
        }
    }
    return text;
}

// The set, encoded by the pack builder and loaded as entry 0 of part 0.
VMPtr<tq::AnimSet> loadSet()
{
    std::filesystem::path source = std::filesystem::temp_directory_path() / "vx_anim_bench.anim";
    std::ofstream(source) << animSource();
    std::vector<std::filesystem::path> inputs;
    std::map<std::string, int32_t> identifiers{{"SET", 0}};
    std::vector<packbuilder::HeaderConstant> constants;
    packbuilder::EntryContext entry{"SET", source, {}, &inputs, 0, &identifiers, &constants};
    std::vector<uint8_t> bytes = packbuilder::findEntryType("animset")->encode(entry);
    std::filesystem::remove(source);

    VMPtr<ByteArray> data = ByteArray::newArray(int32_t(bytes.size()));
    for (size_t i = 0; i < bytes.size(); i++)
        (*data)[int32_t(i)] = int8_t(bytes[i]);
    VMPtr<VMArray<int8_t, 2>> entries = VMArray<int8_t, 2>::newArray(1);
    entries->set(0, data);
    VMPtr<ByteArray> types = ByteArray::newArray(1);
    (*types)[0] = -1;
    tq::Resources::openPack(java::io::DataInputStream::newInstance()->init(
        java::io::ByteArrayInputStream::newInstance()->init(tq::Resources::buildPack(entries, types))));
    VMPtr<tq::AnimSet> set = tq::Resources::loadAnimSet(0);
    tq::Resources::closePack();
    return set;
}

struct Scene {
    VMPtr<Image> screen = Image::createImage(kWidth, kHeight, false, 0);
    VMPtr<Graphics> g = screen->getGraphics();
    VMPtr<GobArray> gobs = makeGobs();
    VMPtr<VMArray<tq::AnimPlayer, 1>> players = VMArray<tq::AnimPlayer, 1>::newArray(kPlayers);
    std::vector<int32_t> gobX, gobY;

    Scene()
    {
        std::mt19937 random(11);
        for (int i = 0; i < kGobs; i++) {
            gobX.push_back(int32_t(random() % kWidth));
            gobY.push_back(int32_t(random() % kHeight));
        }
        VMPtr<tq::AnimSet> set = loadSet();
        set->setGobs(gobs);
        for (int i = 0; i < kPlayers; i++) {
            VMPtr<tq::AnimPlayer> p = tq::AnimPlayer::create()->init();
            p->setAnimSet(set);
            p->setAnimation(i % 4);
            p->setTransform(i % 8);
            p->setPosX(int32_t(random() % kWidth));
            p->setPosY(int32_t(random() % kHeight));
            players->set(i, p);
        }
    }

    void paintGobs()
    {
        for (int i = 0; i < kGobs; i++)
            gobs->get(i % 8)->paint(g, gobX[size_t(i)], gobY[size_t(i)], i % 8);
    }
    // One 33 ms frame of every player; a player walking off one edge comes
    // back at the other, so that every frame paints as much.
    void playPlayers()
    {
        for (int i = 0; i < kPlayers; i++) {
            VMPtr<tq::AnimPlayer> p = players->get(i);
            p->update(33);
            p->setPosX((p->getPosX() % kWidth + kWidth) % kWidth);
            p->setPosY((p->getPosY() % kHeight + kHeight) % kHeight);
            p->paint(g);
        }
    }
};

void BM_PaintGobs(benchmark::State& state)
{
    InVM vm;
    Scene scene;
    for (auto _ : state) {
        scene.paintGobs();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kGobs);
}
BENCHMARK(BM_PaintGobs)->Unit(benchmark::kMicrosecond);

void BM_UpdateAndPaintPlayers(benchmark::State& state)
{
    InVM vm;
    Scene scene;
    for (auto _ : state) {
        scene.playPlayers();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kPlayers);
}
BENCHMARK(BM_UpdateAndPaintPlayers)->Unit(benchmark::kMicrosecond);

// The whole frame: the figure the goal is about.
void BM_AnimFrame(benchmark::State& state)
{
    InVM vm;
    Scene scene;
    for (auto _ : state) {
        scene.paintGobs();
        scene.playPlayers();
    }
}
BENCHMARK(BM_AnimFrame)->Unit(benchmark::kMicrosecond);

} // namespace
