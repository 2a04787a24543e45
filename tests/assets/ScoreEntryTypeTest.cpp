#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "assets/support/SoundEntries.h"

namespace {

// A timed message as the player keeps it: ticks since the previous one and
// status | data1 << 8 | data2 << 16.
struct Played {
    uint32_t delta;
    uint32_t message;
};

class ScoreEntryTypeTest : public ::testing::Test {
protected:
    std::vector<uint8_t> encode(const std::string& score) { return sources.encode(score); }

    std::vector<MIDIWAVEMESSAGE> play(const std::string& score, uint32_t* division = nullptr)
    {
        return vxtest::playedMessages(encode(score), division);
    }

    // The keys of the note-ons with a velocity, in order.
    std::vector<uint32_t> startedKeys(const std::string& score)
    {
        std::vector<uint32_t> keys;
        for (const MIDIWAVEMESSAGE& m : play(score)) {
            if ((m.message & 0xF0) == 0x90 && (m.message >> 16) != 0)
                keys.push_back((m.message >> 8) & 0x7F);
        }
        return keys;
    }

    vxtest::SoundSource sources{"score", "tune.score"};
};

TEST_F(ScoreEntryTypeTest, WritesOneTrackOfMillisecondTicksThePlayerKeepsWhole)
{
    std::vector<uint8_t> file = encode("tempo 120\n"
                                       "time 2/4\n"
                                       "voice A channel=2 program=5 volume=80 pan=30 velocity=70 gate=50\n"
                                       "voice D channel=9\n"
                                       "section S\n"
                                       "A | c4/4 e4@100 | r/4 c4+g4/8 r |   # ends on a rest\n"
                                       "D | kick/2 | 36/4 r |\n");
    // Format 0, one track, 500 ticks a quarter (a millisecond at the default tempo).
    ASSERT_GE(file.size(), 14u);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 8, file.begin() + 14),
              (std::vector<uint8_t>{0, 0, 0, 1, 0x01, 0xF4}));
    uint32_t division = 0;
    std::vector<MIDIWAVEMESSAGE> messages = vxtest::playedMessages(file, &division);
    EXPECT_EQ(division, 500u);

    // A quarter at 120 is 500 ms; a gate of 50 sounds half of each note; at
    // one moment note ends come before settings and note starts; the last
    // event repeats a volume on the score's last moment so a loop keeps the
    // length.
    const Played expected[] = {
        {0, 0x05C2},     {0, 0x5007B2}, {0, 0x1E0AB2}, {0, 0x00C9},   {0, 0x6407B9},
        {0, 0x400AB9},   {0, 0x463C92}, {0, 0x5A2499}, {250, 0x3C92}, {250, 0x644092},
        {250, 0x4092},   {250, 0x2499}, {0, 0x5A2499}, {500, 0x2499}, {0, 0x463C92},
        {0, 0x464392},   {125, 0x3C92}, {0, 0x4392},   {375, 0x5007B2},
    };
    ASSERT_EQ(messages.size(), std::size(expected));
    for (size_t i = 0; i < messages.size(); i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(messages[i].deltaTicks, expected[i].delta);
        EXPECT_EQ(messages[i].message, expected[i].message);
    }
}

TEST_F(ScoreEntryTypeTest, PlaysSectionsInOrderWithoutDrift)
{
    // An eighth at 112 is 267.857 ms: every event falls on its own rounded
    // moment, so three bars last 6429 ms and not 24 rounded eighths.
    std::vector<MIDIWAVEMESSAGE> messages = play("tempo 112\n"
                                                 "voice L channel=0\n"
                                                 "section A\n"
                                                 "L c4/8 d4 e4 f4 g4 a4 b4 c5\n"
                                                 "section B\n"
                                                 "L c6/8*8\n"
                                                 "play A B A\n");
    uint32_t now = 0;
    std::vector<uint32_t> starts;
    std::vector<uint32_t> keys;
    for (const MIDIWAVEMESSAGE& m : messages) {
        now += m.deltaTicks;
        if ((m.message & 0xF0) == 0x90 && (m.message >> 16) != 0) {
            starts.push_back(now);
            keys.push_back((m.message >> 8) & 0x7F);
        }
    }
    EXPECT_EQ(now, 6429u);
    EXPECT_EQ(keys, (std::vector<uint32_t>{60, 62, 64, 65, 67, 69, 71, 72, 84, 60, 62, 64, 65, 67, 69, 71, 72}));
    ASSERT_EQ(starts.size(), 17u);
    const int eighths[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 16, 17, 18, 19, 20, 21, 22, 23};
    for (size_t i = 0; i < starts.size(); i++)
        EXPECT_EQ(starts[i], uint32_t((eighths[i] * 48 * 625 * 2 + 112) / (2 * 112))) << i;
}

