#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tools/assetgen/Music.h"
#include "tools/assetgen/SoundEffects.h"
#include "tools/assetgen/Synth.h"
#include "tools/assetgen/WavWriter.h"

namespace {

using assetgen::synth::Signal;

const char* const kEffectFiles[] = {
    "go.wav",  "clear.wav", "lose.wav",   "fall.wav",   "hit.wav",     "light.wav", "bonus.wav",
    "ben.wav", "happy.wav", "bounce.wav", "breake.wav", "twoball.wav", "shoot.wav", "menu.wav"};
const char* const kShortEffects[] = {"menu.wav", "bounce.wav", "twoball.wav", "shoot.wav"};
const char kMusicFile[] = "backnormal.wav";

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | b[at + static_cast<size_t>(i)];
    return v;
}

// Reads a WAV file the way a strict player would: RIFF header, "fmt " and "data" chunks in any
// order, sizes consistent with the file. Fails the test on anything else.
struct Wav {
    int format = 0, channels = 0, rate = 0, bits = 0, blockAlign = 0, byteRate = 0;
    std::vector<int16_t> samples;

    double Seconds() const { return static_cast<double>(samples.size()) / rate; }
};

::testing::AssertionResult ParseWav(const std::vector<uint8_t>& b, Wav& wav) {
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE") {
        return ::testing::AssertionFailure() << "no RIFF/WAVE header";
    }
    if (Le(b, 4, 4) != b.size() - 8) return ::testing::AssertionFailure() << "RIFF size";
    bool haveFmt = false, haveData = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const std::string id(b.begin() + static_cast<long>(at),
                             b.begin() + static_cast<long>(at) + 4);
        const size_t size = Le(b, at + 4, 4);
        if (at + 8 + size > b.size()) return ::testing::AssertionFailure() << id << " overruns";
        if (id == "fmt " && size >= 16) {
            wav.format = static_cast<int>(Le(b, at + 8, 2));
            wav.channels = static_cast<int>(Le(b, at + 10, 2));
            wav.rate = static_cast<int>(Le(b, at + 12, 4));
            wav.byteRate = static_cast<int>(Le(b, at + 16, 4));
            wav.blockAlign = static_cast<int>(Le(b, at + 20, 2));
            wav.bits = static_cast<int>(Le(b, at + 22, 2));
            haveFmt = true;
        } else if (id == "data") {
            if (size % 2) return ::testing::AssertionFailure() << "odd data size";
            for (size_t i = 0; i < size; i += 2) {
                wav.samples.push_back(static_cast<int16_t>(Le(b, at + 8 + i, 2)));
            }
            haveData = true;
        }
        at += 8 + size + (size & 1);
    }
    if (!haveFmt || !haveData) return ::testing::AssertionFailure() << "missing fmt or data";
    return ::testing::AssertionSuccess();
}

Wav LoadBuilt(const std::string& file) {
    Wav wav;
    const auto bytes = ReadBytes(std::string(TARN_BUILD_DATA_DIR) + "/" + file);
    EXPECT_TRUE(ParseWav(bytes, wav)) << file;
    return wav;
}

double PeakDb(const std::vector<int16_t>& s) {
    int peak = 0;
    for (int16_t x : s)
        peak = std::max(peak, std::abs(static_cast<int>(x)));
    return 20.0 * std::log10(std::max(peak, 1) / 32768.0);
}

double RmsDb(const std::vector<int16_t>& s) {
    double sum = 0.0;
    for (int16_t x : s)
        sum += static_cast<double>(x) * x;
    return 10.0 *
           std::log10(std::max(sum / std::max<size_t>(1, s.size()), 1e-9) / (32768.0 * 32768.0));
}

TEST(BuiltSounds, EveryFileIsSixteenBitMonoPcmAtTheGameRate) {
    std::vector<std::string> files(std::begin(kEffectFiles), std::end(kEffectFiles));
    files.push_back(kMusicFile);
    for (const std::string& file : files) {
        const Wav wav = LoadBuilt(file);
        EXPECT_EQ(wav.format, 1) << file;
        EXPECT_EQ(wav.channels, 1) << file;
        EXPECT_EQ(wav.rate, 44100) << file;
        EXPECT_EQ(wav.bits, 16) << file;
        EXPECT_EQ(wav.blockAlign, 2) << file;
        EXPECT_EQ(wav.byteRate, 88200) << file;
        EXPECT_GT(wav.samples.size(), 441u) << file << " is too short to hear";
        EXPECT_LE(PeakDb(wav.samples), -1.0) << file;
    }
}

