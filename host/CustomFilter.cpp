#include "host/CustomFilter.h"

#include <clocale>

namespace AEUtil {

CustomFilter::CustomFilter() { std::setlocale(LC_ALL, ""); }

CustomFilter::~CustomFilter() = default;

} // namespace AEUtil
