// The embedded host's project file: one effect instance's parameter values by disk id and its
// flattened sequence data, in a small line-based text format of ours.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "AE_Effect.h"

// The format:
//
//   LUMORA-PROJECT 1                       magic and format version
//   param <id> <type> <value>              one per saved parameter, any order
//   key <id> <time> <scale> <value>        keyframes of the parameter above, ascending time
//   sequence none | flat <hex> | raw <hex> the sequence data (flat: as the plug-in flattened
//                                          it; raw: the bytes of a handle it never flattens)
//   end
//
// Values by type: float <number> (shortest round-trip form, '.' decimal point whatever the
// locale), slider|popup|checkbox|layer <integer>, color <a> <r> <g> <b> (0..255), arbitrary
// <hex of the plug-in's flattened bytes> (an empty value is written as "-"). Lines end in "\n";
// nothing may follow "end". A file that breaks any of this is refused as a whole.

namespace embedhost {

class ProjectError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ProjectValue {
    PF_ParamType type = PF_Param_RESERVED;
    double number = 0;              // float, slider, popup, checkbox, layer
    PF_Pixel color{};               // color
    std::vector<std::uint8_t> flat; // arbitrary
};

struct ProjectKey {
    A_Time time{0, 1};
    ProjectValue value;
};

struct ProjectParam {
    A_long id = 0;
    ProjectValue value;
    std::vector<ProjectKey> keys;
};

enum class SequenceForm { None, Flat, Raw };

struct ProjectData {
    std::vector<ProjectParam> params;
    SequenceForm sequenceForm = SequenceForm::None;
    std::vector<std::uint8_t> sequence;
};

inline constexpr const char *kProjectMagic = "LUMORA-PROJECT";
inline constexpr int kProjectVersion = 1;

std::string writeProject(const ProjectData &data);
// Throws ProjectError naming the line and what is wrong.
ProjectData readProject(const std::string &text);

} // namespace embedhost
