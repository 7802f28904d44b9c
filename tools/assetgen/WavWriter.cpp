#include "tools/assetgen/WavWriter.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/BmpWriter.h"

namespace assetgen {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

std::vector<int16_t> ToPcm16(const std::vector<float>& samples) {
    std::vector<int16_t> pcm(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        const float clipped = std::clamp(samples[i], -1.0f, 1.0f);
        pcm[i] = static_cast<int16_t>(std::lround(clipped * 32767.0f));
    }
    return pcm;
}

std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& pcm, int sampleRate) {
    const uint32_t dataBytes = static_cast<uint32_t>(pcm.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, static_cast<uint32_t>(sampleRate));
    Put32(out, static_cast<uint32_t>(sampleRate) * 2);  // bytes per second
    Put16(out, 2);                                      // bytes per frame
    Put16(out, 16);                                     // bits per sample
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (int16_t s : pcm)
        Put16(out, static_cast<uint16_t>(s));
    return out;
}

bool WriteWav(const std::string& path, const std::vector<float>& samples) {
    return WriteFile(path, EncodeWav(ToPcm16(samples)));
}

}  // namespace assetgen
