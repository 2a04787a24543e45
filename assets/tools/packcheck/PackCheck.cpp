#include "PackCheck.h"

#include <cstdio>
#include <map>
#include <set>

#include "java/lang/String.h"
#include "java/lang/Throwable.h"
#include "javax/microedition/lcdui/Image.h"
#include "tq/AnimSet.h"
#include "tq/Gob.h"
#include "tq/Resources.h"
#include "tq/ResourcesExt.h"
#include "tq/util/text/RichFont.h"
#include "tq/util/text/Translation.h"
#include "vm/VMCString.h"
#include "vm/VMUtf8.h"

namespace packcheck {

namespace {

using tq::Resources;
using tq::util::text::RichFont;
using tq::util::text::Translation;
using ByteArray = VMArray<int8_t, 1>;
using IntArray = VMArray<int32_t, 1>;

std::string idText(int32_t id)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%03X (%d)", unsigned(id), int(id));
    return text;
}

std::string charText(char16_t c)
{
    char text[32];
    if (c >= 0x20 && c < 0x7F)
        std::snprintf(text, sizeof text, "'%c' (%d)", char(c), int(c));
    else
        std::snprintf(text, sizeof text, "U+%04X", unsigned(c));
    return text;
}

const char* opText(Condition::Op op)
{
    return op == Condition::AT_LEAST ? ">= " : op == Condition::AT_MOST ? "<= " : "";
}

// Checks a count against its condition; a failure message or "".
std::string compare(const std::string& what, int64_t actual, const Condition& condition)
{
    int64_t expected = parseValue(condition.value, 0, INT32_MAX, condition.key);
    bool ok = condition.op == Condition::AT_LEAST  ? actual >= expected
              : condition.op == Condition::AT_MOST ? actual <= expected
                                                   : actual == expected;
    if (ok)
        return "";
    return what + " is " + std::to_string(actual) + ", expected " + opText(condition.op) +
           condition.value;
}

struct Checker {
    const Expectation& e;
    std::vector<std::string> failures;

    void fail(const std::string& what)
    {
        if (!what.empty())
            failures.push_back(e.where + e.kind + " " + idText(e.id) + ": " + what);
    }

    // The glyphs of a font resource as RichFont takes them, or null.
    static VMPtr<RichFont> loadFont(int32_t id)
    {
        VMPtr<tq::Gob::GobArray> glyphs = tq::ResourcesExt::loadGobs(id);
        if (!glyphs)
            return nullptr;
        VMPtr<RichFont> font = RichFont::newInstance()->initSystemFont();
        font->setGlyphs(glyphs);
        return font;
    }

    void gobSet()
    {
        VMPtr<tq::Gob::GobArray> gobs = tq::ResourcesExt::loadGobs(e.id);
        if (!gobs)
            return fail("does not load as a Gob set");
        for (const Condition& c : e.conditions) {
            if (c.key == "gobs") {
                fail(compare("the Gob count", gobs->length, c));
            } else if (c.at >= gobs->length) {
                fail("has no Gob " + std::to_string(c.at) + " (it holds " + std::to_string(gobs->length) + ")");
            } else {
                fail(compare("the box count of Gob " + std::to_string(c.at),
                             gobs->get(c.at)->getCollisionBoxCount(), c));
            }
        }
    }

    void animSet()
    {
        VMPtr<tq::AnimSet> set = Resources::loadAnimSet(e.id);
        if (!set)
            return fail("does not load as an animation set");
        int32_t frames = set->getFrameCount();
        int32_t animations = set->getAnimationCount();
        for (const Condition& c : e.conditions) {
            if (c.key == "animations") {
                fail(compare("the animation count", animations, c));
            } else if (c.key == "frames") {
                fail(compare("the frame count", frames, c));
            } else if (c.key == "gobs") {
                placements(*set, frames, int32_t(parseValue(c.value, 0, 0xFFFF, c.key)));
            } else if (c.key == "boxes" || c.key == "boxids" || c.key == "placed") {
                if (c.at >= frames)
                    fail("has no frame " + std::to_string(c.at) + " (it holds " + std::to_string(frames) + ")");
                else if (c.key == "boxes")
                    fail(compare("the box count of frame " + std::to_string(c.at),
                                 set->getCollisionBoxCount(c.at), c));
                else if (c.key == "placed")
                    fail(compare("the placement count of frame " + std::to_string(c.at),
                                 set->getPlacementCount(c.at), c));
                else
                    boxIds(*set, c.at, parseList(c.value, c.key), "");
            } else if (c.at >= animations) {
                fail("has no animation " + std::to_string(c.at) + " (it holds " + std::to_string(animations) + ")");
            } else if (c.key == "steps") {
                fail(compare("the step count of animation " + std::to_string(c.at), set->getStepCount(c.at), c));
            } else if (c.key == "ends" || c.key == "last") {
                ending(*set, c);
            } else {
                animationBoxIds(*set, c.at, parseList(c.value, c.key));
            }
        }
    }

