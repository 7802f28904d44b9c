#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {

bool WriteEffectPictures(const std::string&) {
    return true;
}

}  // namespace assetgen
