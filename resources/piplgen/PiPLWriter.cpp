#include "PiPLWriter.h"

#include <stdexcept>
#include <string>

namespace lumora::piplgen {

namespace {

constexpr std::string_view kVendor = "8BIM";

void appendU16(std::vector<unsigned char> &out, std::uint16_t value) {
    out.push_back(static_cast<unsigned char>(value & 0xff));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

void appendU32(std::vector<unsigned char> &out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<unsigned char>((value >> shift) & 0xff));
}

// The resource compiler treats a four-character code as a 32-bit integer whose first character
// is the most significant byte, then writes it little-endian: the bytes come out reversed.
void appendFourCC(std::vector<unsigned char> &out, std::string_view code) {
    if (code.size() != 4)
        throw std::invalid_argument("four-character code expected, got \"" + std::string(code) + "\"");
    for (auto it = code.rbegin(); it != code.rend(); ++it)
        out.push_back(static_cast<unsigned char>(*it));
}

} // namespace

void PiPLWriter::addProperty(std::string_view key, std::vector<unsigned char> data) {
    while (data.size() % 4 != 0)
        data.push_back(0);
    appendFourCC(body_, kVendor);
    appendFourCC(body_, key);
    appendU32(body_, 0); // property id
    appendU32(body_, static_cast<std::uint32_t>(data.size()));
    body_.insert(body_.end(), data.begin(), data.end());
    ++count_;
}

void PiPLWriter::addFourCC(std::string_view key, std::string_view value) {
    std::vector<unsigned char> data;
    appendFourCC(data, value);
    addProperty(key, std::move(data));
}

void PiPLWriter::addPascalString(std::string_view key, std::string_view text) {
    if (text.size() > 255)
        throw std::invalid_argument("string too long for a length byte: \"" + std::string(text) + "\"");
    std::vector<unsigned char> data;
    data.push_back(static_cast<unsigned char>(text.size()));
    data.insert(data.end(), text.begin(), text.end());
    addProperty(key, std::move(data));
}

void PiPLWriter::addCString(std::string_view key, std::string_view text) {
    if (text.find('\0') != std::string_view::npos)
        throw std::invalid_argument("zero byte inside a zero-terminated string");
    std::vector<unsigned char> data(text.begin(), text.end());
    data.push_back(0);
    addProperty(key, std::move(data));
}

void PiPLWriter::addLong(std::string_view key, std::uint32_t value) {
    std::vector<unsigned char> data;
    appendU32(data, value);
    addProperty(key, std::move(data));
}

void PiPLWriter::addShort(std::string_view key, std::uint16_t value) {
    std::vector<unsigned char> data;
    appendU16(data, value);
    addProperty(key, std::move(data));
}

void PiPLWriter::addVersion(std::string_view key, std::uint16_t major, std::uint16_t minor) {
    addLong(key, (static_cast<std::uint32_t>(major) << 16) | minor);
}

std::vector<unsigned char> PiPLWriter::bytes() const {
    std::vector<unsigned char> out;
    appendU16(out, 1); // format version
    appendU32(out, 0); // reserved
    appendU32(out, count_);
    out.insert(out.end(), body_.begin(), body_.end());
    return out;
}

} // namespace lumora::piplgen
