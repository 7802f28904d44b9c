// The picture families; each writes its files into outDir and reports failures on stderr.
#pragma once

#include <string>

#include "tools/assetgen/StrokeFont.h"

namespace assetgen {

bool WriteFontPictures(const std::string& outDir);
bool WritePlayScreenPictures(const std::string& outDir);
bool WriteBackgroundPictures(const std::string& outDir);
bool WriteMachineryPictures(const std::string& outDir);
bool WriteEffectPictures(const std::string& outDir);
bool WriteCharacterPictures(const std::string& outDir);
bool WritePagePictures(const std::string& outDir);
bool WriteIconPictures(const std::string& outDir);

std::string PicturePath(const std::string& outDir, const std::string& name);

// The two glyph-file styles; shared with every picture that imitates the game's own text.
TextStyle BigFontStyle();
TextStyle SmallFontStyle();

}  // namespace assetgen
