// A parameter registration object: everything the host needs to create one effect parameter,
// where its value goes in the render settings record, and how its user default is kept.
#pragma once

#include "AE_Effect.h"

struct RenderSettings;

namespace AEUtil {

class ParamGetter;

// Objects append themselves to the process-wide registry (params/ParamRegistry.h) when
// constructed; the registry owns them, so they are created with `new` and never deleted by
// their creator.
class BaseParam {
public:
    virtual ~BaseParam();

    // Fetches the value through the reader and, when a record is given, copies it there.
    virtual PF_Err read(RenderSettings *record, ParamGetter &reader);
    // Checks the object's own definition in again through the reader, if it was fetched.
    virtual PF_Err release(ParamGetter &reader);
    // Fills the definition and appends the parameter to the host's list. `settingsPath` is the
    // user settings file, or null when the file is not in use on this host.
    virtual PF_Err registerParam(PF_InData *in_data, A_long id, const char *settingsPath) = 0;
    // Writes the definition's current value to the settings file (null: nothing is written).
    virtual PF_Err saveDefault(PF_InData *in_data, const char *settingsPath);

    const char *name() const noexcept { return name_; }
    const PF_ParamDef &definition() const noexcept { return def_; }
    PF_ParamDef &definition() noexcept { return def_; }
    A_long id() const noexcept { return id_; }
    void setId(A_long id) noexcept { id_ = id; }
    A_long index() const noexcept { return index_; }
    A_long valueOffset() const noexcept { return value_offset_; }
    A_long valueWidth() const noexcept { return value_width_; }

    BaseParam(const BaseParam &) = delete;
    BaseParam &operator=(const BaseParam &) = delete;

protected:
    // Takes the next host index and appends the object to the registry; raises an
    // AEException (PF_Err_OUT_OF_MEMORY) when the registry is full.
    BaseParam(A_long valueOffset, A_long valueWidth, const char *name, const PF_ParamDef &templ);

    // Copies the name into the definition through the host's strcpy, sets id and type.
    void prepareDefinition(PF_InData *in_data, A_long id, PF_ParamType type);
    // Appends the definition to the host's parameter list (index -1).
    PF_Err addToHost(PF_InData *in_data);

    const char *name_;
    PF_ParamDef def_;
    A_long id_ = 0;
    A_long index_;
    A_long value_offset_;
    A_long value_width_;
    // Set while the own definition holds a successful fetch that was not given back, so a
    // failed or skipped checkout is never checked in.
    bool fetched_ = false;
};

} // namespace AEUtil
