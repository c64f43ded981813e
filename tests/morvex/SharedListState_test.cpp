// The per-thread list state: one record for every control of a thread,
// another for every other thread.

#include "dropdown/modGridCombo.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "pendrel/Morvex.h"
#include "platform/host/Form.h"
#include "support/morvex/MorvexTest.h"

namespace pendrel {
namespace {

using SharedListState = test::MorvexTest;

TEST_F(SharedListState, ControlsOfOneThreadShareBoundColumn)
{
    Morvex& other = add("Morvex2");
    ctl->let_BoundColumn(3);
    EXPECT_EQ(other.get_BoundColumn(), 3);
    other.let_BoundColumn(0);
    EXPECT_EQ(ctl->get_BoundColumn(), 0);
    EXPECT_EQ(modGridCombo::state().BoundColumn, 0);
    // A newly placed control sets it to 1 for all of them.
    (void)add("Morvex3");
    EXPECT_EQ(ctl->get_BoundColumn(), 1);
}

TEST_F(SharedListState, RecordIsTheSameObjectForEveryCallOnAThread)
{
    EXPECT_EQ(&modGridCombo::state(), &modGridCombo::state());
}

// A thread with a form and a Morvex of its own: once told to go, it sets
// BoundColumn and lets the form go, says so, and reads the record once it
// may. The threads take turns, so no two run window code at once.
vb::Integer bound_column_on_a_thread(vb::Integer value, const std::shared_future<void>& go,
    std::promise<void>& done, const std::shared_future<void>& read_after)
{
    go.wait();
    {
        host::Form form("Form1", win::RECT{0, 0, 400, 300});
        Morvex::of(form.add_control("Morvex1", Morvex::factory(), {0, 0, 3015, 375}))
            .let_BoundColumn(value);
    }
    done.set_value();
    read_after.wait();
    return modGridCombo::state().BoundColumn;
}

TEST_F(SharedListState, ThreadsNeverShareTheRecord)
{
    ctl->let_BoundColumn(9);
    std::promise<void> start;
    std::promise<void> first_done;
    std::promise<void> second_done;
    std::promise<void> at_once;
    at_once.set_value();
    const std::shared_future<void> ready = at_once.get_future().share();
    const std::shared_future<void> go = start.get_future().share();
    const std::shared_future<void> after_first = first_done.get_future().share();
    const std::shared_future<void> after_second = second_done.get_future().share();
    vb::Integer first_seen = -1;
    vb::Integer second_seen = -1;
    std::thread first(
        [&] { first_seen = bound_column_on_a_thread(5, go, first_done, after_second); });
    std::thread second(
        [&] { second_seen = bound_column_on_a_thread(7, after_first, second_done, ready); });
    start.set_value();
    first.join();
    second.join();
    // The first read after the second had set its own.
    EXPECT_EQ(first_seen, 5);
    EXPECT_EQ(second_seen, 7);
    EXPECT_EQ(ctl->get_BoundColumn(), 9);
}

TEST(SharedListStateThread, NewThreadStartsWithAZeroRecord)
{
    modGridCombo::state().BoundColumn = 4;
    modGridCombo::state().GridSubclassed = true;
    modGridCombo::GridState seen;
    seen.BoundColumn = -1;
    std::thread([&] { seen = modGridCombo::state(); }).join();
    EXPECT_EQ(seen.BoundColumn, 0);
    EXPECT_FALSE(seen.GridSubclassed);
    EXPECT_FALSE(seen.PointerInList || seen.TextEdited || seen.PickPending);
    EXPECT_EQ(seen.ForwardedClick, 0);
    EXPECT_EQ(seen.TextHwnd + seen.ControlHwnd + seen.GridHwnd, 0u);
    EXPECT_EQ(seen.PrevGridWndProc, 0);
    EXPECT_EQ(seen.GridControl, nullptr);
    EXPECT_EQ(seen.GridRestTop + seen.TextColumn, 0);
    modGridCombo::state() = {};
}

} // namespace
} // namespace pendrel
