// The boss picture families; each writes its files into outDir and reports failures on stderr.
#pragma once

#include <string>

namespace assetgen {

bool WriteInsectPictures(const std::string& outDir);
bool WriteCrabPictures(const std::string& outDir);
bool WriteSnakePictures(const std::string& outDir);
bool WriteWizardPictures(const std::string& outDir);

}  // namespace assetgen
