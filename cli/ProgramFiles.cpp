#include "cli/ProgramFiles.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace lumora::cli {

namespace {

namespace fs = std::filesystem;

fs::path programFolder() {
#ifdef _WIN32
    wchar_t path[32768];
    const DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    if (n == 0 || n >= std::size(path))
        return {};
    return fs::path(std::wstring(path, n)).parent_path();
#else
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec).parent_path();
#endif
}

} // namespace

ProgramFile findProgramFile(const char *name, const fs::path &built) {
    ProgramFile file{programFolder() / name, std::nullopt};
    std::error_code ec;
    for (const fs::path &path : {file.beside, built})
        if (fs::is_regular_file(path, ec)) {
            file.found = path;
            break;
        }
    return file;
}

} // namespace lumora::cli
