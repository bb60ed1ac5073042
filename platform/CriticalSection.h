// A process-wide lock with the semantics of a Win32 critical section (recursive for its owner).
#pragma once

namespace lumora::platform {

class CriticalSection {
public:
    CriticalSection();
    ~CriticalSection();
    CriticalSection(const CriticalSection &) = delete;
    CriticalSection &operator=(const CriticalSection &) = delete;

    void enter();
    void leave();

private:
    alignas(16) unsigned char storage_[64];
};

// Holds a critical section for the life of a scope.
class CriticalSectionLock {
public:
    explicit CriticalSectionLock(CriticalSection &cs) : cs_(cs) { cs_.enter(); }
    ~CriticalSectionLock() { cs_.leave(); }
    CriticalSectionLock(const CriticalSectionLock &) = delete;
    CriticalSectionLock &operator=(const CriticalSectionLock &) = delete;

private:
    CriticalSection &cs_;
};

} // namespace lumora::platform
