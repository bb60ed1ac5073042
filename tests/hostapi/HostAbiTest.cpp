// Our host API declarations against the layout measured from the host's SDK headers: every
// size, alignment, member offset and type, constant and suite version that hostapi/ declares.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <set>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "AE_Effect.h"
#include "AE_EffectCB.h"
#include "AE_EffectCBSuites.h"
#include "AE_EffectPixelFormat.h"
#include "AE_EffectSuites.h"
#include "AE_EffectUI.h"
#include "AE_GeneralPlug.h"
#include "SPBasic.h"

namespace {

struct Mismatch {
    std::string what;
    long long expected;
    long long actual;
};

struct Findings {
    std::vector<Mismatch> mismatches;
    std::set<std::string> structs;
    long checks = 0;

    void expect(const std::string &what, long long expected, long long actual) {
        ++checks;
        if (expected != actual)
            mismatches.push_back({what, expected, actual});
    }
};

// The two constants the SDK writes as 1L << 31: positive where long has 64 bits (the table's
// header line gives both values).
long long expectedConst(const char *name, long long windowsValue) {
    if (sizeof(long) == 8 &&
        (std::strcmp(name, "PF_WorldFlag_RESERVED") == 0 || std::strcmp(name, "PF_OutFlag_AUDIO_EFFECT_ONLY") == 0))
        return 2147483648LL;
    return windowsValue;
}

template <typename F>
constexpr bool isFunctionPointer() {
    return std::is_pointer_v<F> && std::is_function_v<std::remove_pointer_t<F>>;
}

// An unnamed member record: "union" or "struct" as the table spells it.
template <typename M>
bool isKind(const std::string &kind) {
    return kind == "union" ? std::is_union_v<M> : std::is_class_v<M> && !std::is_union_v<M>;
}

template <typename F>
struct Signature;
template <typename R, typename... A>
struct Signature<R (*)(A...)> {
    using Args = std::tuple<A...>;
};

// Whether parameter i of function pointer type F is T (top-level const does not count).
template <typename F, std::size_t i, typename T>
constexpr bool argIs() {
    using Args = typename Signature<F>::Args;
    if constexpr (i < std::tuple_size_v<Args>)
        return std::is_same_v<std::remove_cv_t<std::tuple_element_t<i, Args>>, std::remove_cv_t<T>>;
    else
        return false;
}

template <typename F>
constexpr long long arity() {
    return static_cast<long long>(std::tuple_size_v<typename Signature<F>::Args>);
}

#define LUMORA_MEMBER_TYPE_OF(T, path) decltype(std::declval<T &>().path)

#define LUMORA_ABI_STRUCT(T, size, align)                                                                              \
    f.structs.insert(#T);                                                                                              \
    f.expect("sizeof(" #T ")", size, sizeof(T));                                                                       \
    f.expect("alignof(" #T ")", align, alignof(T));
#define LUMORA_ABI_MEMBER(T, path, offset, size)                                                                       \
    f.expect("offsetof(" #T ", " #path ")", offset, offsetof(T, path));                                                \
    f.expect("sizeof(" #T "." #path ")", size, sizeof(std::declval<T &>().path));
#define LUMORA_ABI_MEMBER_TYPE(T, path, ...)                                                                           \
    f.expect(#T "." #path " is " #__VA_ARGS__, 1, std::is_same_v<LUMORA_MEMBER_TYPE_OF(T, path), __VA_ARGS__>);
#define LUMORA_ABI_MEMBER_FN(T, path)                                                                                  \
    f.expect(#T "." #path " is a function pointer", 1, isFunctionPointer<LUMORA_MEMBER_TYPE_OF(T, path)>());
#define LUMORA_ABI_MEMBER_KIND(T, path, kind)                                                                          \
    f.expect(#T "." #path " is a " #kind, 1, isKind<LUMORA_MEMBER_TYPE_OF(T, path)>(#kind));
#define LUMORA_ABI_FN_ARG(T, path, i, ...)                                                                             \
    f.expect(#T "." #path " argument " #i " is " #__VA_ARGS__, 1,                                                      \
             argIs<LUMORA_MEMBER_TYPE_OF(T, path), i, __VA_ARGS__>());
#define LUMORA_ABI_FN_ARITY(T, path, n)                                                                                \
    f.expect(#T "." #path " argument count", n, arity<LUMORA_MEMBER_TYPE_OF(T, path)>());
#define LUMORA_ABI_TYPEDEF(T, size) f.expect("sizeof(" #T ")", size, sizeof(T));
#define LUMORA_ABI_TYPEDEF_FN(T) f.expect(#T " is a function pointer", 1, isFunctionPointer<T>());
#define LUMORA_ABI_TYPEDEF_TYPE(T, ...) f.expect(#T " is " #__VA_ARGS__, 1, std::is_same_v<T, __VA_ARGS__>);
// The fundamental types behind the fixed-width ones are Windows x64's (long long, not long).
#ifdef _WIN32
#define LUMORA_ABI_TYPEDEF_CANONICAL(T, ...)                                                                           \
    f.expect(#T " is " #__VA_ARGS__ " on Windows", 1, std::is_same_v<T, __VA_ARGS__>);
#else
#define LUMORA_ABI_TYPEDEF_CANONICAL(T, ...)
#endif
#define LUMORA_ABI_CONST(name, value) f.expect(#name, expectedConst(#name, value##LL), static_cast<long long>(name));
#define LUMORA_ABI_ABSENT(name) f.expect(#name " is not a name of the host's SDK", 0, 1);
#define LUMORA_ABI_UNKNOWN_NAME(name) f.expect(#name " is not in the measured layout", 0, 1);

Findings checkAll() {
    Findings f;
#include "AbiChecks.inc"
    return f;
}

TEST(HostAbi, EveryDeclarationMatchesTheMeasuredLayout) {
    const Findings f = checkAll();
    for (const Mismatch &m : f.mismatches)
        ADD_FAILURE() << m.what << ": host " << m.expected << ", ours " << m.actual;
    // The records every command exchanges are among what was compared.
    for (const char *record : {"PF_InData", "PF_OutData", "PF_ParamDef", "PF_ArbParamsExtra", "PF_CustomUIInfo",
                               "PF_EventExtra", "PF_SmartRenderExtra"})
        EXPECT_TRUE(f.structs.count(record)) << record << " was not compared";
    EXPECT_GT(f.checks, 2000);
}

} // namespace