    // Every listed id has a box in the frame.
    void boxIds(tq::AnimSet& set, int32_t frame, const std::vector<int32_t>& ids, const std::string& shownBy)
    {
        int32_t n = set.getCollisionBoxCount(frame);
        VMPtr<IntArray> out = IntArray::newArray(5 * n);
        set.getCollisionRects(frame, 0, out);
        std::set<int32_t> present;
        for (int32_t b = 0; b < n; b++)
            present.insert((*out)[5 * b + 4]);
        std::string has;
        for (int32_t id : present)
            has += (has.empty() ? "" : ", ") + std::to_string(id);
        for (int32_t id : ids) {
            if (!present.count(id))
                fail(shownBy + "frame " + std::to_string(frame) + " has no box " + std::to_string(id) +
                     " (its boxes: " + (has.empty() ? "none" : has) + ")");
        }
    }

    // ends@A=1: the animation plays a number of times and stops (0: it runs
    // for ever); last@A=F: its last step shows frame F.
    void ending(tq::AnimSet& set, const Condition& c)
    {
        int32_t entry = (*set.animations)[c.at];
        std::string animation = "animation " + std::to_string(c.at);
        if (c.key == "ends") {
            bool ends = tq::AnimSet::signedField(entry, 10, 6) >= 0;
            if (ends != (c.value != "0"))
                fail(animation + (ends ? " ends, expected it to run for ever" : " runs for ever, expected it to end"));
            return;
        }
        int32_t steps = set.getStepCount(c.at);
        int32_t last = steps == 0 ? -1 : int32_t(uint32_t(set.stepEntry((uint32_t(entry) >> 16) + steps - 1)) >> 22);
        if (last != int32_t(parseValue(c.value, 0, 0xFFFF, c.key)))
            fail(animation + " ends on frame " + std::to_string(last) + ", expected " + c.value);
    }

    // Every listed id has a box in each frame the animation shows.
    void animationBoxIds(tq::AnimSet& set, int32_t animation, const std::vector<int32_t>& ids)
    {
        int32_t first = int32_t(uint32_t((*set.animations)[animation]) >> 16);
        std::set<int32_t> seen;
        for (int32_t k = 0; k < set.getStepCount(animation); k++) {
            int32_t frame = int32_t(uint32_t(set.stepEntry(first + k)) >> 22);
            if (seen.insert(frame).second)
                boxIds(set, frame, ids,
                       "animation " + std::to_string(animation) + " step " + std::to_string(k) + ": ");
        }
    }

    // Every placement of every frame names a Gob of the set it is drawn with.
    void placements(tq::AnimSet& set, int32_t frames, int32_t gobSetId)
    {
        VMPtr<tq::Gob::GobArray> gobs = tq::ResourcesExt::loadGobs(gobSetId);
        if (!gobs)
            return fail("its Gob set " + idText(gobSetId) + " does not load");
        for (int32_t frame = 0; frame < frames; frame++) {
            int32_t n = set.getPlacementCount(frame);
            VMPtr<IntArray> out = IntArray::newArray(4 * n);
            set.getPlacements(frame, 0, out);
            for (int32_t i = 0; i < n; i++) {
                int32_t gob = (*out)[4 * i];
                if (gob < 0 || gob >= gobs->length)
                    fail("frame " + std::to_string(frame) + " places Gob " + std::to_string(gob) +
                         ", but Gob set " + idText(gobSetId) + " holds " + std::to_string(gobs->length));
            }
        }
    }

    void texts()
    {
        VMPtr<Translation> table = Resources::loadTranslation(e.id);
        if (!table)
            return fail("does not load as a text table");
        for (const Condition& c : e.conditions) {
            if (c.key == "ids") {
                for (int32_t id : parseList(c.value, c.key)) {
                    if (id >= table->count)
                        fail("has no text " + std::to_string(id) + " (it holds " + std::to_string(table->count) + ")");
                    else if (table->getLength(id) == 0)
                        fail("text " + std::to_string(id) + " is empty");
                }
                continue;
            }
            int32_t fontId = int32_t(parseValue(c.value, 0, 0xFFFF, c.key));
            VMPtr<RichFont> font = loadFont(fontId);
            if (!font) {
                fail("font " + idText(fontId) + " does not load");
                continue;
            }
            std::set<char16_t> reported;
            for (int32_t id = 0; id < table->count; id++) {
                VMPtr<java::lang::String> text = table->getString(id);
                for (int32_t i = 0; i < text->length(); i++) {
                    char16_t ch = text->charAt(i);
                    if (ch >= 0x20 && !font->getGlyph(ch) && reported.insert(ch).second)
                        fail("text " + std::to_string(id) + " has " + charText(ch) + ", which font " +
                             idText(fontId) + " lacks");
                }
            }
        }
    }

