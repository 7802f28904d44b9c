// The generator's parts. Each writes its files into outDir and returns false (after printing
// what went wrong to stderr) when it cannot; assetsDir holds the human-edited sources.
#pragma once

#include <string>

namespace assetgen {

struct GenContext {
    std::string outDir;
    std::string assetsDir;
};

bool GeneratePictures(const GenContext& ctx);      // every .bmp the game reads, and the icons
bool GenerateBossPictures(const GenContext& ctx);  // the four bosses, their sparks and balls
bool GenerateSounds(const GenContext& ctx);        // the fifteen .wav files
bool GenerateRounds(const GenContext& ctx);        // assets/rounds.txt -> rounds.dat

// Draws every picture of outDir at 3x with its name into one PNG, for review.
bool WriteContactSheet(const std::string& outDir, const std::string& pngPath);

}  // namespace assetgen
