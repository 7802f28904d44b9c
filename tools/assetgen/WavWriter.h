// Writes the game's sounds as RIFF/WAVE files: PCM, 16-bit, mono.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

constexpr int kSampleRate = 44100;

// Samples are in -1..1; anything outside is clipped.
std::vector<int16_t> ToPcm16(const std::vector<float>& samples);
std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& pcm, int sampleRate = kSampleRate);
bool WriteWav(const std::string& path, const std::vector<float>& samples);

}  // namespace assetgen
