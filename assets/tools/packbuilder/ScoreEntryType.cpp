// Music: a readable score written as a single-track MIDI file that the
// platform's player takes as it is.
//
//   entry MENU_MUSIC score menu.score
//
// The player keeps only note-on, key pressure, controller, program and
// channel pressure events, ignores tempo and times every tick as one
// millisecond, and drops the time of any event it skips. So the file holds
// one track of note-ons (velocity 0 ends a note), program changes and
// controllers, division 500 (a tick is a millisecond at the default tempo of
// other players too) and no tempo event; the last kept event falls on the
// score's end so that a looping player keeps the score's length.

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>

#include "Sound.h"

namespace packbuilder {

namespace {

constexpr int32_t kWhole = 384; // units of a whole note
constexpr int32_t kDivision = 500;
constexpr int64_t kLongestMs = 0x0FFFFFFF; // the longest four-byte delta

struct Voice {
    std::string name;
    std::string where;
    int32_t channel = 0, program = 0, volume = 100, pan = 64, velocity = 90, gate = 100;
};

struct Note {
    int32_t start = 0, length = 0; // units from the section's start
    std::vector<int32_t> keys;      // empty for a rest
    int32_t velocity = 0;
    std::string where;
};

struct Passage {
    std::vector<Note> notes;
    int32_t length = 0;
    int32_t lastLength = kWhole / 4; // the duration a note without one takes
};

struct Section {
    std::string name;
    std::string where;
    std::map<size_t, Passage> passages; // by voice
    int32_t length = 0;
};

struct Score {
    int32_t tempo = 120;
    int32_t barUnits = kWhole;
    std::vector<Voice> voices;
    std::vector<Section> sections;
    std::vector<size_t> play; // section indexes
    std::string playWhere;
};

const std::map<std::string, int32_t>& drumKeys()
{
    static const std::map<std::string, int32_t> keys{
        {"kick", 36}, {"snare", 38}, {"clap", 39},  {"hat", 42},     {"pedalhat", 44}, {"openhat", 46},
        {"tomlo", 45}, {"tommid", 47}, {"tomhi", 50}, {"crash", 49}, {"ride", 51},     {"tambourine", 54},
    };
    return keys;
}

std::string beats(int32_t units)
{
    std::ostringstream out;
    out << double(units) / (kWhole / 4);
    return out.str();
}

// "c4" is middle C (60); sharps 's' ('#' starts a comment), flats 'b'; a number is a key as it
// stands; a drum's name its General MIDI key.
int32_t parseKey(const std::string& text, const std::string& where)
{
    auto drum = drumKeys().find(text);
    if (drum != drumKeys().end())
        return drum->second;
    if (!text.empty() && std::isdigit(static_cast<unsigned char>(text[0])))
        return int32_t(parseNumber(text, 0, 127, where + "key"));
    static const int32_t semitones[] = {9, 11, 0, 2, 4, 5, 7}; // a..g
    size_t i = 0;
    int32_t key = -1;
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'g') {
        key = semitones[text[0] - 'a'];
        i = 1;
        if (i < text.size() && (text[i] == 's' || text[i] == 'b'))
            key += text[i++] == 's' ? 1 : -1;
    }
    if (i == 0 || i + 1 != text.size() || !std::isdigit(static_cast<unsigned char>(text[i])))
        throw BuildError(where + "unknown note " + text);
    key += 12 * (text[i] - '0' + 1);
    if (key < 0 || key > 127)
        throw BuildError(where + "note out of range: " + text);
    return key;
}

// "/4" a quarter, "/8." a dotted eighth, "/1*3" three whole notes.
int32_t parseDuration(const std::string& text, const std::string& where)
{
    std::string body = text;
    int32_t times = 1;
    if (size_t star = body.find('*'); star != std::string::npos) {
        times = int32_t(parseNumber(body.substr(star + 1), 1, 64, where + "duration times"));
        body.erase(star);
    }
    bool dotted = !body.empty() && body.back() == '.';
    if (dotted)
        body.pop_back();
    int32_t length = 0;
    for (int32_t n : {1, 2, 4, 8, 16, 32}) {
        if (body == std::to_string(n))
            length = kWhole / n;
    }
    if (length == 0)
        throw BuildError(where + "unknown duration /" + text);
    return (dotted ? length * 3 / 2 : length) * times;
}

// A token of a voice line: rest or keys joined by '+', then /duration and
// @velocity, each optional.
void addToken(Passage& passage, const Voice& voice, const std::string& token, const std::string& where)
{
    std::string body = token;
    Note note;
    note.where = where;
    note.velocity = voice.velocity;
    if (size_t at = body.find('@'); at != std::string::npos) {
        note.velocity = int32_t(parseNumber(body.substr(at + 1), 1, 127, where + "velocity"));
        body.erase(at);
    }
    int32_t length = passage.lastLength;
    if (size_t slash = body.find('/'); slash != std::string::npos) {
        length = parseDuration(body.substr(slash + 1), where);
        body.erase(slash);
    }
    if (body != "r") {
        std::istringstream keys(body);
        std::string key;
        while (std::getline(keys, key, '+')) {
            if (key.empty())
                throw BuildError(where + "unknown note " + token);
            int32_t k = parseKey(key, where);
            if (std::find(note.keys.begin(), note.keys.end(), k) != note.keys.end())
                throw BuildError(where + "a chord holds a key twice: " + token);
            note.keys.push_back(k);
        }
        if (note.keys.empty() || body.back() == '+')
            throw BuildError(where + "unknown note " + token);
    }
    note.start = passage.length;
    note.length = length;
    passage.lastLength = length;
    passage.length += length;
    passage.notes.push_back(std::move(note));
}

// key=value words of a heading line.
std::map<std::string, std::string> settings(std::istringstream& words, const std::string& where)
{
    std::map<std::string, std::string> values;
    std::string word;
    while (words >> word) {
        size_t eq = word.find('=');
        if (eq == std::string::npos || eq == 0)
            throw BuildError(where + "expected key=value: " + word);
        values[word.substr(0, eq)] = word.substr(eq + 1);
    }
    return values;
}

int32_t setting(std::map<std::string, std::string>& values, const std::string& key, int32_t low, int32_t high,
                int32_t fallback, const std::string& where)
{
    auto it = values.find(key);
    if (it == values.end())
        return fallback;
    int32_t value = int32_t(parseNumber(it->second, low, high, where + key));
    values.erase(it);
    return value;
}

// A heading's one value; more words are an error.
std::string onlyWord(std::istringstream& words, const std::string& where)
{
    std::string value, extra;
    words >> value;
    if (words >> extra)
        throw BuildError(where + "unexpected word " + extra);
    return value;
}

bool isName(const std::string& text)
{
    return !text.empty() && !std::isdigit(static_cast<unsigned char>(text[0])) &&
           std::all_of(text.begin(), text.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
}

void finishSection(const Score& score, Section& section)
{
    for (const auto& [voice, passage] : section.passages)
        section.length = std::max(section.length, passage.length);
    for (const auto& [voice, passage] : section.passages) {
        if (passage.length != section.length) {
            throw BuildError(section.where + "section " + section.name + ": voice " + score.voices[voice].name +
                             " lasts " + beats(passage.length) + " beats, the section " + beats(section.length));
        }
    }
    if (section.length == 0)
        throw BuildError(section.where + "section " + section.name + " has no notes");
}

Score readScore(EntryContext& entry)
{
    Score score;
    std::map<std::string, size_t> voiceIndex;
    std::vector<std::string> playNames;
    for (const SourceLine& line : entry.readSourceLines()) {
        const std::string& where = line.where;
        std::istringstream words(line.text);
        std::string keyword;
        if (!(words >> keyword))
            continue;
        bool heading = keyword == "tempo" || keyword == "time" || keyword == "voice";
        if (heading && !score.sections.empty())
            throw BuildError(where + keyword + " after the first section");
        if (keyword == "tempo") {
            std::string value = onlyWord(words, where);
            score.tempo = int32_t(parseNumber(value, 20, 400, where + "tempo"));
        } else if (keyword == "time") {
            std::string value = onlyWord(words, where);
            size_t slash = value.find('/');
            int32_t count = int32_t(parseNumber(value.substr(0, slash), 1, 32, where + "beats a bar"));
            std::string unit = slash == std::string::npos ? "" : value.substr(slash + 1);
            if (unit != "2" && unit != "4" && unit != "8" && unit != "16")
                throw BuildError(where + "time is beats/unit with a unit of 2, 4, 8 or 16: " + value);
            score.barUnits = count * (kWhole / std::stoi(unit));
        } else if (keyword == "voice") {
            Voice voice;
            voice.where = where;
            words >> voice.name;
            if (!isName(voice.name) || voice.name == "tempo" || voice.name == "time" ||
                voice.name == "voice" || voice.name == "section" || voice.name == "play")
                throw BuildError(where + "a voice needs a name: " + voice.name);
            if (voiceIndex.count(voice.name))
                throw BuildError(where + "a second voice " + voice.name);
            std::map<std::string, std::string> values = settings(words, where);
            voice.channel = setting(values, "channel", 0, 15, -1, where);
            if (voice.channel < 0)
                throw BuildError(where + "a voice needs channel=<0..15>");
            voice.program = setting(values, "program", 0, 127, 0, where);
            voice.volume = setting(values, "volume", 0, 127, 100, where);
            voice.pan = setting(values, "pan", 0, 127, 64, where);
            voice.velocity = setting(values, "velocity", 1, 127, 90, where);
            voice.gate = setting(values, "gate", 1, 100, 100, where);
            if (!values.empty())
                throw BuildError(where + "unknown key " + values.begin()->first);
            for (const Voice& other : score.voices) {
                if (other.channel == voice.channel &&
                    (other.program != voice.program || other.volume != voice.volume || other.pan != voice.pan))
                    throw BuildError(where + "voice " + voice.name + " shares channel " +
                                     std::to_string(voice.channel) + " with " + other.name +
                                     " but not its program, volume and pan");
            }
            voiceIndex[voice.name] = score.voices.size();
            score.voices.push_back(voice);
        } else if (keyword == "section") {
            if (!score.sections.empty())
                finishSection(score, score.sections.back());
            Section section;
            section.where = where;
            section.name = onlyWord(words, where);
            if (!isName(section.name))
                throw BuildError(where + "a section needs a name: " + section.name);
            for (const Section& other : score.sections) {
                if (other.name == section.name)
                    throw BuildError(where + "a second section " + section.name);
            }
            score.sections.push_back(section);
        } else if (keyword == "play") {
            if (!score.playWhere.empty())
                throw BuildError(where + "a second play line");
            score.playWhere = where;
            std::string name;
            while (words >> name)
                playNames.push_back(name);
            if (playNames.empty())
                throw BuildError(where + "play names the sections to play");
        } else if (auto voice = voiceIndex.find(keyword); voice != voiceIndex.end()) {
            if (score.sections.empty())
                throw BuildError(where + "notes before the first section");
            Passage& passage = score.sections.back().passages[voice->second];
            std::string token;
            while (words >> token) {
                if (token == "|") {
                    if (passage.length % score.barUnits != 0)
                        throw BuildError(where + "bar line " + beats(passage.length % score.barUnits) +
                                         " beats into a bar");
                } else {
                    addToken(passage, score.voices[voice->second], token, where);
                }
            }
        } else {
            throw BuildError(where + "unknown line: " + keyword);
        }
    }
    if (score.sections.empty())
        throw BuildError(entry.source.filename().string() + ": no sections");
    finishSection(score, score.sections.back());
    for (const std::string& name : playNames) {
        auto it = std::find_if(score.sections.begin(), score.sections.end(),
                               [&](const Section& s) { return s.name == name; });
        if (it == score.sections.end())
            throw BuildError(score.playWhere + "no section " + name);
        score.play.push_back(size_t(it - score.sections.begin()));
    }
    if (playNames.empty()) {
        for (size_t s = 0; s < score.sections.size(); s++)
            score.play.push_back(s);
    }
    return score;
}

struct Event {
    int64_t time;  // milliseconds
    int32_t order; // at one time: note ends, then settings, then note starts
    uint8_t status, data1, data2;
    const std::string* where;
};

void putBigEndian(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; i--)
        out.push_back(uint8_t(value >> (8 * i)));
}

void putVariable(std::vector<uint8_t>& out, uint32_t value)
{
    int shift = 21;
    while (shift > 0 && (value >> shift) == 0)
        shift -= 7;
    for (; shift > 0; shift -= 7)
        out.push_back(uint8_t(0x80 | ((value >> shift) & 0x7F)));
    out.push_back(uint8_t(value & 0x7F));
}

} // namespace