TEST(BuiltSounds, LengthsFitTheirMoments) {
    for (const char* file : kShortEffects)
        EXPECT_LT(LoadBuilt(file).Seconds(), 0.3) << file;
    for (const char* file : kEffectFiles)
        EXPECT_LT(LoadBuilt(file).Seconds(), 3.0) << file;
    const double music = LoadBuilt(kMusicFile).Seconds();
    EXPECT_GE(music, 30.0);
    EXPECT_LE(music, 60.0);
}

TEST(BuiltSounds, EffectsAreBalancedAndTheMusicSitsUnderThem) {
    double quietest = 0.0, loudest = -200.0;
    for (const char* file : kEffectFiles) {
        const double rms = RmsDb(LoadBuilt(file).samples);
        quietest = std::min(quietest, rms);
        loudest = std::max(loudest, rms);
    }
    EXPECT_LE(loudest - quietest, 6.0);
    EXPECT_GT(quietest, -30.0) << "effects should be clearly audible";
    EXPECT_LT(RmsDb(LoadBuilt(kMusicFile).samples), quietest - 3.0);
}

TEST(BuiltSounds, MusicLoopsWithoutAClick) {
    const std::vector<int16_t> s = LoadBuilt(kMusicFile).samples;
    ASSERT_GT(s.size(), 2u);
    std::vector<int> steps;
    for (size_t i = 1; i < s.size(); ++i)
        steps.push_back(std::abs(s[i] - s[i - 1]));
    std::nth_element(steps.begin(), steps.begin() + static_cast<long>(steps.size() * 99 / 100),
                     steps.end());
    const int normalStep = steps[steps.size() * 99 / 100];
    EXPECT_LE(std::abs(s.front() - s.back()), normalStep);
    // The loop is not silent at the seam by accident: something plays across it.
    EXPECT_GT(normalStep, 0);
}

TEST(BuiltSounds, BuildWritesExactlyWhatTheGeneratorMakes) {
    for (const auto& clip : assetgen::MakeSoundEffects()) {
        const auto expected = assetgen::EncodeWav(assetgen::ToPcm16(clip.samples));
        EXPECT_TRUE(expected == ReadBytes(std::string(TARN_BUILD_DATA_DIR) + "/" + clip.file))
            << clip.file << " differs: generation is not deterministic";
    }
}

TEST(WavWriter, HeaderDescribesTheSamplesAndClipsOutOfRange) {
    const auto pcm = assetgen::ToPcm16({0.0f, 1.5f, -2.0f, 0.5f});
    EXPECT_EQ(pcm, (std::vector<int16_t>{0, 32767, -32767, 16384}));
    Wav wav;
    ASSERT_TRUE(ParseWav(assetgen::EncodeWav(pcm), wav));
    EXPECT_EQ(wav.samples, pcm);
    EXPECT_EQ(wav.rate, 44100);
    EXPECT_EQ(assetgen::EncodeWav({}).size(), 44u);
}

TEST(Synth, NoiseIsRepeatableAndSeedDependent) {
    namespace s = assetgen::synth;
    EXPECT_EQ(s::Noise(0.01, 5), s::Noise(0.01, 5));
    EXPECT_NE(s::Noise(0.01, 5), s::Noise(0.01, 6));
    const Signal n = s::Noise(0.5, 1);
    EXPECT_LE(s::Peak(n), 1.0);
    EXPECT_NEAR(s::Rms(n), 1.0 / std::sqrt(3.0), 0.02);  // uniform in -1..1
}

TEST(Synth, LowPassKeepsLowsAndDropsHighs) {
    namespace s = assetgen::synth;
    Signal low = s::Tone(s::Wave::kSine, 0.2, 200.0);
    Signal high = s::Tone(s::Wave::kSine, 0.2, 8000.0);
    s::Filter(low, s::FilterMode::kLow, 1000.0, 1000.0);
    s::Filter(high, s::FilterMode::kLow, 1000.0, 1000.0);
    EXPECT_NEAR(s::Rms(low), std::sqrt(0.5), 0.05);
    EXPECT_LT(s::Rms(high), 0.03);
}

