#include "Sound.h"

namespace packbuilder {

namespace {

void putLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; i++)
        out.push_back(uint8_t(value >> (8 * i)));
}

} // namespace

std::vector<uint8_t> waveFile(int32_t rate, const std::vector<int16_t>& samples)
{
    uint32_t dataBytes = uint32_t(2 * samples.size());
    std::vector<uint8_t> out{'R', 'I', 'F', 'F'};
    out.reserve(44 + dataBytes);
    putLittleEndian(out, 36 + dataBytes, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLittleEndian(out, 16, 4);
    putLittleEndian(out, 1, 2); // PCM
    putLittleEndian(out, 1, 2); // mono
    putLittleEndian(out, uint32_t(rate), 4);
    putLittleEndian(out, uint32_t(rate) * 2, 4);
    putLittleEndian(out, 2, 2);  // bytes a frame
    putLittleEndian(out, 16, 2); // bits a sample
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    putLittleEndian(out, dataBytes, 4);
    for (int16_t sample : samples)
        putLittleEndian(out, uint16_t(sample), 2);
    return out;
}

} // namespace packbuilder
