#include "platform/CriticalSection.h"

#include <new>

#ifdef _WIN32
#include <windows.h>
#else
#include <mutex>
#endif

namespace lumora::platform {

namespace {

// The platform's four primitives, each on the lock held in the class's storage.
#ifdef _WIN32
using Native = CRITICAL_SECTION;
void createLock(Native *n) { InitializeCriticalSection(n); }
void destroyLock(Native *n) { DeleteCriticalSection(n); }
void enterLock(Native *n) { EnterCriticalSection(n); }
void leaveLock(Native *n) { LeaveCriticalSection(n); }
#else
using Native = std::recursive_mutex;
void createLock(Native *n) { new (n) Native(); }
void destroyLock(Native *n) { n->~Native(); }
void enterLock(Native *n) { n->lock(); }
void leaveLock(Native *n) { n->unlock(); }
#endif

static_assert(sizeof(Native) <= 64, "critical section storage too small");

Native *native(unsigned char *storage) { return reinterpret_cast<Native *>(storage); }

} // namespace

CriticalSection::CriticalSection() { createLock(native(storage_)); }

CriticalSection::~CriticalSection() { destroyLock(native(storage_)); }

void CriticalSection::enter() { enterLock(native(storage_)); }

void CriticalSection::leave() { leaveLock(native(storage_)); }

} // namespace lumora::platform
