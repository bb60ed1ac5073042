// The host's basic suite: hands out suite tables by name and version and counts every acquire
// and release so that tests can prove each suite a plug-in acquired was released again.
#pragma once

#include <cstddef>
#include <map>
#include <mutex>
#include <set>
#include <vector>

#include "SPBasic.h"
#include "embedhost/HostProfile.h"

namespace embedhost {

class SuiteRegistry {
public:
    struct Use {
        SuiteKey key;
        long acquired = 0;
        long released = 0;
    };

    // Blocks larger than maxBlockBytes are refused with kSPOutOfMemoryError.
    explicit SuiteRegistry(std::vector<SuiteKey> withheld = {}, std::size_t maxBlockBytes = std::size_t{1} << 31);
    SuiteRegistry(const SuiteRegistry &) = delete;
    SuiteRegistry &operator=(const SuiteRegistry &) = delete;
    ~SuiteRegistry();

    // Publishes (or replaces) a suite table; the table must outlive the registry.
    void add(const std::string &name, std::int32_t version, const void *table);
    bool offers(const std::string &name, std::int32_t version) const;
    std::vector<SuiteKey> published() const; // every suite offered, withheld ones left out

    // The SPBasicSuite handed to plug-ins; its functions reach the current Host's registry.
    const SPBasicSuite *basicSuite() const { return &basic_; }

    // What the basic suite's functions do.
    SPErr acquire(const char *name, std::int32_t version, const void **suite);
    SPErr release(const char *name, std::int32_t version);
    SPErr allocateBlock(std::size_t size, void **block);
    SPErr freeBlock(void *block);
    SPErr reallocateBlock(void *block, std::size_t newSize, void **newBlock);

    // Bookkeeping. outstanding() sums acquired - released over all suites.
    long acquired(const std::string &name, std::int32_t version) const;
    long released(const std::string &name, std::int32_t version) const;
    long outstanding(const std::string &name, std::int32_t version) const;
    long outstanding() const;
    long failedAcquires() const;   // unknown or withheld suites, bad arguments
    long badReleases() const;      // release of a suite not currently acquired
    std::vector<Use> uses() const; // every suite acquired or released at least once
    std::size_t liveBlocks() const;
    long badFrees() const; // FreeBlock / ReallocateBlock of a block this host did not allocate
    void resetCounts();

private:
    mutable std::mutex mutex_;
    SPBasicSuite basic_{};
    std::map<SuiteKey, const void *> tables_;
    std::set<SuiteKey> withheld_;
    std::map<SuiteKey, Use> uses_;
    std::size_t maxBlockBytes_;
    std::set<void *> blocks_;
    long failedAcquires_ = 0;
    long badReleases_ = 0;
    long badFrees_ = 0;
};

} // namespace embedhost
