// How failures become host result codes and return messages.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "host/kit/FailureTranslation.h"

namespace {

PF_OutData freshOut() {
    PF_OutData out{};
    std::memset(out.return_msg, 'x', sizeof out.return_msg); // catches a missing terminator
    return out;
}

TEST(ErrorNames, NamesTheHostCodesAndNothingElse) {
    EXPECT_STREQ(AEUtil::errorName(0), "PF_Err_NONE");
    EXPECT_STREQ(AEUtil::errorName(4), "PF_Err_OUT_OF_MEMORY");
    EXPECT_STREQ(AEUtil::errorName(512), "PF_Err_INTERNAL_STRUCT_DAMAGED");
    EXPECT_STREQ(AEUtil::errorName(513), "PF_Err_INVALID_INDEX");
    EXPECT_STREQ(AEUtil::errorName(514), "PF_Err_UNRECOGNIZED_PARAM_TYPE");
    EXPECT_STREQ(AEUtil::errorName(515), "PF_Err_INVALID_CALLBACK");
    EXPECT_STREQ(AEUtil::errorName(516), "PF_Err_BAD_CALLBACK_PARAM");
    EXPECT_STREQ(AEUtil::errorName(517), "PF_Interrupt_CANCEL");
    EXPECT_STREQ(AEUtil::errorName(518), "PF_Err_CANNOT_PARSE_KEYFRAME_TEXT");
    for (PF_Err code : {1, 2, 3})
        EXPECT_STREQ(AEUtil::errorName(code), "") << code;
    for (PF_Err code : {5, 511, 519, -1, -516, 0x7fffffff})
        EXPECT_STREQ(AEUtil::errorName(code), "unknown") << code;
}

TEST(FailureTranslation, IntegerErrorsCarryCodeAndName) {
    struct Case {
        PF_Err code;
        const char *message;
    } cases[] = {
        {1, "error code = 1\n"},
        {3, "error code = 3\n"},
        {516, "error code = 516\nPF_Err_BAD_CALLBACK_PARAM"},
        {519, "error code = 519\nunknown"},
        {-7, "error code = -7\nunknown"},
    };
    for (const Case &c : cases) {
        PF_OutData out = freshOut();
        EXPECT_EQ(AEUtil::runGuarded(&out, [&]() -> PF_Err { throw c.code; }), c.code);
        EXPECT_STREQ(out.return_msg, c.message);
    }
}

TEST(FailureTranslation, AEExceptionKeepsItsCodeAndSourcePrefix) {
    PF_OutData out = freshOut();
    const PF_Err err = AEUtil::runGuarded(&out, []() -> PF_Err {
        throw AEUtil::AEException(PF_Err_OUT_OF_MEMORY, 45, "AEUtil/AEMemory", "size=%d\n", 96);
    });
    EXPECT_EQ(err, PF_Err_OUT_OF_MEMORY);
    EXPECT_STREQ(out.return_msg, "AEUtil/AEMemory(45): size=96\n");
}

TEST(FailureTranslation, StandardExceptionsAreInternalDamage) {
    PF_OutData out = freshOut();
    EXPECT_EQ(AEUtil::runGuarded(&out, []() -> PF_Err { throw std::runtime_error("disk on fire"); }),
              PF_Err_INTERNAL_STRUCT_DAMAGED);
    EXPECT_STREQ(out.return_msg, "disk on fire");

    out = freshOut();
    EXPECT_EQ(AEUtil::runGuarded(&out, []() -> PF_Err { throw AEUtil::Win32Exception(5, "w.cpp", 3, "denied"); }),
              PF_Err_INTERNAL_STRUCT_DAMAGED);
    EXPECT_STREQ(out.return_msg, "w.cpp(3): denied");
}

TEST(FailureTranslation, AnythingElseIsUnknownErrorInShiftJis) {
    PF_OutData out = freshOut();
    EXPECT_EQ(AEUtil::runGuarded(&out, []() -> PF_Err { throw 2.5; }), PF_Err_INTERNAL_STRUCT_DAMAGED);
    // 不明なエラー in code page 932.
    EXPECT_STREQ(out.return_msg, "\x95\x73\x96\xbe\x82\xc8\x83\x47\x83\x89\x81\x5b");
}

TEST(FailureTranslation, ReturnedCodesLeaveTheMessageAlone) {
    PF_OutData out{};
    std::strcpy(out.return_msg, "earlier");
    EXPECT_EQ(AEUtil::runGuarded(&out, []() -> PF_Err { return 513; }), 513);
    EXPECT_STREQ(out.return_msg, "earlier");
}

TEST(FailureTranslation, LongMessagesAreCutAt255Characters) {
    const std::string text(600, 'm');
    PF_OutData out = freshOut();
    AEUtil::runGuarded(&out, [&]() -> PF_Err { throw AEUtil::AEException(512, 1, "f", "%s", text.c_str()); });
    const std::string expected = ("f(1): " + text).substr(0, 255);
    EXPECT_EQ(std::string(out.return_msg), expected);
    EXPECT_EQ(out.return_msg[255], '\0');
}

TEST(FailureTranslation, NullOutDataIsNotTouched) {
    EXPECT_EQ(AEUtil::runGuarded(nullptr, []() -> PF_Err { throw std::logic_error("x"); }),
              PF_Err_INTERNAL_STRUCT_DAMAGED);
}

TEST(AEException, FormattedTextIsBoundedBy2048Bytes) {
    const std::string huge(5000, 'q');
    AEUtil::AEException e(4, 12, "src/x.cpp", "%s", huge.c_str());
    const std::string what = e.what();
    ASSERT_EQ(what.rfind("src/x.cpp(12): ", 0), 0u);
    EXPECT_EQ(what.size(), std::strlen("src/x.cpp(12): ") + 2047);
    EXPECT_EQ(e.message(), what);
}

} // namespace
