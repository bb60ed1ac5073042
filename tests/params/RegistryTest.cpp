// The registry of registration objects: creation order, host indices from 1, lookups by disk
// id through the sorted view, and its fixed capacity.
#include <gtest/gtest.h>

#include "host/kit/AEException.h"
#include "params/ParamAddTopic.h"
#include "params/ParamRegistry.h"

namespace {

using namespace AEUtil;

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { resetParamRegistry(); }
    void TearDown() override { resetParamRegistry(); }

    BaseParam *topic(const char *name, A_long id) {
        auto *p = new ParamAddTopic(name, PF_ParamDef{});
        p->setId(id);
        return p;
    }
};

TEST_F(RegistryTest, IndicesFollowCreationFromOne) {
    BaseParam *a = topic("a", 300);
    BaseParam *b = topic("b", 7);
    BaseParam *c = topic("c", 52);
    sealParamRegistry();
    EXPECT_EQ(a->index(), 1);
    EXPECT_EQ(b->index(), 2);
    EXPECT_EQ(c->index(), 3);
    EXPECT_EQ(paramCount(), 3u);
    EXPECT_EQ(hostParamCount(), 4) << "the input layer counts";
    EXPECT_EQ(paramAt(0), a);
    EXPECT_EQ(paramAt(2), c);
    EXPECT_EQ(paramAt(3), nullptr);
    EXPECT_EQ(paramAtIndex(0), nullptr) << "index 0 is the host's input layer";
    EXPECT_EQ(paramAtIndex(1), a);
    EXPECT_EQ(paramAtIndex(3), c);
    EXPECT_EQ(paramAtIndex(4), nullptr);
}

TEST_F(RegistryTest, LookupByIdFindsHostIndex) {
    topic("a", 300);
    topic("b", 7);
    topic("c", 52);
    topic("d", 1);
    sealParamRegistry();
    EXPECT_EQ(indexOfId(300), 1);
    EXPECT_EQ(indexOfId(7), 2);
    EXPECT_EQ(indexOfId(52), 3);
    EXPECT_EQ(indexOfId(1), 4);
}

TEST_F(RegistryTest, UnknownIdIsIndexZero) {
    topic("a", 10);
    topic("b", 20);
    sealParamRegistry();
    EXPECT_EQ(indexOfId(0), 0);
    EXPECT_EQ(indexOfId(5), 0) << "below the smallest";
    EXPECT_EQ(indexOfId(15), 0) << "between two";
    EXPECT_EQ(indexOfId(203), 0) << "above the largest";
    EXPECT_EQ(indexOfId(-1), 0);
}

TEST_F(RegistryTest, NothingIsFoundBeforeSealing) {
    topic("a", 10);
    EXPECT_EQ(indexOfId(10), 0);
    EXPECT_EQ(hostParamCount(), 1);
}

TEST_F(RegistryTest, ResetStartsIndicesAgain) {
    topic("a", 10);
    topic("b", 20);
    sealParamRegistry();
    resetParamRegistry();
    EXPECT_EQ(paramCount(), 0u);
    EXPECT_EQ(indexOfId(10), 0);
    BaseParam *c = topic("c", 30);
    sealParamRegistry();
    EXPECT_EQ(c->index(), 1);
    EXPECT_EQ(indexOfId(30), 1);
}

TEST_F(RegistryTest, HoldsExactly16383Objects) {
    for (A_long i = 0; i < 16383; ++i)
        topic("t", i);
    try {
        new ParamAddTopic("one too many", PF_ParamDef{});
        FAIL() << "the 16384th object must be refused";
    } catch (const AEException &e) {
        EXPECT_EQ(e.code(), PF_Err_OUT_OF_MEMORY);
    }
    sealParamRegistry();
    EXPECT_EQ(paramCount(), 16383u);
    EXPECT_EQ(indexOfId(16382), 16383);
    EXPECT_EQ(indexOfId(0), 1);
}

} // namespace
