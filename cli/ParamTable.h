// The effect's parameters as a host received them at parameter set-up, printed one per line:
// index, disk id, type, name, ranges, default, display settings and flags.
#pragma once

#include <string>
#include <vector>

#include "AE_Effect.h"

namespace lumora::cli {

// One registered parameter; the texts the definition points at are held here.
struct ParamRow {
    A_long index = 0;
    PF_ParamDef def{};
    std::string choices; // popups: the "A|B|C" menu text
    std::string label;   // checkboxes: the text beside the box
};

// The table with a header line; index 0, the host's input layer, is printed as such, and each
// popup's menu text follows its row.
std::string formatParamTable(const std::vector<ParamRow> &rows);

// Pieces of a row, also used on their own.
std::string paramTypeName(PF_ParamType type);
std::string paramFlagNames(PF_ParamFlags flags); // "-" for none
std::string uiFlagNames(PF_ParamUIFlags flags);  // "-" for none
// Shortest form that reads back to the same number, with a full stop whatever the locale.
std::string formatNumber(double value);
std::string formatNumber(float value);
// The 1-based entry of a popup's "A|B|C" menu text; empty when there is none.
std::string choiceAt(const std::string &choices, A_long position);

} // namespace lumora::cli
