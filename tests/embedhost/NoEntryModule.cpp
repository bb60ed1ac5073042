// A module that exports something, but not the effect entry point.
#ifdef _WIN32
#define FAKE_EXPORT extern "C" __declspec(dllexport)
#else
#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

FAKE_EXPORT int NotTheEntryPoint(int x) { return x + 1; }
