#include <cstdio>

#include "tools/assetgen/Generators.h"
#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {

std::string PicturePath(const std::string& outDir, const std::string& name) {
    return outDir + "/" + name;
}

bool GeneratePictures(const GenContext& ctx) {
    bool ok = WriteFontPictures(ctx.outDir);
    ok = WritePlayScreenPictures(ctx.outDir) && ok;
    ok = WriteBackgroundPictures(ctx.outDir) && ok;
    ok = WriteMachineryPictures(ctx.outDir) && ok;
    ok = WriteEffectPictures(ctx.outDir) && ok;
    ok = WriteCharacterPictures(ctx.outDir) && ok;
    ok = WritePagePictures(ctx.outDir) && ok;
    ok = WriteIconPictures(ctx.outDir) && ok;
    if (!ok) std::fprintf(stderr, "assetgen: some pictures could not be written\n");
    return ok;
}

}  // namespace assetgen
