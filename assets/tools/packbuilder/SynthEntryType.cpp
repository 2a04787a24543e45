// Sound effects: tones described in text, mixed and written as a 16-bit
// mono PCM RIFF WAVE file with the canonical 44-byte header, the layout the
// platform's player reads at fixed offsets.
//
//   entry CLICK synth click.synth
//
//   rate 22050                       samples a second (8000..48000)
//   tone wave=square from=880 to=440 at=0 length=120 attack=5 release=40 volume=40
//
// Each tone adds a wave (sine, square, triangle, saw or noise) from `at` for
// `length` milliseconds, its pitch sliding evenly in octaves from `from` to
// `to` hertz; it rises over `attack` and fades over `release` milliseconds;
// volume is a percentage of full scale. Noise holds each random value for one
// period of its pitch. A mix that goes past full scale is an error.

#include <algorithm>
#include <cmath>
#include <sstream>

#include "Sound.h"

namespace packbuilder {

namespace {

enum class Wave { SINE, SQUARE, TRIANGLE, SAW, NOISE };

struct Tone {
    std::string where;
    Wave wave = Wave::SINE;
    int32_t from = 440, to = 440, at = 0, length = 0, attack = 0, release = 0, volume = 50;
};

struct Effect {
    int32_t rate = 22050;
    std::vector<Tone> tones;
};

Wave parseWave(const std::string& text, const std::string& where)
{
    static const std::pair<const char*, Wave> waves[] = {
        {"sine", Wave::SINE}, {"square", Wave::SQUARE}, {"triangle", Wave::TRIANGLE},
        {"saw", Wave::SAW},   {"noise", Wave::NOISE},
    };
    for (const auto& [name, wave] : waves) {
        if (text == name)
            return wave;
    }
    throw BuildError(where + "wave is sine, square, triangle, saw or noise: " + text);
}

Effect readEffect(EntryContext& entry)
{
    Effect effect;
    bool rateGiven = false;
    for (const SourceLine& line : entry.readSourceLines()) {
        const std::string& where = line.where;
        std::istringstream words(line.text);
        std::string keyword;
        if (!(words >> keyword))
            continue;
        if (keyword == "rate") {
            if (rateGiven || !effect.tones.empty())
                throw BuildError(where + "the rate comes once, before the tones");
            std::string value, extra;
            words >> value;
            if (words >> extra)
                throw BuildError(where + "unexpected word " + extra);
            effect.rate = int32_t(parseNumber(value, 8000, 48000, where + "rate"));
            rateGiven = true;
        } else if (keyword == "tone") {
            Tone tone;
            tone.where = where;
            bool toGiven = false;
            std::string word;
            while (words >> word) {
                size_t eq = word.find('=');
                std::string key = word.substr(0, eq);
                std::string value = eq == std::string::npos ? "" : word.substr(eq + 1);
                if (eq == std::string::npos || key.empty())
                    throw BuildError(where + "expected key=value: " + word);
                if (key == "wave")
                    tone.wave = parseWave(value, where);
                else if (key == "from")
                    tone.from = int32_t(parseNumber(value, 1, 20000, where + key));
                else if (key == "to")
                    tone.to = int32_t(parseNumber(value, 1, 20000, where + key)), toGiven = true;
                else if (key == "at")
                    tone.at = int32_t(parseNumber(value, 0, 10000, where + key));
                else if (key == "length")
                    tone.length = int32_t(parseNumber(value, 1, 10000, where + key));
                else if (key == "attack")
                    tone.attack = int32_t(parseNumber(value, 0, 10000, where + key));
                else if (key == "release")
                    tone.release = int32_t(parseNumber(value, 0, 10000, where + key));
                else if (key == "volume")
                    tone.volume = int32_t(parseNumber(value, 0, 100, where + key));
                else
                    throw BuildError(where + "unknown key " + key);
            }
            if (!toGiven)
                tone.to = tone.from;
            if (tone.length == 0)
                throw BuildError(where + "a tone needs length=<milliseconds>");
            if (tone.attack + tone.release > tone.length)
                throw BuildError(where + "attack and release last longer than the tone");
            effect.tones.push_back(tone);
        } else {
            throw BuildError(where + "unknown line: " + keyword);
        }
    }
    if (effect.tones.empty())
        throw BuildError(entry.source.filename().string() + ": no tones");
    return effect;
}

// Adds one tone to the mix.
void render(const Tone& tone, int32_t rate, std::vector<double>& mix)
{
    int64_t first = int64_t(tone.at) * rate / 1000;
    int64_t count = int64_t(tone.length) * rate / 1000;
    int64_t attack = int64_t(tone.attack) * rate / 1000;
    int64_t release = int64_t(tone.release) * rate / 1000;
    double octaves = std::log2(double(tone.to) / tone.from);
    double phase = 0;
    double held = 0;
    uint32_t random = 0x9E3779B9u;
    for (int64_t i = 0; i < count; i++) {
        double hertz = tone.from * std::exp2(octaves * double(i) / double(count));
        double next = phase + hertz / rate;
        double value = 0;
        switch (tone.wave) {
        case Wave::SINE:
            value = std::sin(2 * M_PI * phase);
            break;
        case Wave::SQUARE:
            value = phase - std::floor(phase) < 0.5 ? 1 : -1;
            break;
        case Wave::TRIANGLE:
            value = 1 - 4 * std::fabs(phase - std::floor(phase) - 0.5);
            break;
        case Wave::SAW:
            value = 2 * (phase - std::floor(phase)) - 1;
            break;
        case Wave::NOISE:
            // A new value each time the phase passes a whole period (xorshift).
            if (i == 0 || std::floor(next) != std::floor(phase)) {
                random ^= random << 13;
                random ^= random >> 17;
                random ^= random << 5;
                held = double(random) / 2147483648.0 - 1;
            }
            value = held;
            break;
        }
        phase = next - std::floor(next);
        double envelope = 1;
        if (i < attack)
            envelope = double(i) / double(attack);
        if (count - i <= release)
            envelope = std::min(envelope, double(count - 1 - i) / double(release));
        mix[size_t(first + i)] += value * envelope * tone.volume / 100.0;
    }
}

std::vector<uint8_t> encodeSynth(EntryContext& entry)
{
    Effect effect = readEffect(entry);
    int64_t frames = 0;
    for (const Tone& tone : effect.tones)
        frames = std::max(frames, int64_t(tone.at) * effect.rate / 1000 + int64_t(tone.length) * effect.rate / 1000);
    std::vector<double> mix(size_t(frames), 0.0);
    for (const Tone& tone : effect.tones)
        render(tone, effect.rate, mix);

    std::vector<int16_t> samples;
    for (size_t i = 0; i < mix.size(); i++) {
        if (std::fabs(mix[i]) > 1.0) {
            throw BuildError(entry.source.filename().string() + ": the mix goes past full scale at " +
                             std::to_string(int64_t(i) * 1000 / effect.rate) + " ms; lower the volumes");
        }
        samples.push_back(int16_t(std::lround(mix[i] * 32767)));
    }
    return waveFile(effect.rate, samples);
}

EntryTypeRegistrar synth("synth", 1, &encodeSynth);

} // namespace

} // namespace packbuilder
