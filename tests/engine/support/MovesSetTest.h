#pragma once
// Base of the animation tests: the set MOVES written by the pack builder
// from engine/data/anim/moves.anim, read back with the two Gobs it places
// (Gob 0: 4 x 4 red, hot spot at its centre; Gob 1: 2 x 3 green, hot spot
// at its top-left), and a white picture to paint into.

#include "AnimTestIds.h"
#include "engine/support/PackFolderTest.h"
#include "tq/AnimSet.h"
#include "tq/Resources.h"

class MovesSetTest : public PackFolderTest {
protected:
    using IntArray = VMArray<int32_t, 1>;
    using Image = javax::microedition::lcdui::Image;

    static constexpr uint32_t RED = 0xFFF80000u;
    static constexpr uint32_t GREEN = 0xFF00FC00u;
    static constexpr uint32_t WHITE = 0xFFF8FCF8u;
    // Animations of MOVES, as the builder numbered them in the header, and
    // its frames in the source's order.
    static constexpr int WALK = animtest::MOVES_WALK, GLIDE = animtest::MOVES_GLIDE,
                         EVENTS = animtest::MOVES_EVENTS, SNAP = animtest::MOVES_SNAP,
                         IDLE = animtest::MOVES_IDLE, LAPS = animtest::MOVES_LAPS,
                         STILL = animtest::MOVES_STILL;
    enum { FAR, PAIR, EMPTY };

    void SetUp() override
    {
        PackFolderTest::SetUp();
        copyPack(VX_ANIM_PACK);
    }
    void TearDown() override { tq::Resources::closePack(); }

    static VMPtr<tq::Gob> solid(int w, int h, uint32_t argb, int xOffset, int yOffset)
    {
        VMPtr<IntArray> pixels = IntArray::newArray(w * h);
        for (int i = 0; i < w * h; i++)
            (*pixels)[i] = int32_t(argb);
        VMPtr<tq::Gob> gob = tq::Gob::create(pixels, w, h, false);
        gob->xOffset = int16_t(xOffset);
        gob->yOffset = int16_t(yOffset);
        return gob;
    }
    static VMPtr<tq::AnimSet> moves()
    {
        VMPtr<tq::AnimSet> set = tq::Resources::loadAnimSet(animtest::MOVES);
        VMPtr<VMArray<tq::Gob, 1>> gobs = VMArray<tq::Gob, 1>::newArray(2);
        gobs->set(0, solid(4, 4, RED, -2, -2));
        gobs->set(1, solid(2, 3, GREEN, 0, 0));
        set->setGobs(gobs);
        return set;
    }
    static VMPtr<Image> picture(int w, int h) { return Image::createImage(w, h, false, int32_t(0xFFFFFFFFu)); }
    static uint32_t at(const VMPtr<Image>& image, int x, int y)
    {
        VMPtr<IntArray> rgb = IntArray::newArray(1);
        image->getRGB(rgb, 0, 1, x, y, 1, 1);
        return uint32_t((*rgb)[0]);
    }
    static std::vector<int32_t> ints(const VMPtr<IntArray>& a, int32_t n)
    {
        return std::vector<int32_t>(a->elements(), a->elements() + n);
    }
};
