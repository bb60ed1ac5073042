#include "resources/BuiltinPiPL.h"

namespace lumora::resources {

namespace {
constexpr unsigned char kBytes[] = {
#include "Lumora.pipl.inc"
};
} // namespace

std::span<const unsigned char> builtinPiPL() { return kBytes; }

} // namespace lumora::resources
