// Settings of one embedded host: what it reports to the plug-in and which services it offers.
// Defaults describe a current After Effects; tests change single fields to probe the plug-in.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "AE_Effect.h"

namespace embedhost {

// Packs a four-character code the way the host's SDK writes them ('FXTC' == 0x46585443).
constexpr A_long fourCharCode(const char (&code)[5]) {
    return static_cast<A_long>((std::uint32_t(std::uint8_t(code[0])) << 24) |
                               (std::uint32_t(std::uint8_t(code[1])) << 16) |
                               (std::uint32_t(std::uint8_t(code[2])) << 8) | std::uint32_t(std::uint8_t(code[3])));
}

struct SuiteKey {
    std::string name;
    std::int32_t version = 0;
    auto operator<=>(const SuiteKey &) const = default;
};

struct HostProfile {
    // Identity.
    A_long applId = fourCharCode("FXTC");
    PF_SpecVersion version{13, 28};
    bool provideBasicSuite = true; // false: in_data->pica_basicP is null
    // Suites the host knows but answers as not found, e.g. {"PF World Suite", 2} to act as an
    // older host (then worlds come from version 1 and the utility callbacks: 8 and 16 bit only).
    std::vector<SuiteKey> withheldSuites;

    // "PF AE App Suite": the interface language tag (cut to 5 characters as the SDK's buffer
    // holds), the panel background (16 bits per channel; the host theme's starting background,
    // Host::customUi().setTheme changes it later) and whether this is a render engine.
    // Withhold {"PF AE App Suite", 7} to act as a host that cannot tell its language.
    std::string language = "en_US";
    std::array<A_u_short, 3> appBackground{0x2323, 0x2323, 0x2323};
    bool renderEngine = false;

    // Render threads behind iterate_generic; 0 means std::thread::hardware_concurrency().
    unsigned workerThreads = 0;

    // Layer and time as in_data reports them.
    A_long width = 640;
    A_long height = 480;
    std::optional<PF_Rect> extentHint; // unset: (0, 0, width, height)
    A_long currentTime = 0;
    A_long timeStep = 1;
    A_u_long timeScale = 30;
    A_long totalTime = 300;
    PF_RationalScale downsampleX{1, 1};
    PF_RationalScale downsampleY{1, 1};
    PF_Quality quality = PF_Quality_HI;

    // Memory. Extra bytes are added to every new world's rows (rounded up to a multiple of 16)
    // so that code assuming rowbytes == width * pixel size reads the wrong pixels.
    A_long extraRowBytes = 0;
    A_HandleSize maxAllocationBytes = A_HandleSize{1} << 31; // larger requests fail
    A_long maxWorldDimension = 30000;                        // as the host's largest layer
    // New memory (handles, and worlds made without clearing) holds a garbage pattern, as the
    // host's memory is not zeroed, so tests catch reads of what was never written. lumora and
    // the benchmarks turn it off: the pattern is this host's cost, not the effect's.
    bool garbageFill = true;
    // Bytes of disposed worlds and handles (blocks of 1 MiB and more) kept to serve new ones
    // of the same size, as the host's memory cache does. 0 here, so the sanitizers see a use
    // after dispose; lumora and the benchmarks keep some, so frames after the first reuse pages.
    std::size_t reuseCacheBytes = 0;

    HostProfile &withhold(std::string name, std::int32_t suiteVersion) {
        withheldSuites.push_back({std::move(name), suiteVersion});
        return *this;
    }
};

} // namespace embedhost
