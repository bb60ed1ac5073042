// Saving an effect instance of the embedded host to a project file and loading one into a fresh
// instance, going through the plug-in as After Effects does (format: ProjectFormat.h).
#pragma once

#include <string>
#include <vector>

#include "embedhost/ProjectFormat.h"

namespace embedhost {

class Host;

// Every parameter that has a value, by disk id: its value at the profile's current time and
// its keyframes; arbitrary data flattened by the plug-in (FLAT_SIZE, FLATTEN). Sequence data:
// PF_Cmd_GET_FLATTENED_SEQUENCE_DATA when the plug-in declares
// PF_OutFlag2_SUPPORTS_GET_FLATTENED_SEQUENCE_DATA (the flat copy is disposed afterwards);
// else PF_Cmd_SEQUENCE_FLATTEN when it declares PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING,
// followed by PF_Cmd_SEQUENCE_RESETUP so the instance goes on; else the handle's bytes as they
// are. Throws ProjectError when a command fails or the file cannot be written.
ProjectData captureProject(Host &host);
void saveProject(Host &host, const std::string &path);

struct LoadReport {
    std::vector<A_long> unknownIds; // saved ids no registered parameter has: ignored
    std::vector<A_long> missingIds; // registered ids the file lacks: default (or the value
                                    // field under PF_ParamFlag_USE_VALUE_FOR_OLD_PROJECTS)
};

// Into a fresh instance (no sequence data yet): GLOBAL_SETUP if nothing was sent yet,
// PARAMS_SETUP if nothing is registered, then the values matched by disk id whatever the host
// indices (arbitrary data through UNFLATTEN), then PF_Cmd_SEQUENCE_RESETUP with a host handle
// of the saved sequence bytes (PF_Cmd_SEQUENCE_SETUP when none were saved); the host disposes
// that handle once the plug-in has replaced it. A malformed file, a type that differs from the
// registered one, or a failing command throws ProjectError and leaves the values untouched.
LoadReport applyProject(Host &host, const ProjectData &data);
LoadReport loadProject(Host &host, const std::string &path);

} // namespace embedhost
