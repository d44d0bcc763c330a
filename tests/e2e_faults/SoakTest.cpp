// The short soak: 200 operations of every kind through the window's handlers
// leave no more descriptors, child processes or memory than they found,
// beyond a small bound. The long one is bench/SoakBench.cpp.

#include "Soak.hpp"

#include <gtest/gtest.h>

namespace quoddle::test {
namespace {

TEST(Soak, TwoHundredOperationsLeaveNoGrowth)
{
    int serverPort = 0;
    {
        Soak soak;
        serverPort = soak.ServerPort();
        // Two rounds first: what Qt and the allocator set up once is not growth.
        int n = 0;
        for (; n < 2 * Soak::kKinds; ++n)
            ASSERT_EQ("", soak.Run(n)) << "warm-up operation " << n;
        const Resources before = Resources::Now();
        for (const int end = n + 200; n < end; ++n)
            ASSERT_EQ("", soak.Run(n)) << "operation " << n << " (" << Soak::KindName(n % Soak::kKinds) << ")";
        const Resources after = Resources::Now();
        SCOPED_TRACE(::testing::Message() << "before: " << before << "\nafter:  " << after);
        EXPECT_LE(after.fds, before.fds);
        EXPECT_EQ(before.children, after.children);
        EXPECT_EQ(0, after.adbChildren);
        EXPECT_LE(after.threads, before.threads);
        EXPECT_LE(after.rssKb - before.rssKb, 4096);
        EXPECT_LE(after.heapKb - before.heapKb, 512);
    }
    EXPECT_TRUE(WaitUntil([&] { return !AdbServerOn(serverPort); }, std::chrono::seconds(5)));
    EXPECT_EQ(0, Resources::Now().adbChildren);
}

} // namespace
} // namespace quoddle::test
