// What the host accepts from add_param, and the copy of a definition it keeps: the plug-in's
// text pointers (popup choices, checkbox label) are not kept, their text is copied.
#pragma once

#include <memory>
#include <string>

#include "AE_Effect.h"

namespace embedhost {

// A registered definition with the text it points to. Not movable: the definition points into
// the strings beside it.
struct RegisteredParam {
    PF_ParamDef def{};
    std::string choices; // popup entries, '|'-separated, as given
    std::string label;   // checkbox label

    RegisteredParam() = default;
    RegisteredParam(const RegisteredParam &) = delete;
    RegisteredParam &operator=(const RegisteredParam &) = delete;

    // Aims a definition copied from `def` at this record's text.
    void aimStrings(PF_ParamDef &copy) const;
};

struct DefinitionCheck {
    PF_Err err = PF_Err_NONE;
    std::string reason; // empty when accepted
};

// The checks of one definition on its own (ids across parameters and group nesting are the
// store's). Type numbers the host knows but whose records these headers do not declare
// (fixed sliders, angles, points, paths, buttons, 3D points) are refused like unknown ones,
// with PF_Err_UNRECOGNIZED_PARAM_TYPE; every other fault is PF_Err_BAD_CALLBACK_PARAM.
DefinitionCheck checkDefinition(const PF_ParamDef &def);

// Copies an accepted definition; checkboxes get PF_ParamFlag_CANNOT_INTERP, as the host forces.
std::unique_ptr<RegisteredParam> copyDefinition(const PF_ParamDef &def);

// The input layer the host creates as index 0.
std::unique_ptr<RegisteredParam> inputLayerDefinition();

// Number of '|'-separated entries ("(-" separators count).
int countChoices(const char *choices);

const char *typeName(PF_ParamType type);

} // namespace embedhost
