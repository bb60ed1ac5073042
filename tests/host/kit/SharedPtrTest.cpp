// The shared pointer family: counts, disposal order, deleters and aliasing.
#include <gtest/gtest.h>

#include <vector>

#include "host/kit/SharedPtr.h"

namespace {

struct Tracked {
    explicit Tracked(std::vector<int> *log, int id) : log(log), id(id) {}
    ~Tracked() { log->push_back(id); }
    std::vector<int> *log;
    int id;
};

struct Base {
    virtual ~Base() = default;
    int base_value = 7;
};
struct Derived : Base {
    explicit Derived(int *deleted) : deleted(deleted) {}
    ~Derived() override { ++*deleted; }
    int *deleted;
};

TEST(SharedPtr, LastCopyDisposesOnce) {
    std::vector<int> log;
    {
        AEUtil::SharedPtr<Tracked> a(new Tracked(&log, 1));
        EXPECT_EQ(a.useCount(), 1);
        {
            AEUtil::SharedPtr<Tracked> b = a;
            AEUtil::SharedPtr<Tracked> c;
            c = b;
            EXPECT_EQ(a.useCount(), 3);
        }
        EXPECT_EQ(a.useCount(), 1);
        EXPECT_TRUE(log.empty());
    }
    EXPECT_EQ(log, std::vector<int>{1});
}

TEST(SharedPtr, ReleaseInOrderGoesFrontToBack) {
    std::vector<int> log;
    std::vector<AEUtil::SharedPtr<Tracked>> list;
    for (int id : {3, 1, 2})
        list.emplace_back(new Tracked(&log, id));
    AEUtil::releaseInOrder(list);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(log, (std::vector<int>{3, 1, 2}));
}

TEST(SharedPtr, MoveTransfersWithoutCounting) {
    std::vector<int> log;
    AEUtil::SharedPtr<Tracked> a(new Tracked(&log, 2));
    AEUtil::SharedPtr<Tracked> b = std::move(a);
    EXPECT_FALSE(a);
    EXPECT_EQ(b.useCount(), 1);
    b.reset();
    EXPECT_EQ(log, std::vector<int>{2});
}

TEST(SharedPtr, DeleterRunsForArrays) {
    int calls = 0;
    {
        AEUtil::SharedPtr<unsigned char> bytes(new unsigned char[16], [&calls](unsigned char *p) {
            ++calls;
            AEUtil::array_deleter<unsigned char>()(p);
        });
        AEUtil::SharedPtr<unsigned char> copy = bytes;
        copy[3] = 9;
        EXPECT_EQ(bytes[3], 9);
    }
    EXPECT_EQ(calls, 1);
}

TEST(SharedPtr, AliasSharesTheOwnersCount) {
    int deleted = 0;
    AEUtil::SharedPtr<Derived> owner(new Derived(&deleted));
    AEUtil::SharedPtr<Base> alias(owner, static_cast<Base *>(owner.get()));
    EXPECT_EQ(owner.useCount(), 2);
    owner.reset();
    EXPECT_EQ(deleted, 0);
    EXPECT_EQ(alias->base_value, 7);
    alias.reset();
    EXPECT_EQ(deleted, 1);
}

TEST(SharedPtr, NullPointerOwnsNothing) {
    AEUtil::SharedPtr<int> empty(static_cast<int *>(nullptr));
    EXPECT_EQ(empty.useCount(), 0);
    AEUtil::SharedPtr<int> copy = empty;
    EXPECT_FALSE(copy);
}

} // namespace
