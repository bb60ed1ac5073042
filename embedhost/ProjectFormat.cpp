#include "embedhost/ProjectFormat.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <set>
#include <sstream>

#include "embedhost/ParamDefinition.h"
#include "embedhost/ParamValue.h"

namespace embedhost {

namespace {

constexpr PF_ParamType kSavedTypes[] = {PF_Param_FLOAT_SLIDER,  PF_Param_SLIDER, PF_Param_POPUP,
                                        PF_Param_CHECKBOX,      PF_Param_LAYER,  PF_Param_COLOR,
                                        PF_Param_ARBITRARY_DATA};

std::string hex(const std::vector<std::uint8_t> &bytes) {
    static const char digits[] = "0123456789abcdef";
    if (bytes.empty())
        return "-";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::string number(double v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v); // shortest form that reads back exactly
    return std::string(buf, r.ptr);
}

std::string valueText(const ProjectValue &v) {
    std::string out = typeName(v.type);
    out += ' ';
    switch (v.type) {
    case PF_Param_FLOAT_SLIDER: return out + number(v.number);
    case PF_Param_COLOR:
        return out + std::to_string(v.color.alpha) + ' ' + std::to_string(v.color.red) + ' ' +
               std::to_string(v.color.green) + ' ' + std::to_string(v.color.blue);
    case PF_Param_ARBITRARY_DATA: return out + hex(v.flat);
    default: return out + std::to_string(static_cast<long long>(v.number));
    }
}

// ---- reading

struct Reader {
    std::vector<std::string> tokens;
    int line = 0;

    [[noreturn]] void fail(const std::string &what) const {
        throw ProjectError("project file, line " + std::to_string(line) + ": " + what);
    }
    void need(std::size_t n) const {
        if (tokens.size() != n)
            fail("expected " + std::to_string(n) + " fields, found " + std::to_string(tokens.size()));
    }
    long long integer(std::size_t i, long long lo, long long hi) const {
        const std::string &t = tokens.at(i);
        long long v = 0;
        auto r = std::from_chars(t.data(), t.data() + t.size(), v);
        if (r.ec != std::errc() || r.ptr != t.data() + t.size())
            fail("\"" + t + "\" is not a whole number");
        if (v < lo || v > hi)
            fail(t + " is out of range");
        return v;
    }
    double real(std::size_t i) const {
        const std::string &t = tokens.at(i);
        double v = 0;
        auto r = std::from_chars(t.data(), t.data() + t.size(), v);
        if (r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(v))
            fail("\"" + t + "\" is not a finite number");
        return v;
    }
    std::vector<std::uint8_t> bytes(std::size_t i) const {
        const std::string &t = tokens.at(i);
        std::vector<std::uint8_t> out;
        if (t == "-")
            return out;
        auto digit = [&](char c) -> int {
            if (c >= '0' && c <= '9')
                return c - '0';
            if (c >= 'a' && c <= 'f')
                return c - 'a' + 10;
            fail("bad hexadecimal digit in byte data");
        };
        if (t.size() % 2)
            fail("byte data of odd length");
        for (std::size_t k = 0; k < t.size(); k += 2)
            out.push_back(static_cast<std::uint8_t>(digit(t[k]) * 16 + digit(t[k + 1])));
        return out;
    }
    // The value that starts at field `first` (its type name, then its fields).
    ProjectValue value(std::size_t first) const {
        ProjectValue v;
        const std::string &name = tokens.at(first);
        for (PF_ParamType t : kSavedTypes)
            if (name == typeName(t))
                v.type = t;
        constexpr long long lmin = std::numeric_limits<A_long>::min(), lmax = std::numeric_limits<A_long>::max();
        switch (v.type) {
        case PF_Param_FLOAT_SLIDER:
            need(first + 2);
            v.number = real(first + 1);
            break;
        case PF_Param_SLIDER:
        case PF_Param_POPUP:
        case PF_Param_LAYER:
            need(first + 2);
            v.number = double(integer(first + 1, lmin, lmax));
            break;
        case PF_Param_CHECKBOX:
            need(first + 2);
            v.number = double(integer(first + 1, 0, 1));
            break;
        case PF_Param_COLOR:
            need(first + 5);
            v.color.alpha = static_cast<A_u_char>(integer(first + 1, 0, 255));
            v.color.red = static_cast<A_u_char>(integer(first + 2, 0, 255));
            v.color.green = static_cast<A_u_char>(integer(first + 3, 0, 255));
            v.color.blue = static_cast<A_u_char>(integer(first + 4, 0, 255));
            break;
        case PF_Param_ARBITRARY_DATA:
            need(first + 2);
            v.flat = bytes(first + 1);
            break;
        default: fail("unknown value type \"" + name + "\"");
        }
        return v;
    }
};

std::vector<std::string> split(const std::string &line) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t space = line.find(' ', start);
        if (space == std::string::npos)
            space = line.size();
        out.push_back(line.substr(start, space - start));
        start = space + 1;
    }
    return out;
}

} // namespace

