#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {

bool WriteIconPictures(const std::string&) {
    return true;
}

}  // namespace assetgen
