#pragma once
// Sound entries as the pack builder encodes them, read back the way the
// platform's players read them.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "EntryType.h"
#include "hal/HALPlayer.h"
#include "support/AppFolder.h"

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

// Sources of one entry type written into a temporary folder and encoded.
class SoundSource {
public:
    SoundSource(std::string type, std::string fileName) : type_(std::move(type)), fileName_(std::move(fileName)) {}

    std::vector<uint8_t> encode(const std::string& text)
    {
        folder_.write(fileName_, text);
        return encodeEntry(type_, folder_.path() + "/" + fileName_);
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
    std::string type_;
    std::string fileName_;
    AppFolder folder_;
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

}  // namespace vxtest
