// Animation sets: frames that place Gobs of a Gob set and carry collision
// boxes, and animations that show frames step by step.
//
//   entry HERO_ANIMS animset hero.anim
//
// The source holds frames and animations, one item a line, each item's
// lines after its heading (numbers decimal or 0x hex, # to the end of the
// line is a comment):
//
//   frame STAND                     # frames are numbered in order
//   place gob=0 x=-8 y=-16 mirror=x # Gob index; offset -512..511; mirror x, y or xy
//   box x=-6 y=-14 w=12 h=14 id=1   # -1024..1023, 0..1023, id 0..31; round=1 a circle
//   animation WALK loops=-1         # loops -32..31 (negative: for ever), default 1
//   step frame=STAND time=100 x=2 y=0 glide=1 event=0
//
// A step shows a frame (its name, or its number) for `time` (0..65535, at
// most 64 different times in a set) at a motion offset (-512..511); glide
// 0..3 makes the offset glide towards the next step's; event 0..3 is the
// step's event level. Animation WALK of entry HERO_ANIMS becomes the header
// constant HERO_ANIMS_WALK, its index in the set.

#include <algorithm>
#include <map>
#include <sstream>

#include "EntryType.h"

namespace packbuilder {

namespace {

struct Placement {
    int32_t gob = 0, x = 0, y = 0, mirror = 0;
};

struct Box {
    int32_t x = 0, y = 0, w = 0, h = 0, id = 0;
    bool round = false;
};

struct AnimFrame {
    std::string name;
    std::vector<Placement> placements;
    std::vector<Box> boxes;
};

struct Step {
    std::string frame;
    std::string where;
    int32_t time = 0, x = 0, y = 0, glide = 0, event = 0;
};

struct Animation {
    std::string name;
    int32_t loops = 1;
    std::vector<Step> steps;
};

// One line's words after its keyword: an optional name and key=value pairs.
class Words {
public:
    Words(std::istringstream& in, std::string where) : where_(std::move(where))
    {
        std::string word;
        while (in >> word) {
            size_t eq = word.find('=');
            if (eq == std::string::npos) {
                if (!name_.empty() || !values_.empty())
                    throw BuildError(where_ + "unexpected word " + word);
                name_ = word;
            } else {
                values_[word.substr(0, eq)] = word.substr(eq + 1);
            }
        }
    }

    const std::string& where() const { return where_; }

    std::string name(bool required) const
    {
        if (required && name_.empty())
            throw BuildError(where_ + "a name is needed");
        if (!required && !name_.empty())
            throw BuildError(where_ + "unexpected word " + name_);
        return name_;
    }

    // The key's text, taken (each key once).
    std::string text(const std::string& key)
    {
        auto it = values_.find(key);
        if (it == values_.end())
            return "";
        std::string value = it->second;
        values_.erase(it);
        return value;
    }

    int32_t number(const std::string& key, int32_t low, int32_t high, int32_t fallback)
    {
        std::string value = text(key);
        if (value.empty())
            return fallback;
        return int32_t(parseNumber(value, low, high, where_ + key));
    }

