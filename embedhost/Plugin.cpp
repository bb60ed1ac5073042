#include "embedhost/Plugin.h"

#include <atomic>
#include <cstdint>
#include <chrono>
#include <stdexcept>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace embedhost {

namespace {

constexpr const char *kEntrySymbol = "EntryPointFunc";

#ifdef _WIN32
std::wstring widen(const std::string &s) {
    if (s.empty())
        return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string lastErrorText() {
    const DWORD code = GetLastError();
    char buffer[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                             sizeof buffer, nullptr);
    while (n > 0 && (buffer[n - 1] == '\n' || buffer[n - 1] == '\r' || buffer[n - 1] == ' '))
        buffer[--n] = '\0';
    return "Windows error " + std::to_string(code) + (n ? ": " + std::string(buffer) : "");
}

void *moduleOfAddress(const void *address) {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCWSTR>(address), &module);
    return module;
}
#else
std::string lastErrorText() {
    const char *text = dlerror();
    return text ? text : "unknown dynamic loader error";
}

void *moduleOfAddress(const void *address) {
    Dl_info info{};
    return dladdr(address, &info) ? info.dli_fbase : nullptr;
}
#endif

const void *functionAddress(EntryFunc f) { return reinterpret_cast<const void *>(reinterpret_cast<std::uintptr_t>(f)); }

std::filesystem::path uniqueCopyPath(const std::filesystem::path &dir, const std::filesystem::path &original) {
    static std::atomic<unsigned> counter{0};
#ifdef _WIN32
    const unsigned long pid = GetCurrentProcessId();
#else
    const unsigned long pid = static_cast<unsigned long>(getpid());
#endif
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::string name = original.stem().string() + "-" + std::to_string(pid) + "-" + std::to_string(stamp) + "-" +
                       std::to_string(counter++) + original.extension().string();
    return dir / name;
}

} // namespace

std::string Plugin::nativePath(const std::string &path) {
#ifdef _WIN32
    if (!path.empty() && path[0] == '/') {
        std::string out = "Z:" + path;
        for (char &c : out)
            if (c == '/')
                c = '\\';
        return out;
    }
#endif
    return path;
}

Plugin Plugin::linked(EntryFunc entry) {
    if (!entry)
        throw std::invalid_argument("embedhost::Plugin::linked: null entry point");
    Plugin p;
    p.entry_ = entry;
    p.moduleHandle_ = moduleOfAddress(functionAddress(entry));
    return p;
}

Plugin Plugin::load(const std::string &path) {
    Plugin p;
    p.path_ = nativePath(path);
#ifdef _WIN32
    HMODULE module = LoadLibraryW(widen(p.path_).c_str());
    if (!module)
        throw std::runtime_error("cannot load plug-in module '" + p.path_ + "': " + lastErrorText());
    p.library_ = module;
    p.moduleHandle_ = module;
    FARPROC symbol = GetProcAddress(module, kEntrySymbol);
    if (!symbol) {
        std::string why = lastErrorText();
        throw std::runtime_error("plug-in module '" + p.path_ + "' exports no " + kEntrySymbol + ": " + why);
    }
    p.entry_ = reinterpret_cast<EntryFunc>(reinterpret_cast<void (*)()>(symbol));
#else
    dlerror();
    void *library = dlopen(p.path_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        throw std::runtime_error("cannot load plug-in module '" + p.path_ + "': " + lastErrorText());
    p.library_ = library;
    dlerror();
    void *symbol = dlsym(library, kEntrySymbol);
    if (!symbol) {
        std::string why = lastErrorText();
        throw std::runtime_error("plug-in module '" + p.path_ + "' exports no " + kEntrySymbol + ": " + why);
    }
    p.entry_ = reinterpret_cast<EntryFunc>(symbol);
    p.moduleHandle_ = moduleOfAddress(symbol);
#endif
    return p;
}

Plugin Plugin::loadFreshCopy(const std::string &path, const std::string &tempDir) {
    const std::filesystem::path source(nativePath(path));
    const std::filesystem::path dir =
        tempDir.empty() ? std::filesystem::temp_directory_path() : std::filesystem::path(nativePath(tempDir));
    const std::filesystem::path copy = uniqueCopyPath(dir, source);
    std::error_code ec;
    if (!std::filesystem::copy_file(source, copy, ec))
        throw std::runtime_error("cannot copy plug-in module '" + source.string() + "' to '" + copy.string() +
                                 "': " + ec.message());
    try {
        Plugin p = load(copy.string());
        p.ownedCopy_ = copy;
        return p;
    } catch (...) {
        std::filesystem::remove(copy, ec);
        throw;
    }
}

Plugin::Plugin(Plugin &&other) noexcept
    : entry_(std::exchange(other.entry_, nullptr)), library_(std::exchange(other.library_, nullptr)),
      moduleHandle_(std::exchange(other.moduleHandle_, nullptr)), path_(std::move(other.path_)),
      ownedCopy_(std::move(other.ownedCopy_)) {
    other.ownedCopy_.clear();
}

Plugin &Plugin::operator=(Plugin &&other) noexcept {
    if (this != &other) {
        unload();
        entry_ = std::exchange(other.entry_, nullptr);
        library_ = std::exchange(other.library_, nullptr);
        moduleHandle_ = std::exchange(other.moduleHandle_, nullptr);
        path_ = std::move(other.path_);
        ownedCopy_ = std::move(other.ownedCopy_);
        other.ownedCopy_.clear();
    }
    return *this;
}

Plugin::~Plugin() { unload(); }

void Plugin::unload() noexcept {
    if (library_) {
#ifdef _WIN32
        FreeLibrary(static_cast<HMODULE>(library_));
#else
        dlclose(library_);
#endif
        library_ = nullptr;
    }
    entry_ = nullptr;
    moduleHandle_ = nullptr;
    if (!ownedCopy_.empty()) {
        std::error_code ec;
        std::filesystem::remove(ownedCopy_, ec);
        ownedCopy_.clear();
    }
}

} // namespace embedhost
