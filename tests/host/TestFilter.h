// The framework filter on its own, as the lifecycle tests drive it.
#pragma once

#include "host/BaseFilter.h"

namespace lumora::test {

class TestFilter : public AEUtil::BaseFilter {};

} // namespace lumora::test
