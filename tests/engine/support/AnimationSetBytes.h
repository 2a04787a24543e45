#pragma once
// The animation-set stream of the canvas's animation store, written from
// readable tables, for the store's and the canvas's tests.

#include <vector>

#include "engine/support/EngineBytes.h"

namespace vxtest::anim {

struct Key {
    int frame, x, y, kind, duration, interpolation;
};
struct Animation {
    int loops;
    std::vector<Key> keys;
};
struct Part {
    int gob, x, y, transform;
};
struct Box {
    int x, y, w, h, type;
};
struct Frame {
    std::vector<Part> parts;
    std::vector<Box> boxes;
};
struct Set {
    std::vector<Animation> animations;
    std::vector<Frame> frames;
    std::vector<int> durations;
};

inline void varU(Bytes& b, int v)
{
    if (v < 255) {
        b.push_back(uint8_t(v));
        return;
    }
    b.insert(b.end(), {255, uint8_t(v >> 8), uint8_t(v)});
}

inline void varS(Bytes& b, int v)
{
    if (v > -128 && v < 128) {
        b.push_back(uint8_t(v));
        return;
    }
    b.insert(b.end(), {0x80, uint8_t(v >> 8), uint8_t(v)});
}

// The stream the canvas's loader reads.
inline Bytes encode(const Set& s)
{
    Bytes b{0, 0, uint8_t(s.animations.size())};
    std::vector<Key> keys;
    for (const Animation& a : s.animations) {
        varU(b, int(a.keys.size()));
        keys.insert(keys.end(), a.keys.begin(), a.keys.end());
    }
    for (const Animation& a : s.animations)
        varS(b, a.loops);
    for (const Key& k : keys)
        varU(b, (k.kind << 6 | k.duration) | k.interpolation << 8);
    for (const Key& k : keys)
        varU(b, k.frame);
    for (const Key& k : keys)
        varS(b, k.x);
    for (const Key& k : keys)
        varS(b, k.y);
    b.insert(b.end(), {0, uint8_t(s.frames.size())});
    std::vector<Part> parts;
    std::vector<Box> boxes;
    for (const Frame& f : s.frames) {
        varU(b, int(f.parts.size()));
        parts.insert(parts.end(), f.parts.begin(), f.parts.end());
        boxes.insert(boxes.end(), f.boxes.begin(), f.boxes.end());
    }
    for (size_t p = 0; p < parts.size(); p += 4) {
        int packed = 0;
        for (size_t j = 0; j < 4; j++)
            packed |= (p + j < parts.size() ? parts[p + j].transform : 0) << (6 - 2 * j);
        varU(b, packed);
    }
    for (const Part& p : parts)
        varU(b, p.gob);
    for (const Part& p : parts)
        varS(b, p.x);
    for (const Part& p : parts)
        varS(b, p.y);
    for (const Frame& f : s.frames)
        varU(b, int(f.boxes.size()));
    for (const Box& x : boxes)
        varS(b, x.x);
    for (const Box& x : boxes)
        varS(b, x.y);
    for (const Box& x : boxes)
        varU(b, x.w);
    for (const Box& x : boxes)
        varU(b, x.h);
    for (const Box& x : boxes)
        varU(b, x.type);
    b.insert(b.end(), {0, uint8_t(s.durations.size())});
    for (int d : s.durations)
        varU(b, d);
    return b;
}

} // namespace vxtest::anim
