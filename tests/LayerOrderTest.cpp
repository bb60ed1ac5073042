// The folders' include graph: each layer includes only the layers it is built on, so a new
// upward include (or a cycle) fails here before it grows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

// Each folder and the folders it may include, lowest layers first. A folder not named here
// belongs to its parent; includes within a folder are free.
const std::map<std::string, std::set<std::string>> kMayInclude = {
    {"hostapi", {}},
    {"platform", {"hostapi"}},
    {"host/kit", {"hostapi", "platform"}},
    {"options", {"hostapi", "platform", "host/kit"}},
    {"params", {"hostapi", "platform", "host/kit", "options"}},
    {"colorbar/data", {"hostapi", "platform"}},
    {"colorbar", {"hostapi", "platform", "host/kit", "params", "colorbar/data"}},
    {"render", {"hostapi", "platform", "host/kit", "params", "colorbar", "colorbar/data"}},
    {"resources", {"hostapi"}},
    {"host",
     {"hostapi", "platform", "host/kit", "options", "params", "colorbar", "colorbar/data", "render", "resources"}},
    {"embedhost", {"hostapi", "platform"}},
    // The command drives the plug-in only through the embedded host; it shares the formats of
    // the files both of them read and write (settings, gradients, presets).
    {"cli", {"hostapi", "platform", "embedhost", "resources", "options", "colorbar/data"}},
};

// The layer a path (relative to the project) lies in, or "" outside every layer.
std::string layerOf(const std::string &path) {
    std::string best;
    for (const auto &[folder, allowed] : kMayInclude)
        if (path.rfind(folder + "/", 0) == 0 && folder.size() > best.size())
            best = folder;
    return best;
}

TEST(LayerOrder, NoFolderIncludesALayerAboveItOrBesideIt) {
    const fs::path root = LUMORA_SOURCE_DIR;
    const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
    int files = 0;
    for (const auto &[folder, allowed] : kMayInclude) {
        for (const auto &entry : fs::recursive_directory_iterator(root / folder)) {
            const std::string name = fs::relative(entry.path(), root).generic_string();
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp" && ext != ".inc") || layerOf(name) != folder)
                continue;
            ++files;
            std::ifstream in(entry.path());
            int line = 0;
            for (std::string text; std::getline(in, text);) {
                ++line;
                std::smatch m;
                if (!std::regex_search(text, m, include))
                    continue;
                const std::string target = layerOf(m[1].str());
                EXPECT_TRUE(target.empty() || target == folder || allowed.count(target))
                    << name << ":" << line << " includes " << m[1] << " (" << target << " is not below " << folder
                    << ")";
            }
        }
    }
    EXPECT_GT(files, 300); // the walk found the tree
}

} // namespace
