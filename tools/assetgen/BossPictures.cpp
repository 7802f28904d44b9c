#include "tools/assetgen/Generators.h"

namespace assetgen {

// Boss pictures arrive with the bosses; until then boss rounds draw nothing for them.
bool GenerateBossPictures(const GenContext&) {
    return true;
}

}  // namespace assetgen
