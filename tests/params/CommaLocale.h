// A C locale whose decimal separator is a comma, for the settings round trip as a German
// user's host would do it.
#pragma once

namespace lumora::test {

// Switches LC_ALL to such a locale and returns true, or leaves the locale alone and returns
// false when the system has none (native builds compile one into the test tree if they can).
bool useCommaLocale();

// Back to the "C" locale.
void useCLocale();

} // namespace lumora::test
