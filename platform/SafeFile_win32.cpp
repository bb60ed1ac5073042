#include "platform/SafeFile.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include "platform/SafeFileTemporaries.h"
#include "platform/Win32Text.h"

namespace lumora::platform {

bool processRunning(unsigned long pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED; // another user's: running
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

bool writeFileSafely(const std::string &path, std::string_view bytes, std::string &cause) {
    namespace fs = std::filesystem;
    const fs::path target(finalTarget(path));
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::random_device seed;
    std::string temp;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temp = temporaryName(folder.string(), target.filename().string(), GetCurrentProcessId(), seed());
        file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
            cause = systemErrorText(GetLastError());
            return false;
        }
    }
    if (file == INVALID_HANDLE_VALUE) {
        cause = "no unique temporary name was free";
        return false;
    }
    const PendingTemporary pending(temp);
    DWORD err = 0;
    std::size_t done = 0;
    while (!err && done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr))
            err = GetLastError();
        else if (written == 0)
            err = ERROR_DISK_FULL;
        done += written;
    }
    if (!err && !FlushFileBuffers(file))
        err = GetLastError();
    if (!CloseHandle(file) && !err)
        err = GetLastError();
    // Another writer replacing the same file holds it for a moment: wait for it, up to a second.
    for (int attempt = 0; !err; ++attempt) {
        if (MoveFileExA(temp.c_str(), target.string().c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            break;
        err = GetLastError();
        if ((err == ERROR_ACCESS_DENIED || err == ERROR_SHARING_VIOLATION) && attempt < 100) {
            err = 0;
            Sleep(10);
        }
    }
    if (err) {
        DeleteFileA(temp.c_str());
        cause = systemErrorText(err);
        return false;
    }
    return true;
}

} // namespace lumora::platform
