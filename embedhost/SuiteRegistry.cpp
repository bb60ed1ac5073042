#include "embedhost/SuiteRegistry.h"

#include <cstdlib>
#include <cstring>

#include "embedhost/CurrentHost.h"
#include "embedhost/LockedRead.h"

namespace embedhost {

namespace {

SuiteRegistry *currentRegistry() { return current::suites(); }

SPAPI SPErr basicAcquire(const char *name, std::int32_t version, const void **suite) {
    if (SuiteRegistry *r = currentRegistry())
        return r->acquire(name, version, suite);
    if (suite)
        *suite = nullptr;
    return kSPSuiteNotFoundError;
}

SPAPI SPErr basicRelease(const char *name, std::int32_t version) {
    SuiteRegistry *r = currentRegistry();
    return r ? r->release(name, version) : kSPSuiteNotFoundError;
}

SPAPI SPBoolean basicIsEqual(const char *a, const char *b) {
    if (!a || !b)
        return a == b;
    return std::strcmp(a, b) == 0;
}

SPAPI SPErr basicAllocate(std::size_t size, void **block) {
    SuiteRegistry *r = currentRegistry();
    return r ? r->allocateBlock(size, block) : kSPOutOfMemoryError;
}

SPAPI SPErr basicFree(void *block) {
    SuiteRegistry *r = currentRegistry();
    return r ? r->freeBlock(block) : kSPBadParameterError;
}

SPAPI SPErr basicReallocate(void *block, std::size_t newSize, void **newBlock) {
    SuiteRegistry *r = currentRegistry();
    return r ? r->reallocateBlock(block, newSize, newBlock) : kSPBadParameterError;
}

SPAPI SPErr basicUndefined(void) { return kSPUnimplementedError; }

} // namespace

SuiteRegistry::SuiteRegistry(std::vector<SuiteKey> withheld, std::size_t maxBlockBytes)
    : withheld_(withheld.begin(), withheld.end()), maxBlockBytes_(maxBlockBytes) {
    basic_.AcquireSuite = basicAcquire;
    basic_.ReleaseSuite = basicRelease;
    basic_.IsEqual = basicIsEqual;
    basic_.AllocateBlock = basicAllocate;
    basic_.FreeBlock = basicFree;
    basic_.ReallocateBlock = basicReallocate;
    basic_.Undefined = basicUndefined;
    add(kSPBasicSuite, kSPBasicSuiteVersion, &basic_);
}

SuiteRegistry::~SuiteRegistry() {
    // Blocks a plug-in leaked die with the host; liveBlocks() let tests see them first.
    for (void *block : blocks_)
        std::free(block);
}

void SuiteRegistry::add(const std::string &name, std::int32_t version, const void *table) {
    std::lock_guard lock(mutex_);
    tables_[SuiteKey{name, version}] = table;
}

std::vector<SuiteKey> SuiteRegistry::published() const {
    std::lock_guard lock(mutex_);
    std::vector<SuiteKey> keys;
    for (const auto &[key, table] : tables_)
        if (!withheld_.count(key))
            keys.push_back(key);
    return keys;
}

bool SuiteRegistry::offers(const std::string &name, std::int32_t version) const {
    std::lock_guard lock(mutex_);
    SuiteKey key{name, version};
    return tables_.count(key) && !withheld_.count(key);
}

SPErr SuiteRegistry::acquire(const char *name, std::int32_t version, const void **suite) {
    std::lock_guard lock(mutex_);
    if (!suite || !name) {
        ++failedAcquires_;
        return kSPBadParameterError;
    }
    *suite = nullptr;
    SuiteKey key{name, version};
    auto it = tables_.find(key);
    if (it == tables_.end() || withheld_.count(key)) {
        ++failedAcquires_;
        return kSPSuiteNotFoundError;
    }
    Use &use = uses_[key];
    use.key = key;
    ++use.acquired;
    *suite = it->second;
    return kSPNoError;
}

SPErr SuiteRegistry::release(const char *name, std::int32_t version) {
    std::lock_guard lock(mutex_);
    if (!name) {
        ++badReleases_;
        return kSPBadParameterError;
    }
    SuiteKey key{name, version};
    auto it = uses_.find(key);
    if (it == uses_.end() || it->second.released >= it->second.acquired) {
        ++badReleases_;
        return tables_.count(key) ? kSPSuiteAlreadyReleasedError : kSPSuiteNotFoundError;
    }
    ++it->second.released;
    return kSPNoError;
}

SPErr SuiteRegistry::allocateBlock(std::size_t size, void **block) {
    if (!block)
        return kSPBadParameterError;
    *block = nullptr;
    if (size > maxBlockBytes_)
        return kSPOutOfMemoryError;
    // malloc(0) may legally return null; a block must still be a distinct, freeable pointer.
    void *p = std::malloc(size ? size : 1);
    if (!p)
        return kSPOutOfMemoryError;
    std::lock_guard lock(mutex_);
    blocks_.insert(p);
    *block = p;
    return kSPNoError;
}

SPErr SuiteRegistry::freeBlock(void *block) {
    if (!block)
        return kSPNoError; // as free(NULL)
    {
        std::lock_guard lock(mutex_);
        if (!blocks_.erase(block)) {
            ++badFrees_;
            return kSPBadParameterError;
        }
    }
    std::free(block);
    return kSPNoError;
}

SPErr SuiteRegistry::reallocateBlock(void *block, std::size_t newSize, void **newBlock) {
    if (!newBlock)
        return kSPBadParameterError;
    *newBlock = nullptr;
    if (!block)
        return allocateBlock(newSize, newBlock);
    std::lock_guard lock(mutex_);
    auto it = blocks_.find(block);
    if (it == blocks_.end()) {
        ++badFrees_;
        return kSPBadParameterError;
    }
    if (newSize > maxBlockBytes_)
        return kSPOutOfMemoryError;
    void *p = std::realloc(block, newSize ? newSize : 1);
    if (!p)
        return kSPOutOfMemoryError; // the old block stays valid, as with realloc
    blocks_.erase(it);
    blocks_.insert(p);
    *newBlock = p;
    return kSPNoError;
}

long SuiteRegistry::acquired(const std::string &name, std::int32_t version) const {
    std::lock_guard lock(mutex_);
    auto it = uses_.find(SuiteKey{name, version});
    return it == uses_.end() ? 0 : it->second.acquired;
}

long SuiteRegistry::released(const std::string &name, std::int32_t version) const {
    std::lock_guard lock(mutex_);
    auto it = uses_.find(SuiteKey{name, version});
    return it == uses_.end() ? 0 : it->second.released;
}

long SuiteRegistry::outstanding(const std::string &name, std::int32_t version) const {
    std::lock_guard lock(mutex_);
    auto it = uses_.find(SuiteKey{name, version});
    return it == uses_.end() ? 0 : it->second.acquired - it->second.released;
}

long SuiteRegistry::outstanding() const {
    std::lock_guard lock(mutex_);
    long total = 0;
    for (const auto &[key, use] : uses_)
        total += use.acquired - use.released;
    return total;
}

long SuiteRegistry::failedAcquires() const { return lockedRead(mutex_, failedAcquires_); }

long SuiteRegistry::badReleases() const { return lockedRead(mutex_, badReleases_); }

std::vector<SuiteRegistry::Use> SuiteRegistry::uses() const {
    std::lock_guard lock(mutex_);
    std::vector<Use> out;
    for (const auto &[key, use] : uses_)
        out.push_back(use);
    return out;
}

std::size_t SuiteRegistry::liveBlocks() const {
    std::lock_guard lock(mutex_);
    return blocks_.size();
}

long SuiteRegistry::badFrees() const { return lockedRead(mutex_, badFrees_); }

void SuiteRegistry::resetCounts() {
    std::lock_guard lock(mutex_);
    // Suites still held keep their balance so that a later release is not taken for a bad one.
    for (auto it = uses_.begin(); it != uses_.end();) {
        long held = it->second.acquired - it->second.released;
        if (held == 0) {
            it = uses_.erase(it);
        } else {
            it->second.acquired = held;
            it->second.released = 0;
            ++it;
        }
    }
    failedAcquires_ = badReleases_ = badFrees_ = 0;
}

} // namespace embedhost
