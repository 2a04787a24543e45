// Gob sets: the Gobs cut from one picture of the same part.
//
//   entry SHIPS gobset ships.gobs image=SHIP_SHEET
//
// The source lists one Gob per line, its rectangle in the picture and any of
// the optional values (0 when left out):
//
//   # x y w h: the pixels; ox oy: the image's top-left from the hot spot;
//   # cx cy cw ch: the collision area inside the image; round=1 a circle;
//   # transparency=0..3 the transparency class (written only when used)
//   gob x=0 y=0 w=16 h=16 ox=-8 oy=-8 cx=2 cy=2 cw=12 ch=12
//
// Fields whose values are all 0 are left out by group, and every field is
// one byte wide when all its values fit in one, else two.

#include <array>
#include <fstream>
#include <sstream>

#include "EntryType.h"
#include "GobSetWriter.h"

namespace packbuilder {

namespace {

constexpr int FIELDS = GOB_FIELDS;
constexpr int GROUP_OF_FIELD[FIELDS] = {0, 0, 1, 1, 1, 1, 2, 2, 2, 2};
constexpr bool SIGNED_FIELD[FIELDS] = {true, true, false, false, false, false, true, true, false, false};
constexpr int MAX_GOBS = 4095;
constexpr int MAX_LENGTH = 32767;

using GobLine = GobRecord;

std::vector<GobLine> readGobs(EntryContext& entry)
{
    std::vector<GobLine> gobs;
    for (const SourceLine& line : entry.readSourceLines()) {
        const std::string& where = line.where;
        std::istringstream words(line.text);
        std::string word;
        if (!(words >> word))
            continue;
        if (word != "gob")
            throw BuildError(where + "expected a gob line");
        GobLine gob;
        int32_t cw = 0;
        bool round = false;
        while (words >> word) {
            size_t eq = word.find('=');
            std::string key = word.substr(0, eq);
            std::string value = eq == std::string::npos ? "" : word.substr(eq + 1);
            static const char* const keys[FIELDS] = {"ox", "oy", "x", "y", "w", "h", "cx", "cy", "cw", "ch"};
            int field = -1;
            for (int f = 0; f < FIELDS; f++) {
                if (key == keys[f])
                    field = f;
            }
            if (field == 8) {
                cw = int32_t(parseNumber(value, 0, 32767, where + key));
            } else if (field >= 0) {
                bool isSigned = SIGNED_FIELD[field];
                gob.record[size_t(field)] =
                    int32_t(parseNumber(value, isSigned ? -32768 : 0, 32767, where + key));
            } else if (key == "round") {
                round = parseNumber(value, 0, 1, where + key) == 1;
            } else if (key == "transparency") {
                gob.transparency = int32_t(parseNumber(value, 0, 3, where + key));
            } else {
                throw BuildError(where + "unknown value " + key);
            }
        }
        gob.record[8] = (round ? 0x8000 : 0) | cw;
        gobs.push_back(gob);
    }
    return gobs;
}

void put16(std::vector<uint8_t>& out, int32_t v)
{
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

std::vector<uint8_t> encodeGobSet(EntryContext& entry)
{
    int32_t imageId = gobSetImage(entry);
    return writeGobSet(imageId, readGobs(entry));
}

EntryTypeRegistrar gobset("gobset", -1, &encodeGobSet);

} // namespace

int32_t gobSetImage(EntryContext& entry)
{
    std::string imageName = entry.option("image");
    if (imageName.empty())
        throw BuildError("a Gob set needs image=<picture entry>");
    int32_t imageId = entry.identifier(imageName);
    if (imageId >> 10 != entry.id >> 10)
        throw BuildError("the picture " + imageName + " is not in the Gob set's part");
    return imageId;
}

std::vector<uint8_t> writeGobSet(int32_t imageId, const std::vector<GobRecord>& gobs)
{
    if (gobs.size() > size_t(MAX_GOBS))
        throw BuildError("more than 4095 Gobs in one set");
    size_t n = gobs.size();

    bool groupPresent[3] = {false, false, false};
    int width[FIELDS];
    for (int f = 0; f < FIELDS; f++) {
        bool narrow = true;
        for (const GobLine& gob : gobs) {
            int32_t v = gob.record[size_t(f)];
            if (v != 0)
                groupPresent[GROUP_OF_FIELD[f]] = true;
            narrow = narrow && (SIGNED_FIELD[f] ? v >= -128 && v <= 127 : v >= 0 && v <= 255);
        }
        width[f] = narrow ? 1 : 2;
    }
    int32_t flags = 0;
    int bit = 5;
    size_t columnBytes = 0;
    for (int g = 0; g < 3; g++) {
        if (!groupPresent[g])
            flags |= 1 << g;
    }
    for (int f = 0; f < FIELDS; f++) {
        if (!groupPresent[GROUP_OF_FIELD[f]]) {
            width[f] = 0;
            continue;
        }
        if (width[f] == 1)
            flags |= 1 << bit;
        bit++;
        columnBytes += n * size_t(width[f]);
    }
    if (columnBytes + 4 > size_t(MAX_LENGTH))
        throw BuildError("the Gob set's columns exceed 32763 bytes");

    bool attributes = false;
    for (const GobLine& gob : gobs)
        attributes = attributes || gob.transparency != 0;

    std::vector<uint8_t> out;
    put16(out, imageId & 0x3FF);
    out.push_back(0);
    put16(out, int32_t(columnBytes + 4));
    put16(out, flags);
    put16(out, int32_t(n) | (attributes ? 0x2000 : 0));
    for (int f = 0; f < FIELDS; f++) {
        for (const GobLine& gob : gobs) {
            int32_t v = gob.record[size_t(f)];
            if (width[f] == 1)
                out.push_back(uint8_t(v));
            else if (width[f] == 2)
                put16(out, v);
        }
    }
    if (attributes) {
        std::vector<uint8_t> table((n + 3) / 4);
        for (size_t i = 0; i < n; i++)
            table[i / 4] = uint8_t(table[i / 4] | gobs[i].transparency << (2 * (i % 4)));
        put16(out, int32_t(table.size() + 5));
        out.insert(out.end(), 5, 0);
        out.insert(out.end(), table.begin(), table.end());
    }
    return out;
}

} // namespace packbuilder
