#include "cli/GestureScript.h"

#include <charconv>

#include "cli/CommandLine.h"
#include "cli/GradientStops.h"

namespace lumora::cli {

namespace {

std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string_view> words(std::string_view s) {
    std::vector<std::string_view> out;
    while (!(s = trim(s)).empty()) {
        const auto end = s.find_first_of(" \t");
        out.push_back(s.substr(0, end));
        s = end == std::string_view::npos ? std::string_view{} : s.substr(end);
    }
    return out;
}

// 'word' followed by `tail`; built by appending, which keeps GCC's -Wrestrict quiet.
std::string quoted(std::string_view word, std::string_view tail) {
    std::string s = "'";
    s.append(word).append("'").append(tail);
    return s;
}

bool parseLong(std::string_view s, A_long &value) {
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc{} && end == s.data() + s.size();
}

std::optional<PF_Point> parsePoint(std::string_view s) {
    const auto comma = s.find(',');
    PF_Point p{};
    if (comma == std::string_view::npos || !parseLong(s.substr(0, comma), p.h) || !parseLong(s.substr(comma + 1), p.v))
        return std::nullopt;
    return p;
}

std::optional<PF_Modifiers> parseModifier(std::string_view s) {
    if (s == "ctrl")
        return PF_Mod_CMD_CTRL_KEY;
    if (s == "shift")
        return PF_Mod_SHIFT_KEY;
    if (s == "caps")
        return PF_Mod_CAPS_LOCK_KEY;
    if (s == "alt")
        return PF_Mod_OPT_ALT_KEY;
    return std::nullopt;
}

class LineParser {
public:
    LineParser(std::string_view source, int line) : source_(source), line_(line) {}

    [[noreturn]] void fail(const std::string &what) const {
        std::string message(source_);
        message.append(":").append(std::to_string(line_)).append(": ").append(what);
        throw UsageError(message);
    }

    // Points, then modifiers; `minPoints`..`maxPoints` points.
    void pointsAndModifiers(Gesture &g, const std::vector<std::string_view> &w, std::size_t minPoints,
                            std::size_t maxPoints) const {
        std::size_t i = 1;
        for (; i < w.size(); ++i) {
            const auto p = parsePoint(w[i]);
            if (!p)
                break;
            g.points.push_back(*p);
        }
        if (g.points.size() < minPoints || g.points.size() > maxPoints)
            fail(quoted(w[0], minPoints == maxPoints ? " takes one point X,Y" : " takes at least two points X,Y"));
        for (; i < w.size(); ++i) {
            const auto m = parseModifier(w[i]);
            if (!m)
                fail(quoted(w[i], " is neither a point X,Y nor a modifier (ctrl, shift, caps, alt)"));
            g.modifiers |= *m;
        }
    }

private:
    std::string_view source_;
    int line_;
};

} // namespace

std::vector<Gesture> parseGestures(std::string_view script, std::string_view source) {
    std::vector<Gesture> out;
    int line = 0;
    while (!script.empty()) {
        ++line;
        const auto nl = script.find('\n');
        std::string_view text = script.substr(0, nl);
        script = nl == std::string_view::npos ? std::string_view{} : script.substr(nl + 1);
        text = trim(text);
        if (text.empty() || text.front() == '#')
            continue;
        const LineParser parser(source, line);
        const std::vector<std::string_view> w = words(text);
        const std::string_view verb = w[0];
        // The rest of the line after the verb, verbatim: names may hold spaces.
        const std::string_view rest = trim(text.substr(verb.size()));
        Gesture g{Gesture::Kind::Click, {}, PF_Mod_NONE, std::nullopt, std::nullopt, line};
        if (verb == "click" || verb == "double-click" || verb == "hover") {
            g.kind = verb == "click"   ? Gesture::Kind::Click
                     : verb == "hover" ? Gesture::Kind::Hover
                                       : Gesture::Kind::DoubleClick;
            parser.pointsAndModifiers(g, w, 1, 1);
            if (g.kind == Gesture::Kind::Hover && g.modifiers != PF_Mod_NONE)
                parser.fail("'hover' takes no modifiers");
        } else if (verb == "drag" || verb == "hold") {
            g.kind = verb == "drag" ? Gesture::Kind::Drag : Gesture::Kind::Hold;
            parser.pointsAndModifiers(g, w, 2, SIZE_MAX);
        } else if (verb == "pick") {
            g.kind = Gesture::Kind::Pick;
            PF_Pixel c{};
            if (rest != "cancel") {
                if (w.size() != 2 || !parseHexColor(w[1], c))
                    parser.fail("'pick' takes a colour #rrggbb or 'cancel'");
                g.color = c;
            }
        } else if (verb == "choose" || verb == "type") {
            g.kind = verb == "choose" ? Gesture::Kind::Choose : Gesture::Kind::Type;
            if (rest.empty())
                parser.fail(quoted(verb, " takes a name"));
            g.text = std::string(rest);
        } else if (verb == "dismiss" || verb == "cancel") {
            if (w.size() != 1)
                parser.fail(quoted(verb, " takes nothing"));
            g.kind = verb == "dismiss" ? Gesture::Kind::Choose : Gesture::Kind::Type;
        } else {
            parser.fail("unknown gesture " +
                        quoted(verb, " (click, double-click, drag, hold, hover, pick, choose, dismiss, type, cancel)"));
        }
        out.push_back(std::move(g));
    }
    return out;
}

} // namespace lumora::cli
