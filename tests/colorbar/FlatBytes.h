// Builds expected flattened gradient bytes field by field, as the layout tables give them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace colorbar_test {

// IEEE single-precision bit patterns of the positions used in expectations.
inline constexpr std::uint32_t kF0 = 0x00000000;   // 0.0f
inline constexpr std::uint32_t kF025 = 0x3e800000; // 0.25f
inline constexpr std::uint32_t kF05 = 0x3f000000;  // 0.5f
inline constexpr std::uint32_t kF075 = 0x3f400000; // 0.75f
inline constexpr std::uint32_t kF1 = 0x3f800000;   // 1.0f

struct FlatBytes {
    std::vector<std::uint8_t> v;

    FlatBytes &u8(std::uint8_t b) {
        v.push_back(b);
        return *this;
    }
    FlatBytes &le32(std::uint32_t w) {
        for (int i = 0; i < 4; ++i)
            v.push_back(static_cast<std::uint8_t>(w >> (8 * i)));
        return *this;
    }
    FlatBytes &zeros(std::size_t n) {
        v.insert(v.end(), n, 0);
        return *this;
    }
    FlatBytes &name(const char *text) {
        std::size_t n = 0;
        for (; text[n]; ++n)
            v.push_back(static_cast<std::uint8_t>(text[n]));
        return zeros(260 - n);
    }
    FlatBytes &listHeader(std::uint32_t count, std::uint32_t flags = 0) { return le32(count).le32(flags).zeros(8); }
    FlatBytes &flag(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint32_t positionBits,
                    std::int32_t id) {
        return u8(a).u8(r).u8(g).u8(b).le32(positionBits).le32(static_cast<std::uint32_t>(id)).le32(0);
    }
    FlatBytes &unusedSlots(std::size_t n) {
        for (std::size_t i = 0; i < n; ++i)
            le32(0).le32(0).le32(0xffffffffu).le32(0);
        return *this;
    }
    // Every byte of both lists (from offset 264) as the text form writes them, "%02x,".
    std::string listText() const {
        static const char *hex = "0123456789abcdef";
        std::string s;
        for (std::size_t i = 264; i < v.size(); ++i)
            s.append({hex[v[i] >> 4], hex[v[i] & 15], ','});
        return s;
    }
    // A freshly initialised list: count 0, flags word 0, every slot unused.
    FlatBytes &emptyList() { return listHeader(0).unusedSlots(32); }
    // The default value, written out by hand.
    static FlatBytes defaultValue() {
        FlatBytes f;
        f.le32(0).name("");
        f.listHeader(3)
            .flag(0xff, 0xff, 0xff, 0xff, kF0, 0)
            .flag(0xff, 0x32, 0xf8, 0xff, kF05, 1)
            .flag(0xff, 0x00, 0x18, 0xff, kF1, 2)
            .unusedSlots(29);
        f.emptyList();
        return f;
    }
};

} // namespace colorbar_test
