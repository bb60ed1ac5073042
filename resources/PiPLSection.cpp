// Places the property list in the module's ".pipl" ELF section, the Linux counterpart of the
// Windows PIPL resource, so it can be read from the module file without loading it.
namespace {

[[gnu::used, gnu::section(".pipl"), gnu::aligned(4)]] const unsigned char kLumoraPiPL[] = {
#include "Lumora.pipl.inc"
};

} // namespace
