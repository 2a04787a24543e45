// Entry types whose bytes are the source file as it stands, checked for the
// format the engine will decode it as.

#include <cstring>

#include "EntryType.h"

namespace packbuilder {

namespace {

std::vector<uint8_t> startingWith(EntryContext& entry, const char* what, const char* magic,
                                  size_t magicLength, size_t at = 0)
{
    std::vector<uint8_t> bytes = entry.readSource();
    if (bytes.size() < at + magicLength || std::memcmp(bytes.data() + at, magic, magicLength) != 0)
        throw BuildError(entry.source.string() + " is not " + what);
    return bytes;
}

std::vector<uint8_t> encodeRaw(EntryContext& entry)
{
    return entry.readSource();
}

std::vector<uint8_t> encodePng(EntryContext& entry)
{
    return startingWith(entry, "a PNG picture", "\x89PNG\r\n\x1a\n", 8);
}

std::vector<uint8_t> encodeJpeg(EntryContext& entry)
{
    return startingWith(entry, "a JPEG picture", "\xFF\xD8\xFF", 3);
}

std::vector<uint8_t> encodeMidi(EntryContext& entry)
{
    return startingWith(entry, "a MIDI file", "MThd", 4);
}

std::vector<uint8_t> encodeWave(EntryContext& entry)
{
    startingWith(entry, "a RIFF file", "RIFF", 4);
    return startingWith(entry, "a WAVE file", "WAVE", 4, 8);
}

EntryTypeRegistrar raw("raw", -1, &encodeRaw);
EntryTypeRegistrar text("txt", -7, &encodeRaw);
EntryTypeRegistrar png("png", -3, &encodePng, true);
EntryTypeRegistrar jpeg("jpg", -4, &encodeJpeg, true);
EntryTypeRegistrar midi("mid", 0, &encodeMidi);
EntryTypeRegistrar wave("wav", 1, &encodeWave);

} // namespace

} // namespace packbuilder