TEST_F(ScoreEntryTypeTest, NamesKeysByNoteNumberAndDrum)
{
    struct Case {
        const char* token;
        uint32_t key;
    };
    const Case cases[] = {
        {"c4", 60},  {"a4", 69},    {"cs4", 61}, {"bb3", 58},   {"cb4", 59},    {"bs3", 60}, {"c0", 12},
        {"g9", 127}, {"0", 0},      {"127", 127}, {"0x2A", 42}, {"kick", 36},  {"snare", 38}, {"openhat", 46},
        {"crash", 49},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.token);
        EXPECT_EQ(startedKeys(std::string("voice V channel=9\nsection S\nV ") + c.token + "\n"),
                  std::vector<uint32_t>{c.key});
    }
}

TEST_F(ScoreEntryTypeTest, RefusesBadScoresNamingTheLine)
{
    const std::string head = "voice A channel=0\nvoice B channel=1\nsection S\n";
    struct Case {
        std::string score;
        const char* message;
    };
    const Case cases[] = {
        {head + "A h4\n", "tune.score:4: unknown note h4"},
        {head + "A c\n", "tune.score:4: unknown note c"},
        {head + "A c44\n", "tune.score:4: unknown note c44"},
        {head + "A a9\n", "tune.score:4: note out of range: a9"},
        {head + "A 128\n", "tune.score:4: key must be from 0 to 127: 128"},
        {head + "A c4++e4\n", "tune.score:4: unknown note c4++e4"},
        {head + "A c4+c4\n", "tune.score:4: a chord holds a key twice: c4+c4"},
        {head + "A c4/3\n", "tune.score:4: unknown duration /3"},
        {head + "A c4/4..\n", "tune.score:4: unknown duration /4.."},
        {head + "A c4/1*0\n", "tune.score:4: duration times must be from 1 to 64: 0"},
        {head + "A c4@0\n", "tune.score:4: velocity must be from 1 to 127: 0"},
        {head + "A c4/4 d4 e4 |\n", "tune.score:4: bar line 3 beats into a bar"},
        {head + "A c4/8 |\n", "tune.score:4: bar line 0.5 beats into a bar"},
        {head + "A c4/1\nB c3/2\n", "tune.score:3: section S: voice B lasts 2 beats, the section 4"},
        {head, "tune.score:3: section S has no notes"},
        {head + "C c4\n", "tune.score:4: unknown line: C"},
        {head + "A c4\nsection S\n", "tune.score:5: a second section S"},
        {head + "A c4\ntempo 90\n", "tune.score:5: tempo after the first section"},
        {head + "A c4\nplay S T\n", "tune.score:5: no section T"},
        {head + "A c4\nplay S\nplay S\n", "tune.score:6: a second play line"},
        {"voice A channel=0\nA c4\n", "tune.score:2: notes before the first section"},
        {"voice A\n", "tune.score:1: a voice needs channel=<0..15>"},
        {"voice A channel=16\n", "tune.score:1: channel must be from 0 to 15: 16"},
        {"voice A channel=0 loud=1\n", "tune.score:1: unknown key loud"},
        {"voice A channel=0 gate=0\n", "tune.score:1: gate must be from 1 to 100: 0"},
        {"voice A channel=0 bright\n", "tune.score:1: expected key=value: bright"},
        {"voice play channel=0\n", "tune.score:1: a voice needs a name: play"},
        {"voice A channel=0\nvoice A channel=1\n", "tune.score:2: a second voice A"},
        {"voice A channel=0\nvoice B channel=0 program=3\n",
         "tune.score:2: voice B shares channel 0 with A but not its program, volume and pan"},
        {"tempo 10\n", "tune.score:1: tempo must be from 20 to 400: 10"},
        {"time 4/3\n", "tune.score:1: time is beats/unit with a unit of 2, 4, 8 or 16: 4/3"},
        {"time 4\n", "tune.score:1: time is beats/unit with a unit of 2, 4, 8 or 16: 4"},
        {"# nothing\n", "tune.score: no sections"},
        // Two voices on one channel striking the same key at once: the
        // first one's end would cut the second short.
        {"voice A channel=0\nvoice B channel=0\nsection S\nA c4/2 r/2\nB r/4 c4/2 r/4\n",
         "tune.score:5: key 60 starts on channel 0 while it still sounds"},
    };
    for (const Case& c : cases) {
        std::string error = sources.error(c.score);
        EXPECT_NE(error.find(c.message), std::string::npos) << c.score << " gave: " << error;
    }
}

} // namespace
