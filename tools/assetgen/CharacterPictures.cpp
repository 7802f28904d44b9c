#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {

bool WriteCharacterPictures(const std::string&) {
    return true;
}

}  // namespace assetgen
