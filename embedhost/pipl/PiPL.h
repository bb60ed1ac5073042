// A decoded property list (the host's PiPL resource) and typed access to the properties an
// effect module declares: kind, names, entry point, versions and global flags.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::pipl {

struct PiPLProperty {
    std::string vendor; // in reading order, e.g. "8BIM"
    std::string key;    // in reading order, e.g. "kind"
    std::uint32_t id = 0;
    std::uint32_t length = 0;        // data length as stored, padding included
    std::size_t offset = 0;          // of the property within the list
    std::vector<unsigned char> data; // `length` bytes
};

// A major.minor pair stored as one word, major in the high half.
struct VersionPair {
    unsigned major = 0;
    unsigned minor = 0;
};

// The host's packed effect version, split into its fields.
struct EffectVersion {
    std::uint32_t packed = 0;
    unsigned major = 0;
    unsigned minor = 0;
    unsigned revision = 0;
    unsigned stage = 0; // PF_Stage_DEVELOP .. PF_Stage_RELEASE
    unsigned build = 0;
};

EffectVersion decodeEffectVersion(std::uint32_t packed);
// "develop", "alpha", "beta" or "release".
std::string_view stageName(unsigned stage);
// "1.1.1 release 13".
std::string formatEffectVersion(const EffectVersion &version);

struct PiPL {
    std::uint16_t version = 0;
    std::uint32_t reserved = 0;
    std::uint32_t count = 0;
    std::vector<PiPLProperty> properties;

    // First property with this key (reading order), or null.
    const PiPLProperty *find(std::string_view key) const;

    // Each returns nothing when the property is absent and throws FormatError when its data
    // do not hold a value of the expected form.
    std::optional<std::string> kind() const;      // "kind", e.g. "eFKT"
    std::optional<std::string> name() const;      // "name"
    std::optional<std::string> category() const;  // "catg"
    std::optional<std::string> matchName() const; // "eMNA"
    // Entry-point name for one platform key ("8664" for 64-bit Windows).
    std::optional<std::string> entryPoint(std::string_view platformKey = "8664") const;
    std::optional<VersionPair> piplVersion() const;     // "ePVR"
    std::optional<VersionPair> specVersion() const;     // "eSVR"
    std::optional<EffectVersion> effectVersion() const; // "eVER"
    std::optional<std::uint16_t> infoFlags() const;     // "eINF"
    std::optional<std::uint32_t> outFlags() const;      // "eGLO"
    std::optional<std::uint32_t> outFlags2() const;     // "eGL2"
};

// Parses the whole list; every byte must belong to the header or a property. Throws
// FormatError naming the offset of the first problem.
PiPL decodePiPL(std::span<const unsigned char> bytes);

} // namespace lumora::pipl