    // Every key must have been taken.
    void finish() const
    {
        if (!values_.empty())
            throw BuildError(where_ + "unknown value " + values_.begin()->first);
    }

private:
    std::string where_;
    std::string name_;
    std::map<std::string, std::string> values_;
};

struct Source {
    std::vector<AnimFrame> frames;
    std::vector<Animation> animations;
};

Source readSource(EntryContext& entry)
{
    Source source;
    enum { NONE, FRAME, ANIMATION } current = NONE;
    for (const SourceLine& line : entry.readSourceLines()) {
        const std::string& where = line.where;
        std::istringstream lineWords(line.text);
        std::string keyword;
        if (!(lineWords >> keyword))
            continue;
        Words words(lineWords, where);
        if (keyword == "frame") {
            source.frames.push_back({words.name(true), {}, {}});
            current = FRAME;
        } else if (keyword == "animation") {
            std::string name = words.name(true);
            source.animations.push_back({name, words.number("loops", -32, 31, 1), {}});
            current = ANIMATION;
        } else if (keyword == "place" && current == FRAME) {
            words.name(false);
            Placement p;
            p.gob = words.number("gob", 0, 1023, -1);
            if (p.gob < 0)
                throw BuildError(where + "a placement needs gob=<index>");
            p.x = words.number("x", -512, 511, 0);
            p.y = words.number("y", -512, 511, 0);
            std::string mirror = words.text("mirror");
            if (mirror == "x")
                p.mirror = 2;
            else if (mirror == "y")
                p.mirror = 1;
            else if (mirror == "xy")
                p.mirror = 3;
            else if (!mirror.empty())
                throw BuildError(where + "mirror is x, y or xy: " + mirror);
            source.frames.back().placements.push_back(p);
        } else if (keyword == "box" && current == FRAME) {
            words.name(false);
            Box b;
            b.x = words.number("x", -1024, 1023, 0);
            b.y = words.number("y", -1024, 1023, 0);
            b.w = words.number("w", 0, 1023, 0);
            b.h = words.number("h", 0, 1023, 0);
            b.id = words.number("id", 0, 31, 0);
            b.round = words.number("round", 0, 1, 0) == 1;
            source.frames.back().boxes.push_back(b);
        } else if (keyword == "step" && current == ANIMATION) {
            words.name(false);
            Step s;
            s.where = where;
            s.frame = words.text("frame");
            if (s.frame.empty())
                throw BuildError(where + "a step needs frame=<name or number>");
            s.time = words.number("time", 0, 65535, 0);
            s.x = words.number("x", -512, 511, 0);
            s.y = words.number("y", -512, 511, 0);
            s.glide = words.number("glide", 0, 3, 0);
            s.event = words.number("event", 0, 3, 0);
            source.animations.back().steps.push_back(s);
        } else {
            throw BuildError(where + "unexpected " + keyword +
                             (current == NONE ? " before the first frame or animation" : ""));
        }
        words.finish();
    }
    return source;
}

// The compact forms the reader takes: one byte, or an escape and 16 bits.
void putUnsigned(std::vector<uint8_t>& out, int32_t v)
{
    if (v < 255) {
        out.push_back(uint8_t(v));
    } else {
        out.push_back(255);
        out.push_back(uint8_t(v >> 8));
        out.push_back(uint8_t(v));
    }
}

void putSigned(std::vector<uint8_t>& out, int32_t v)
{
    if (v > -128 && v < 128) {
        out.push_back(uint8_t(v));
    } else {
        out.push_back(0x80);
        out.push_back(uint8_t(v >> 8));
        out.push_back(uint8_t(v));
    }
}

void putCount(std::vector<uint8_t>& out, size_t n, const char* what)
{
    if (n > 65535)
        throw BuildError(std::string("more than 65535 ") + what);
    out.push_back(uint8_t(n >> 8));
    out.push_back(uint8_t(n));
}

std::vector<uint8_t> encodeAnimSet(EntryContext& entry)
{
    Source source = readSource(entry);
    std::map<std::string, size_t> frameIndex;
    for (size_t f = 0; f < source.frames.size(); f++) {
        const AnimFrame& frame = source.frames[f];
        if (!frameIndex.emplace(frame.name, f).second)
            throw BuildError("a second frame " + frame.name);
        if (frame.placements.size() > 255 || frame.boxes.size() > 255)
            throw BuildError("frame " + frame.name + " has more than 255 placements or boxes");
    }
    std::vector<const Step*> steps;
    std::vector<int32_t> stepFrames;
    std::vector<int32_t> times;
    for (const Animation& animation : source.animations) {
        if (animation.steps.size() > 1023)
            throw BuildError("animation " + animation.name + " has more than 1023 steps");
        for (const Step& step : animation.steps) {
            int32_t frame = -1;
            if (auto it = frameIndex.find(step.frame); it != frameIndex.end()) {
                frame = int32_t(it->second);
            } else if (step.frame.size() <= 4 &&
                       std::all_of(step.frame.begin(), step.frame.end(),
                                   [](char c) { return c >= '0' && c <= '9'; })) {
                frame = std::stoi(step.frame);
            }
            if (frame < 0 || frame >= int32_t(source.frames.size()) || frame > 1023)
                throw BuildError(step.where + "no frame " + step.frame);
            steps.push_back(&step);
            stepFrames.push_back(frame);
            if (std::find(times.begin(), times.end(), step.time) == times.end())
                times.push_back(step.time);
        }
    }
    if (times.size() > 64)
        throw BuildError("more than 64 different step times");

    std::vector<uint8_t> out;
    out.push_back(0);
    putCount(out, source.animations.size(), "animations");
    for (const Animation& animation : source.animations)
        putUnsigned(out, int32_t(animation.steps.size()));
    for (const Animation& animation : source.animations)
        putSigned(out, animation.loops);
    if (steps.size() > 65535)
        throw BuildError("more than 65535 steps");
    for (const Step* step : steps) {
        int32_t slot = int32_t(std::find(times.begin(), times.end(), step->time) - times.begin());
        putUnsigned(out, step->glide << 8 | step->event << 6 | slot);
    }
    for (int32_t frame : stepFrames)
        putUnsigned(out, frame);
    for (const Step* step : steps)
        putSigned(out, step->x);
    for (const Step* step : steps)
        putSigned(out, step->y);

    putCount(out, source.frames.size(), "frames");
    std::vector<Placement> placements;
    std::vector<Box> boxes;
    for (const AnimFrame& frame : source.frames) {
        putUnsigned(out, int32_t(frame.placements.size()));
        placements.insert(placements.end(), frame.placements.begin(), frame.placements.end());
        boxes.insert(boxes.end(), frame.boxes.begin(), frame.boxes.end());
    }
    if (placements.size() > 65535 || boxes.size() > 65535)
        throw BuildError("more than 65535 placements or boxes");
    // Mirror bits, four placements a value, the first in the top bits.
    for (size_t p = 0; p < placements.size(); p += 4) {
        int32_t bits = 0;
        for (size_t i = 0; i < 4; i++)
            bits |= (p + i < placements.size() ? placements[p + i].mirror : 0) << (6 - 2 * i);
        putUnsigned(out, bits);
    }
    for (const Placement& p : placements)
        putUnsigned(out, p.gob);
    for (const Placement& p : placements)
        putSigned(out, p.x);
    for (const Placement& p : placements)
        putSigned(out, p.y);

    for (const AnimFrame& frame : source.frames)
        putUnsigned(out, int32_t(frame.boxes.size()));
    for (const Box& b : boxes)
        putSigned(out, b.x);
    for (const Box& b : boxes)
        putSigned(out, b.y);
    for (const Box& b : boxes)
        putUnsigned(out, b.w);
    for (const Box& b : boxes)
        putUnsigned(out, b.h);
    for (const Box& b : boxes)
        putUnsigned(out, (b.round ? 32 : 0) | b.id);

    putCount(out, times.size(), "times");
    for (int32_t time : times)
        putUnsigned(out, time);

    for (size_t a = 0; a < source.animations.size(); a++)
        entry.addConstant(entry.name + "_" + source.animations[a].name, int32_t(a));
    return out;
}

EntryTypeRegistrar animset("animset", -1, &encodeAnimSet);

} // namespace

} // namespace packbuilder
