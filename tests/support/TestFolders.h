// Scratch folders under the build tree for the settings tests, with the special-folder overrides
// pointed into them so that no test reaches the real user or shared folders.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lumora::test {

// The build tree's scratch root as the program under test names it ("Z:\..." under wine).
std::string scratchRoot();

// A fresh, empty folder <scratch root>/options-<name>, removed again by the destructor.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string &name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    const std::string &path() const { return path_; }
    std::string operator/(const std::string &relative) const; // joined with the system separator

private:
    std::string path_;
};

// Sets (or, with nothing, unsets) an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char *name, std::optional<std::string> value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};

void setEnv(const char *name, const std::optional<std::string> &value);

std::string readText(const std::string &path);
void writeText(const std::string &path, const std::string &text);
// The file's lines without their line ends ("\n" or "\r\n").
std::vector<std::string> readLines(const std::string &path);
bool exists(const std::string &path);

} // namespace lumora::test
