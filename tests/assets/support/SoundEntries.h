#pragma once
// Sound entries as the pack builder encodes them, read back the way the
// platform's players read them.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "EntryType.h"
#include "engine/support/EngineBytes.h"
#include "hal/HALPlayer.h"
#include "tq/Resources.h"

namespace vxtest {

// The bytes the entry type makes of the source file.
inline std::vector<uint8_t> encodeEntry(const std::string& type, const std::filesystem::path& source)
{
    const packbuilder::EntryType* entryType = packbuilder::findEntryType(type);
    if (!entryType)
        throw std::logic_error("no entry type " + type);
    std::vector<std::filesystem::path> inputs;
    std::map<std::string, int32_t> identifiers{{"SOUND", 0x400}};
    std::vector<packbuilder::HeaderConstant> constants;
    packbuilder::EntryContext entry{"SOUND", source, {}, &inputs, 0x400, &identifiers, &constants};
    return entryType->encode(entry);
}

// Sources of one entry type written into a temporary file and encoded.
// (Not an application folder: the platform's folder stays as it is.)
class SoundSource {
public:
    SoundSource(std::string type, const std::string& fileName)
        : type_(std::move(type)),
          file_(std::filesystem::temp_directory_path() /
                (std::to_string(::getpid()) + "-" + std::to_string(next()++) + "-" + fileName))
    {
    }
    ~SoundSource()
    {
        std::error_code ignored;
        std::filesystem::remove(file_, ignored);
    }
    SoundSource(const SoundSource&) = delete;
    SoundSource& operator=(const SoundSource&) = delete;

    std::vector<uint8_t> encode(const std::string& text)
    {
        std::ofstream(file_, std::ios::binary) << text;
        return encodeEntry(type_, file_);
    }

    // What the entry type refuses the text with, "" when it takes it.
    std::string error(const std::string& text)
    {
        try {
            encode(text);
        } catch (const packbuilder::BuildError& e) {
            return e.what();
        }
        return "";
    }

private:
    static int& next()
    {
        static int count = 0;
        return count;
    }

    std::string type_;
    std::filesystem::path file_;
};

// The timed messages the MIDI player keeps; a file it refuses fails the test.
inline std::vector<MIDIWAVEMESSAGE> playedMessages(const std::vector<uint8_t>& file, uint32_t* division = nullptr)
{
    int32_t count = 0;
    uint32_t unused = 0;
    int32_t status = HALPlayer::readMidi(file.data(), int32_t(file.size()), nullptr, &count,
                                         division ? division : &unused, false);
    EXPECT_EQ(status, 0);
    std::vector<MIDIWAVEMESSAGE> messages(size_t(status == 0 ? count : 0));
    if (!messages.empty())
        HALPlayer::readMidi(file.data(), int32_t(file.size()), messages.data(), &count, &unused, false);
    return messages;
}

// The bytes the sound manager hands to the player for a sound resource of
// the current pack: the entry's length from its offset in the resource's data.
inline Bytes packedSound(int32_t id)
{
    Bytes data = bytesOf(tq::Resources::getResourceData(id));
    int32_t offset = tq::Resources::getResourceOffset(id);
    return Bytes(data.begin() + offset, data.begin() + offset + tq::Resources::getEntryInt(id));
}

// The length in milliseconds of what the MIDI player plays, a tick being a
// millisecond.
inline uint64_t playedLength(const std::vector<MIDIWAVEMESSAGE>& messages)
{
    uint64_t ticks = 0;
    for (const MIDIWAVEMESSAGE& m : messages)
        ticks += m.deltaTicks;
    return ticks;
}

}  // namespace vxtest
