#include "platform/CriticalSection.h"

#include <new>

#ifdef _WIN32
#include <windows.h>
using Native = CRITICAL_SECTION;
#else
#include <mutex>
using Native = std::recursive_mutex;
#endif

namespace lumora::platform {

static_assert(sizeof(Native) <= 64, "critical section storage too small");

CriticalSection::CriticalSection() {
#ifdef _WIN32
    InitializeCriticalSection(reinterpret_cast<Native *>(storage_));
#else
    new (storage_) Native();
#endif
}

CriticalSection::~CriticalSection() {
#ifdef _WIN32
    DeleteCriticalSection(reinterpret_cast<Native *>(storage_));
#else
    reinterpret_cast<Native *>(storage_)->~Native();
#endif
}

void CriticalSection::enter() {
#ifdef _WIN32
    EnterCriticalSection(reinterpret_cast<Native *>(storage_));
#else
    reinterpret_cast<Native *>(storage_)->lock();
#endif
}

void CriticalSection::leave() {
#ifdef _WIN32
    LeaveCriticalSection(reinterpret_cast<Native *>(storage_));
#else
    reinterpret_cast<Native *>(storage_)->unlock();
#endif
}

} // namespace lumora::platform
