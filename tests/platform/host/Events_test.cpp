#include <gtest/gtest.h>

#include <array>

#include "platform/host/Events.h"
#include "support/VbError.h"

namespace {

using host::EventHub;

constexpr std::array k_table{
    host::EventInfo{6, "KeyDown", 2},
    host::EventInfo{9, "NotInList", 1},
    host::EventInfo{13, "Validate", 1},
};

TEST(Events, TypedHandlersSeeConvertedArgumentsAndWriteThemBack)
{
    EventHub hub(k_table);
    std::vector<std::string> seen;
    auto sub = hub.on<vb::Integer, vb::Integer>(6, [&](vb::Integer& KeyCode, vb::Integer& Shift) {
        seen.push_back(std::to_string(KeyCode) + "/" + std::to_string(Shift));
        KeyCode = 0;
    });
    std::vector<vb::Variant> args{vb::Variant(vb::Long{65}), vb::Variant("1")};
    hub.RaiseEvent(6, args);
    EXPECT_EQ(seen, std::vector<std::string>{"65/1"});
    EXPECT_EQ(args[0], vb::Variant(vb::Integer{0}));
    EXPECT_EQ(args[1], vb::Variant(vb::Integer{1}));
    EXPECT_VB_ERROR(hub.RaiseEvent(6), vb::err::WrongArgumentCount);
}

TEST(Events, HandlerByNameIgnoresCaseAndItsChangesReachTheRaiserConverted)
{
    EventHub hub(k_table);
    std::string got;
    auto sub = hub.subscribe("notinlist", [&](std::span<vb::Variant> args) {
        got = args[0].as_string();
        args[0] = vb::Long{42};
    });
    std::string NewData = "Zoetermeer";
    hub.raise(9, NewData);
    EXPECT_EQ(got, "Zoetermeer");
    EXPECT_EQ(NewData, "42");
    EXPECT_VB_ERROR(
        (void)hub.subscribe("Resized", [](std::span<vb::Variant>) {}), vb::err::NotSupported);
}

// A dropped token stops its handler even during a raise, its own handler
// included.
TEST(Events, HandlersRunInOrderOnlyForTheirEventAndDroppedTokensStopThem)
{
    EventHub hub(k_table);
    std::vector<int> order;
    bool drop = false;
    host::Subscription third;
    host::Subscription first = hub.subscribe(6, [&](std::span<vb::Variant>) {
        order.push_back(1);
        hub.RaiseEvent(13);
        if (drop) {
            third.reset();
            first.reset(); // dropping its own token while running is safe
        }
    });
    auto second = hub.subscribe(13, [&](std::span<vb::Variant>) { order.push_back(13); });
    third = hub.subscribe(6, [&](std::span<vb::Variant>) { order.push_back(3); });
    hub.RaiseEvent(6);
    drop = true;
    hub.RaiseEvent(6);
    hub.RaiseEvent(6);
    EXPECT_EQ(order, (std::vector<int>{1, 13, 3, 1, 13}));
}

} // namespace