std::vector<uint8_t> scoreMidi(EntryContext& entry)
{
    Score score = readScore(entry);
    // A whole note is four beats of 60000 / tempo ms; rounded to the nearest.
    int64_t wholeMsTimesTempo = 4 * 60000;
    auto ms = [&](int64_t units) {
        return (2 * units * wholeMsTimesTempo + kWhole * score.tempo) / (2 * kWhole * score.tempo);
    };

    std::vector<Event> events;
    std::vector<bool> channelSet(16, false);
    for (const Voice& voice : score.voices) {
        if (channelSet[voice.channel])
            continue;
        channelSet[voice.channel] = true;
        uint8_t channel = uint8_t(voice.channel);
        events.push_back({0, 1, uint8_t(0xC0 | channel), uint8_t(voice.program), 0, &voice.where});
        events.push_back({0, 1, uint8_t(0xB0 | channel), 7, uint8_t(voice.volume), &voice.where});
        events.push_back({0, 1, uint8_t(0xB0 | channel), 10, uint8_t(voice.pan), &voice.where});
    }
    int64_t offset = 0;
    for (size_t s : score.play) {
        const Section& section = score.sections[s];
        for (const auto& [v, passage] : section.passages) {
            const Voice& voice = score.voices[v];
            for (const Note& note : passage.notes) {
                int64_t on = ms(offset + note.start);
                int64_t off = ms(offset + note.start + note.length);
                off = on + std::max<int64_t>(1, ((off - on) * voice.gate + 50) / 100);
                for (int32_t key : note.keys) {
                    uint8_t status = uint8_t(0x90 | voice.channel);
                    events.push_back({on, 2, status, uint8_t(key), uint8_t(note.velocity), &note.where});
                    events.push_back({off, 0, status, uint8_t(key), 0, &note.where});
                }
            }
        }
        offset += section.length;
    }
    int64_t end = ms(offset);
    if (end > kLongestMs)
        throw BuildError(entry.source.filename().string() + ": the score lasts longer than " +
                         std::to_string(kLongestMs) + " ms");
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.time != b.time ? a.time < b.time : a.order < b.order;
    });
    // A looping player goes on right after the last event: end on the
    // score's last moment with a setting the start repeats anyway.
    if (events.back().time < end) {
        const Voice& first = score.voices.front();
        events.push_back({end, 1, uint8_t(0xB0 | first.channel), 7, uint8_t(first.volume), &first.where});
    }

    // A key started while it already sounds on its channel would be cut
    // short by the first one's end.
    std::vector<uint8_t> sounding(16 * 128, 0);
    std::vector<uint8_t> track;
    int64_t now = 0;
    for (const Event& e : events) {
        if ((e.status & 0xF0) == 0x90) {
            uint8_t& sounds = sounding[(e.status & 0x0F) * 128 + e.data1];
            if (e.data2 != 0 && sounds)
                throw BuildError(*e.where + "key " + std::to_string(e.data1) + " starts on channel " +
                                 std::to_string(e.status & 0x0F) + " while it still sounds");
            sounds = e.data2 != 0;
        }
        putVariable(track, uint32_t(e.time - now));
        now = e.time;
        track.push_back(e.status);
        track.push_back(e.data1);
        if ((e.status & 0xF0) != 0xC0)
            track.push_back(e.data2);
    }
    for (uint8_t b : {0x00, 0xFF, 0x2F, 0x00})
        track.push_back(b);

    std::vector<uint8_t> out{'M', 'T', 'h', 'd'};
    putBigEndian(out, 6, 4);
    putBigEndian(out, 0, 2); // format 0
    putBigEndian(out, 1, 2); // one track
    putBigEndian(out, kDivision, 2);
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    putBigEndian(out, uint32_t(track.size()), 4);
    out.insert(out.end(), track.begin(), track.end());
    return out;
}

namespace {

EntryTypeRegistrar score("score", 0, &scoreMidi);

} // namespace

} // namespace packbuilder
