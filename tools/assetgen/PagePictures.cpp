#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {

bool WritePagePictures(const std::string&) {
    return true;
}

}  // namespace assetgen
