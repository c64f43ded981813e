#include <gtest/gtest.h>

#include "platform/ado/PodVector.h"

namespace {

TEST(PodVector, KeepsItsValuesFromHeapToMappingAndBack)
{
    ado::PodVector<std::uint32_t> v;
    const std::size_t n = 3 * ado::ByteBlock::k_map_threshold / sizeof(std::uint32_t) + 17;
    for (std::size_t i = 0; i < n; ++i)
        v.push_back(static_cast<std::uint32_t>(i * 7));
    ASSERT_EQ(v.size(), n);
    for (std::size_t i = 0; i < n; i += 997)
        ASSERT_EQ(v[i], i * 7) << i;
    EXPECT_EQ(v.back(), (n - 1) * 7);
    v.shrink_to_fit();
    EXPECT_GE(v.capacity(), n);
    EXPECT_LT(v.capacity(), n + 4096 / sizeof(std::uint32_t));
    EXPECT_EQ(v[n - 1], (n - 1) * 7);
    v.resize(10); // below the threshold: back on the heap, exactly sized
    v.shrink_to_fit();
    EXPECT_EQ(v.capacity(), 10U);
    EXPECT_EQ(v[9], 63U);
}

TEST(PodVector, MovesLeaveTheSourceEmpty)
{
    ado::PodVector<double> a;
    a.assign(5, 2.5);
    ado::PodVector<double> b(std::move(a));
    EXPECT_EQ(b.size(), 5U);
    EXPECT_EQ(a.size(), 0U); // NOLINT(bugprone-use-after-move): the moved-from state is the point
    EXPECT_EQ(b[4], 2.5);
    a = std::move(b);
    EXPECT_EQ(a.size(), 5U);
    a.reset();
    EXPECT_EQ(a.capacity(), 0U);
}

} // namespace
