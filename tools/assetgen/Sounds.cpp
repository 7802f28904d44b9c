#include <cstdio>
#include <fstream>
#include <sstream>

#include "tools/assetgen/Generators.h"
#include "tools/assetgen/Music.h"
#include "tools/assetgen/SoundEffects.h"
#include "tools/assetgen/WavWriter.h"

namespace assetgen {
namespace {

// The music sits well under the effects so a pop or a chime always cuts through.
constexpr double kMusicRmsDb = kEffectRmsDb - 6.0;
constexpr double kMusicCeilingDb = -3.0;

bool ReadText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return true;
}

bool WriteClip(const GenContext& ctx, const std::string& file, const synth::Signal& samples) {
    const std::string path = ctx.outDir + "/" + file;
    if (WriteWav(path, samples)) return true;
    std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return false;
}

bool GenerateMusic(const GenContext& ctx) {
    const std::string path = ctx.assetsDir + "/music.txt";
    std::string text, error;
    if (!ReadText(path, text)) {
        std::fprintf(stderr, "assetgen: cannot read %s\n", path.c_str());
        return false;
    }
    Score score;
    if (!ParseScore(text, score, error)) {
        std::fprintf(stderr, "assetgen: %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    synth::Signal music = RenderScore(score);
    synth::Master(music, kMusicRmsDb, kMusicCeilingDb);
    return WriteClip(ctx, "backnormal.wav", music);
}

}  // namespace

bool GenerateSounds(const GenContext& ctx) {
    bool ok = true;
    for (const SoundClip& clip : MakeSoundEffects())
        ok = WriteClip(ctx, clip.file, clip.samples) && ok;
    return GenerateMusic(ctx) && ok;
}

}  // namespace assetgen
