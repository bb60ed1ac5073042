// An effect plug-in as the host sees it: its entry point, either linked into the program or
// loaded from a module file (Windows .aex / DLL, or a shared object elsewhere).
#pragma once

#include <filesystem>
#include <string>

#include "AE_Effect.h"

namespace embedhost {

using EntryFunc = PF_Err (*)(PF_Cmd cmd, PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                             PF_LayerDef *output, void *extra);

class Plugin {
public:
    // A plug-in compiled into this program.
    static Plugin linked(EntryFunc entry);
    // Loads the module and finds its exported "EntryPointFunc". Throws std::runtime_error
    // naming the path and the system's error when the file or the symbol is missing. Under
    // Windows a Unix absolute path ("/work/x.aex") is taken as the Z: drive wine maps to "/".
    static Plugin load(const std::string &path);
    // Loads a private copy of the module (in `tempDir`, default the system's temporary
    // folder), so that its statics start fresh even if the same file is loaded elsewhere.
    // The copy is deleted after unloading.
    static Plugin loadFreshCopy(const std::string &path, const std::string &tempDir = {});

    Plugin(Plugin &&other) noexcept;
    Plugin &operator=(Plugin &&other) noexcept;
    Plugin(const Plugin &) = delete;
    Plugin &operator=(const Plugin &) = delete;
    ~Plugin(); // unloads a loaded module

    EntryFunc entry() const { return entry_; }
    bool isModule() const { return library_ != nullptr; }
    // HINSTANCE of the module on Windows (for FindResource and PF_PlatData_RES_DLLINSTANCE);
    // elsewhere the module's load address. For a linked plug-in: the program's module.
    void *moduleHandle() const { return moduleHandle_; }
    const std::string &path() const { return path_; } // the file actually loaded; empty if linked

    // The path as the platform's loader wants it (the Z: mapping above under Windows).
    static std::string nativePath(const std::string &path);

private:
    Plugin() = default;
    void unload() noexcept;

    EntryFunc entry_ = nullptr;
    void *library_ = nullptr; // HMODULE or dlopen handle
    void *moduleHandle_ = nullptr;
    std::string path_;
    std::filesystem::path ownedCopy_; // removed after unloading
};

} // namespace embedhost
