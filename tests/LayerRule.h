// Which folder's code may include which: the layers the README's layout section describes,
// written once and checked over every source file by the Layers suite.
#pragma once

#include <string>
#include <vector>

namespace test {

// The layer of a source path relative to the tree ("game/Game.cpp" is "game",
// "platform/sdl/Instance.h" is "platform", "tools/assetgen/Main.cpp" is "tools/assetgen");
// "" for a file outside every layer.
std::string LayerOf(const std::string& path);

// Whether code in layer `from` may include a header at `path` (quoted, relative to the tree)
// or a system header `<name>` (angle brackets kept).
bool MayInclude(const std::string& from, const std::string& path);

// Every include in the .cpp and .h files under root that breaks the rule, one line each:
// "file:line: includes header".
std::vector<std::string> FindLayerBreaks(const std::string& root);

}  // namespace test
