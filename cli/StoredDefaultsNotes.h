// Notes on entries of the user settings file that the plug-in ignores (a menu separator, a
// number outside the parameter's range, anything but a plain decimal number), so a user who
// edited Lumora.ini by hand learns why a default did not take.
#pragma once

#include <string>
#include <vector>

#include "cli/RenderOptions.h"

namespace lumora::cli {

// One line per ignored entry of `entries` ("key=value"), judged against the parameters of
// `table`; keys that name no parameter are left alone.
std::vector<std::string> storedDefaultNotes(const std::vector<std::string> &entries,
                                            const std::vector<ParamOption> &table);

// The settings file's notes on `err`, each "lumora: note: ...". Nothing when there is no file.
void noteStoredDefaults(const std::vector<ParamOption> &table, std::ostream &err);

// `text` with control characters (terminal escapes among them) shown as '?'.
std::string printable(const std::string &text);

} // namespace lumora::cli
