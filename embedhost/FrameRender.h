// One frame rendered through the plug-in as the host renders it: the smart path (pre-render,
// layer checkouts, smart render) or the classic PF_Cmd_RENDER, with what the host lends the
// plug-in meanwhile. Host::renderFrame is the entry; the smart-render callbacks land here.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "AE_Effect.h"
#include "embedhost/Image.h"

namespace embedhost {

class Host;
struct CommandResult;

struct RenderOutput {
    PF_Err err = PF_Err_NONE;
    std::string message;
    Image image;
    A_long originX = 0, originY = 0; // layer coordinates (at current downsample) of image's top-left
    PF_LRect resultRect{}, maxResultRect{};
};

enum class RenderPath { Smart, Classic };

class FrameRenderer {
public:
    explicit FrameRenderer(Host &host) : host_(host) {}
    FrameRenderer(const FrameRenderer &) = delete;
    FrameRenderer &operator=(const FrameRenderer &) = delete;

    // Renders one frame at the profile's current time and downsample. Throws std::logic_error
    // without a plug-in or an input layer, std::invalid_argument for a downsample factor
    // outside (0, 1]. Frames render one at a time.
    RenderOutput render(RenderPath path);

    // Misuse seen while rendering (bad indices, unknown or repeated checkout ids, checkouts
    // left open), one line each.
    std::vector<std::string> problems() const;

    // What the smart-render callbacks do.
    PF_Err checkoutLayer(PF_ProgPtr ref, PF_ParamIndex index, A_long checkoutId, const PF_RenderRequest *req,
                         A_long time, A_long timeStep, A_u_long timeScale, PF_CheckoutResult *result);
    PF_Err checkoutLayerPixels(PF_ProgPtr ref, A_long checkoutId, PF_EffectWorld **pixels);
    PF_Err checkinLayerPixels(PF_ProgPtr ref, A_long checkoutId);
    PF_Err checkoutOutput(PF_ProgPtr ref, PF_EffectWorld **output);

    // What checkout_param / checkin_param of a layer parameter do during a classic render:
    // `def->u.ld` becomes a world of the layer at the render's downsample and depth, origin 0,
    // and stays lent until checked in or the render returns. Outside a classic frame, or for
    // PF_LayerDefault_NONE or a layer the host does not hold, u.ld is zeroed.
    PF_Err lendParamLayer(PF_ParamDef *def, A_long layerId);
    void returnParamLayer(const PF_ParamDef *def);

private:
    enum class Phase { Idle, PreRender, SmartRender, Classic };
    struct Checkout {
        bool hasLayer = false;
        A_long layerId = 0;
        PF_LRect rect{};              // the result rectangle, at the current downsample
        A_long width = 0, height = 0; // the layer at the current downsample
    };

    RenderOutput renderSmart();
    RenderOutput renderClassic();
    void begin(Phase phase);
    void endFrame();                        // returns every lent world; notes checkouts left open
    PF_Err refuse(const std::string &what); // notes it; PF_Err_BAD_CALLBACK_PARAM
    // A smart-render command; a throwing plug-in still gets the frame ended before the exception
    // goes on.
    CommandResult commandInFrame(PF_Cmd cmd, void *extra);

    Host &host_;
    std::mutex renderMutex_;
    mutable std::mutex mutex_; // guards the members below
    Phase phase_ = Phase::Idle;
    PF_PixelFormat format_ = 0;
    PF_RationalScale dsX_{1, 1}, dsY_{1, 1};
    std::map<A_long, Checkout> checkouts_;
    std::map<A_long, std::unique_ptr<PF_EffectWorld>> lent_;
    std::unique_ptr<PF_EffectWorld> output_;
    // Classic path: the worlds lent through layer parameters, by the definition they went to.
    std::vector<std::pair<const PF_ParamDef *, std::unique_ptr<PF_EffectWorld>>> paramLayers_;
    PF_LRect outputRect_{};
    std::vector<std::string> problems_;
};

} // namespace embedhost
