// The boss pictures: one writer per boss, and what they share (saving with a transparent
// top-left pixel, the boss palette).
#pragma once

#include <cairo.h>

#include <string>

#include "tools/assetgen/Paint.h"
#include "tools/assetgen/PictureCanvas.h"

namespace assetgen {

bool WriteBossSparkPictures(const std::string& outDir);  // life.bmp, el0..2
bool WriteInsectPictures(const std::string& outDir);
bool WriteCrabPictures(const std::string& outDir);
bool WriteSnakePictures(const std::string& outDir);
bool WriteWizardPictures(const std::string& outDir);

// Writes canvas as outDir/name. Keyed pictures get a transparent top-left pixel: the game
// takes the key of the corner-keyed ones from there.
bool SaveBossPicture(PictureCanvas& canvas, const std::string& outDir, const std::string& name);

// A filled, outlined circle.
void Blob(cairo_t* cr, double cx, double cy, double r, Colour fill, double outline = 1.0);
// An eye looking toward (dx, dy); a shut or crossed eye when dazed.
void Eye(cairo_t* cr, double cx, double cy, double r, double dx, double dy, bool dazed = false);
// A small four-pointed twinkle.
void Twinkle(cairo_t* cr, double cx, double cy, double r, Colour c);

}  // namespace assetgen