std::string writeProject(const ProjectData &data) {
    std::ostringstream out;
    out << kProjectMagic << ' ' << kProjectVersion << '\n';
    for (const ProjectParam &p : data.params) {
        out << "param " << p.id << ' ' << valueText(p.value) << '\n';
        for (const ProjectKey &k : p.keys)
            out << "key " << p.id << ' ' << k.time.value << ' ' << k.time.scale << ' ' << valueText(k.value) << '\n';
    }
    switch (data.sequenceForm) {
    case SequenceForm::None: out << "sequence none\n"; break;
    case SequenceForm::Flat: out << "sequence flat " << hex(data.sequence) << '\n'; break;
    case SequenceForm::Raw: out << "sequence raw " << hex(data.sequence) << '\n'; break;
    }
    out << "end\n";
    return out.str();
}

ProjectData readProject(const std::string &text) {
    ProjectData data;
    Reader r;
    std::set<A_long> ids;
    bool sequenceSeen = false, ended = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t nl = text.find('\n', pos);
        ++r.line;
        if (nl == std::string::npos)
            r.fail("the last line has no line end (truncated file?)");
        const std::string line = text.substr(pos, nl - pos);
        pos = nl + 1;
        if (ended)
            r.fail("text after \"end\"");
        r.tokens = split(line);
        const std::string &word = r.tokens[0];
        if (r.line == 1) {
            if (word != kProjectMagic)
                r.fail("not a project file (no \"" + std::string(kProjectMagic) + "\" header)");
            r.need(2);
            const long long version = r.integer(1, 0, 1000000);
            if (version != kProjectVersion)
                r.fail("project format version " + std::to_string(version) + " is not supported");
        } else if (word == "param" && !sequenceSeen) {
            if (r.tokens.size() < 3)
                r.fail("incomplete parameter line");
            ProjectParam p;
            p.id = static_cast<A_long>(r.integer(1, 1, std::numeric_limits<A_long>::max()));
            if (!ids.insert(p.id).second)
                r.fail("disk id " + std::to_string(p.id) + " saved twice");
            p.value = r.value(2);
            data.params.push_back(std::move(p));
        } else if (word == "key" && !sequenceSeen) {
            if (r.tokens.size() < 5 || data.params.empty())
                r.fail("keyframe line without its parameter line");
            ProjectParam &p = data.params.back();
            if (r.integer(1, 1, std::numeric_limits<A_long>::max()) != p.id)
                r.fail("keyframe of another parameter than the one above");
            ProjectKey k;
            k.time.value = static_cast<A_long>(
                r.integer(2, std::numeric_limits<A_long>::min(), std::numeric_limits<A_long>::max()));
            k.time.scale = static_cast<A_u_long>(r.integer(3, 1, std::numeric_limits<A_u_long>::max()));
            k.value = r.value(4);
            if (k.value.type != p.value.type)
                r.fail("keyframe value of another type than its parameter");
            if (!p.keys.empty() && compareTimes(k.time, p.keys.back().time) <= 0)
                r.fail("keyframes out of time order");
            p.keys.push_back(std::move(k));
        } else if (word == "sequence" && !sequenceSeen) {
            sequenceSeen = true;
            if (r.tokens.size() == 2 && r.tokens[1] == "none")
                continue;
            r.need(3);
            if (r.tokens[1] == "flat")
                data.sequenceForm = SequenceForm::Flat;
            else if (r.tokens[1] == "raw")
                data.sequenceForm = SequenceForm::Raw;
            else
                r.fail("sequence data must be none, flat or raw");
            data.sequence = r.bytes(2);
        } else if (word == "end" && sequenceSeen) {
            r.need(1);
            ended = true;
        } else {
            r.fail("unexpected \"" + word + "\"");
        }
    }
    if (r.line == 0)
        throw ProjectError("project file is empty");
    if (!ended)
        throw ProjectError("project file ends before \"end\" (truncated?)");
    return data;
}

} // namespace embedhost