    void font()
    {
        VMPtr<RichFont> font = loadFont(e.id);
        if (!font)
            return fail("does not load as a Gob set");
        for (const Condition& c : e.conditions) {
            if (c.key == "chars") {
                for (int32_t ch : parseList(c.value, c.key)) {
                    if (!font->getGlyph(char16_t(ch)))
                        fail("no glyph for " + charText(char16_t(ch)));
                }
            } else if (c.key == "height") {
                fail(compare("the height", font->getHeight(), c));
            } else {
                fail(compare("the line height", font->getLineHeight(), c));
            }
        }
    }

    void sound()
    {
        int32_t type = Resources::getEntryByte(e.id);
        VMPtr<ByteArray> bytes = Resources::getResourceBytes(e.id);
        std::string head(reinterpret_cast<const char*>(bytes->elements()),
                         size_t(std::min<int32_t>(bytes->length, 14)));
        bool midi = type == 0 && head.compare(0, 4, "MThd") == 0;
        bool wav = type == 1 && head.size() >= 12 && head.compare(0, 4, "RIFF") == 0 &&
                   head.compare(8, 4, "WAVE") == 0;
        std::string wanted = "midi or wav";
        for (const Condition& c : e.conditions)
            wanted = c.value;
        if ((wanted == "midi" && !midi) || (wanted == "wav" && !wav) || (!midi && !wav))
            fail("is not a " + (wanted == "midi" ? std::string("MIDI file (type 0, MThd)")
                                : wanted == "wav" ? std::string("WAVE file (type 1, RIFF WAVE)")
                                                  : std::string("MIDI or WAVE sound")) +
                 ": type " + std::to_string(type));
        else if (midi)
            midiHeader(head);
    }

    // The player takes one track timed in ticks per quarter note.
    void midiHeader(const std::string& head)
    {
        if (head.size() < 14)
            return fail("its MIDI header is cut short");
        auto word = [&](size_t at) { return int32_t(uint8_t(head[at])) << 8 | uint8_t(head[at + 1]); };
        if (word(10) != 1)
            fail("is a MIDI file of " + std::to_string(word(10)) + " tracks; the player plays 1");
        if (word(12) > 32767)
            fail("its MIDI division is " + std::to_string(word(12)) +
                 ", a time code; the player takes ticks per quarter note up to 32767");
    }

    void picture()
    {
        VMPtr<javax::microedition::lcdui::Image> image = Resources::loadImage(e.id);
        if (!image)
            return fail("does not load as a picture");
        for (const Condition& c : e.conditions)
            fail(compare("the " + c.key, c.key == "width" ? image->getWidth() : image->getHeight(), c));
    }

    void run()
    {
        try {
            int32_t length = Resources::getEntryInt(e.id);
            if (length == 0)
                return fail("missing: the entry is empty");
            if (e.kind == "gobset")
                gobSet();
            else if (e.kind == "animset")
                animSet();
            else if (e.kind == "texts")
                texts();
            else if (e.kind == "font")
                font();
            else if (e.kind == "sound")
                sound();
            else
                picture();
        } catch (java::lang::Throwable* caught) {
            fail("missing or unreadable: " + messageOf(caught));
        }
        Resources::closePack();
    }
};

} // namespace

std::vector<std::string> checkNames(const std::vector<packbuilder::Manifest>& manifests)
{
    std::vector<std::string> failures;
    std::map<std::pair<std::string, std::string>, std::string> first; // (namespace, name) -> where
    for (const packbuilder::Manifest& manifest : manifests) {
        for (const packbuilder::ManifestPart& part : manifest.parts) {
            for (const packbuilder::ManifestEntry& entry : part.entries) {
                if (entry.isEmpty())
                    continue;
                std::string where = manifest.file.filename().string() + ":" + std::to_string(entry.line);
                auto [known, added] = first.try_emplace({manifest.identifierNamespace, entry.name}, where);
                if (!added)
                    failures.push_back(where + ": " + entry.name + " is also in " + known->second +
                                       " (namespace " + manifest.identifierNamespace + ")");
            }
        }
    }
    return failures;
}

std::string messageOf(java::lang::Throwable* caught)
{
    VMPtr<java::lang::Throwable> e(caught);
    VMPtr<java::lang::String> message = e->getMessage();
    if (!message)
        return "an exception without a message";
    VMCString bytes;
    _VM_stringToCString(message, &bytes);
    return bytes.text() ? bytes.text() : "";
}

std::vector<std::string> check(const Expectation& expectation)
{
    Checker checker{expectation, {}};
    checker.run();
    return checker.failures;
}

} // namespace packcheck