TEST(Synth, MasterReachesTheLevelAndStaysUnderTheCeiling) {
    namespace s = assetgen::synth;
    // A spiky signal: a click on a quiet tone needs its peak rounded off to reach the level.
    Signal x = s::Tone(s::Wave::kSine, 0.3, 440.0);
    s::Scale(x, 0.05);
    x[100] = 1.0f;
    s::Master(x, -16.0, -1.5);
    EXPECT_LE(s::DbOf(s::Peak(x)), -1.5);
    EXPECT_NEAR(s::DbOf(s::Rms(x)), -16.0, 0.5);
}

TEST(Synth, WrappedMixContinuesAtTheStart) {
    Signal loop(10, 0.0f);
    assetgen::synth::MixWrapped(loop, Signal(4, 1.0f), 8, 0.5);
    EXPECT_EQ(loop, (Signal{0.5f, 0.5f, 0, 0, 0, 0, 0, 0, 0.5f, 0.5f}));
}

const char kTinyScore[] =
    "# two bars\n"
    "tempo 120\n"
    "meter 2 2\n"
    "bars 2\n"
    "lead  | a4 - . c5 | . . f#4 - |\n"
    "drums | k . h .  | k s . kh |\n";

TEST(Music, ParsesNotesHoldsAndDrums) {
    assetgen::Score score;
    std::string error;
    ASSERT_TRUE(assetgen::ParseScore(kTinyScore, score, error)) << error;
    EXPECT_EQ(score.TotalSteps(), 8);
    std::vector<std::vector<int>> lead;
    for (const auto& e : score.events) {
        if (e.instrument == assetgen::Instrument::kLead) {
            lead.push_back({e.step, e.length, e.notes[0]});
        }
    }
    EXPECT_EQ(lead, (std::vector<std::vector<int>>{{0, 2, 69}, {3, 1, 72}, {6, 2, 66}}));
}

TEST(Music, RejectsBrokenScoresNamingTheLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"bars 1\nmeter 2 1\nflute c4 d4\n", "line 3"},
        {"bars 1\nmeter 2 1\nlead c4 d4 e4\n", "3 steps"},
        {"bars 1\nmeter 2 1\nlead - c4\n", "line 3"},
        {"bars 1\nmeter 2 1\nlead c4 h4\n", "'h4'"},
        {"bars 1\nmeter 2 1\npad C Xm\n", "'Xm'"},
        {"bars 1\nmeter 2 1\ndrums k x\n", "'x'"},
        {"tempo fast\n", "line 1"},
        {"# nothing\n", "no tracks"},
    };
    for (const auto& [text, expected] : cases) {
        assetgen::Score score;
        std::string error;
        EXPECT_FALSE(assetgen::ParseScore(text, score, error)) << text;
        EXPECT_NE(error.find(expected), std::string::npos) << text << " -> " << error;
    }
}

TEST(Music, RenderedLoopHasTheScoreLengthAndRingsOverTheSeam) {
    assetgen::Score score;
    std::string error;
    ASSERT_TRUE(assetgen::ParseScore("tempo 120\nbars 1\nmeter 2 1\nlead . c5\n", score, error))
        << error;
    const Signal loop = assetgen::RenderScore(score);
    EXPECT_EQ(loop.size(), 44100u);  // two beats at 120
    // The note starts halfway and its release continues at the loop's start.
    EXPECT_GT(std::fabs(loop[100]), 1e-4);
}

TEST(Music, SurvivesGarbage) {
    std::mt19937 random(7);
    const std::string words[] = {"lead", "bass", "pad", "drums", "bells", "tempo", "meter", "bars",
                                 "c5",   "bb3",  "f#",  "Gm7",   "X",     "kh",    "-",     ".",
                                 "|",    "#",    "\n",  "0",     "99999", "-3",    "\xff"};
    for (int trial = 0; trial < 500; ++trial) {
        std::string text;
        for (int i = 0; i < 30; ++i)
            text += words[random() % std::size(words)] + " ";
        assetgen::Score score;
        std::string error;
        const bool ok = assetgen::ParseScore(text, score, error);
        EXPECT_EQ(ok, error.empty()) << text;
    }
}

}  // namespace
