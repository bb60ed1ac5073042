// Typed reading of individual properties and the effect-version bit layout.
#include "embedhost/pipl/FormatError.h"
#include "embedhost/pipl/PiPL.h"

namespace lumora::pipl {

namespace {

const char *describe(const PiPLProperty &p) { return p.key.c_str(); }

std::uint32_t word(const PiPLProperty &p) {
    if (p.data.size() < 4)
        fail("property '%s' at offset %zu: 4-byte value expected, data length %zu", describe(p), p.offset,
             p.data.size());
    return static_cast<std::uint32_t>(p.data[0]) | static_cast<std::uint32_t>(p.data[1]) << 8 |
           static_cast<std::uint32_t>(p.data[2]) << 16 | static_cast<std::uint32_t>(p.data[3]) << 24;
}

// One length byte, then the characters; the rest of the data is padding.
std::string pascalString(const PiPLProperty &p) {
    if (p.data.empty())
        fail("property '%s' at offset %zu: empty data, length byte expected", describe(p), p.offset);
    const std::size_t length = p.data[0];
    if (length + 1 > p.data.size())
        fail("property '%s' at offset %zu: string length %zu exceeds its %zu data bytes", describe(p), p.offset, length,
             p.data.size());
    return {p.data.begin() + 1, p.data.begin() + 1 + static_cast<std::ptrdiff_t>(length)};
}

std::string cString(const PiPLProperty &p) {
    for (std::size_t i = 0; i < p.data.size(); ++i)
        if (p.data[i] == 0)
            return {p.data.begin(), p.data.begin() + static_cast<std::ptrdiff_t>(i)};
    fail("property '%s' at offset %zu: string is not zero-terminated within %zu bytes", describe(p), p.offset,
         p.data.size());
}

VersionPair versionPair(const PiPLProperty &p) {
    const std::uint32_t value = word(p);
    return {value >> 16, value & 0xffffu};
}

template <typename T, typename Read>
std::optional<T> read(const PiPL &list, std::string_view key, Read read) {
    if (const PiPLProperty *p = list.find(key))
        return read(*p);
    return std::nullopt;
}

} // namespace

EffectVersion decodeEffectVersion(std::uint32_t packed) {
    EffectVersion v;
    v.packed = packed;
    v.major = packed >> 19;
    v.minor = (packed >> 15) & 0xfu;
    v.revision = (packed >> 11) & 0xfu;
    v.stage = (packed >> 9) & 0x3u;
    v.build = packed & 0x1ffu;
    return v;
}

std::string_view stageName(unsigned stage) {
    static constexpr std::string_view kNames[] = {"develop", "alpha", "beta", "release"};
    return stage < 4 ? kNames[stage] : std::string_view("unknown");
}

std::string formatEffectVersion(const EffectVersion &v) {
    char text[64];
    std::snprintf(text, sizeof text, "%u.%u.%u %.*s %u", v.major, v.minor, v.revision,
                  static_cast<int>(stageName(v.stage).size()), stageName(v.stage).data(), v.build);
    return text;
}

std::optional<std::string> PiPL::kind() const {
    return read<std::string>(*this, "kind", [](const PiPLProperty &p) {
        word(p); // validates the length
        return std::string(p.data.rend() - 4, p.data.rend());
    });
}

std::optional<std::string> PiPL::name() const { return read<std::string>(*this, "name", pascalString); }
std::optional<std::string> PiPL::category() const { return read<std::string>(*this, "catg", pascalString); }
std::optional<std::string> PiPL::matchName() const { return read<std::string>(*this, "eMNA", pascalString); }

std::optional<std::string> PiPL::entryPoint(std::string_view platformKey) const {
    return read<std::string>(*this, platformKey, cString);
}

std::optional<VersionPair> PiPL::piplVersion() const { return read<VersionPair>(*this, "ePVR", versionPair); }
std::optional<VersionPair> PiPL::specVersion() const { return read<VersionPair>(*this, "eSVR", versionPair); }

std::optional<EffectVersion> PiPL::effectVersion() const {
    return read<EffectVersion>(*this, "eVER", [](const PiPLProperty &p) { return decodeEffectVersion(word(p)); });
}

std::optional<std::uint16_t> PiPL::infoFlags() const {
    return read<std::uint16_t>(*this, "eINF", [](const PiPLProperty &p) {
        if (p.data.size() < 2)
            fail("property 'eINF' at offset %zu: 2-byte value expected, data length %zu", p.offset, p.data.size());
        return static_cast<std::uint16_t>(p.data[0] | p.data[1] << 8);
    });
}

std::optional<std::uint32_t> PiPL::outFlags() const { return read<std::uint32_t>(*this, "eGLO", word); }
std::optional<std::uint32_t> PiPL::outFlags2() const { return read<std::uint32_t>(*this, "eGL2", word); }

} // namespace lumora::pipl
