#include "tests/support/TestFolders.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "tests/support/HostPath.h"

namespace lumora::test {

namespace fs = std::filesystem;

std::string scratchRoot() { return hostPath(LUMORA_TEST_TMPDIR); }

ScratchFolder::ScratchFolder(const std::string &name) {
    path_ = (fs::path(scratchRoot()) / ("options-" + name)).string();
    fs::remove_all(path_);
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string ScratchFolder::operator/(const std::string &relative) const {
    return (fs::path(path_) / relative).make_preferred().string();
}

void setEnv(const char *name, const std::optional<std::string> &value) {
#ifdef _WIN32
    // An empty value removes the variable from the C run-time's copy and the process's.
    _putenv_s(name, value ? value->c_str() : "");
#else
    if (value)
        setenv(name, value->c_str(), 1);
    else
        unsetenv(name);
#endif
}

ScopedEnv::ScopedEnv(const char *name, std::optional<std::string> value) : name_(name) {
    if (const char *old = std::getenv(name))
        previous_ = old;
    setEnv(name, value);
}

ScopedEnv::~ScopedEnv() { setEnv(name_.c_str(), previous_); }

std::string readText(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const std::string &path, const std::string &text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::vector<std::string> readLines(const std::string &path) {
    const std::string text = readText(path);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool exists(const std::string &path) { return fs::exists(path); }

} // namespace lumora::test
