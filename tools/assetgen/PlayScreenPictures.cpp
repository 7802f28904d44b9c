#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {

bool WritePlayScreenPictures(const std::string&) {
    return true;
}

}  // namespace assetgen
