// Suites the host offers for rendering: "PF Fill Matte Suite" 2, "PF World Transform Suite" 1,
// "AEGP PF Interface Suite" 1, "AEGP Layer Suite" 11 and "AEGP Item Suite" 11. Their functions
// reach the current Host's worlds and layers; slots the host does not offer answer an error and
// are counted by name (Interaction::unsupportedCalls).
//
// Fill: a null colour is transparent black, a null rectangle the whole world; 8-bit colours
// are rescaled to 16 bit (x 32768 / 255, rounded) and float (/ 255), float colours to the
// integer depths rounded and clamped. Copy: same format only, null rectangles mean the whole
// world, rectangles must lie within their worlds and be non-empty; copy takes the nearest pixel
// (source x = left + floor((i + 0.5) * source width / destination width)) and copy_hq
// interpolates bilinearly between pixel centres, clamped at the edges.
// AEGP: the effect's layer and its source item are handles of this host; the item's size is
// the override of Host::setItemSize, else the input layer's full-resolution size, else the
// profile's width and height.
#pragma once

#include "AE_EffectCBSuites.h"
#include "AE_GeneralPlug.h"

namespace embedhost {

class RenderSuites {
public:
    RenderSuites();
    const PF_FillMatteSuite2 *fillMatte2() const { return &fillMatte_; }
    const PF_WorldTransformSuite1 *worldTransform1() const { return &worldTransform_; }
    const AEGP_PFInterfaceSuite1 *pfInterface1() const { return &pfInterface_; }
    const AEGP_LayerSuite5 *layer5() const { return &layer_; }
    const AEGP_ItemSuite7 *item7() const { return &item_; }

private:
    PF_FillMatteSuite2 fillMatte_{};
    PF_WorldTransformSuite1 worldTransform_{};
    AEGP_PFInterfaceSuite1 pfInterface_{};
    AEGP_LayerSuite5 layer_{};
    AEGP_ItemSuite7 item_{};
};

// Fill in each table (defined beside the functions they hold).
void fillFillMatteSuite(PF_FillMatteSuite2 &suite);
void fillWorldTransformSuite(PF_WorldTransformSuite1 &suite);
void fillAegpSuites(AEGP_PFInterfaceSuite1 &pf, AEGP_LayerSuite5 &layer, AEGP_ItemSuite7 &item);

// Records an unsupported call on the current host; returns PF_Err_UNRECOGNIZED_PARAM_TYPE.
PF_Err unsupportedSuiteCall(const char *name);

// Defines stub_<name> for a slot this host does not serve: called, it reports the slot's name.
#define LUMORA_SUITE_STUB(name)                                                                                        \
    SPAPI PF_Err stub_##name() { return unsupportedSuiteCall(#name); }

} // namespace embedhost
