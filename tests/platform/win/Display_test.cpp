#include <thread>

#include "platform/vb/Error.h"
#include "platform/win/User32.h"
#include "support/win/DesktopTest.h"

using namespace win;

namespace {

class Display : public pendrel::test::DesktopTest {};

TEST_F(Display, DefaultsToAFullHdScreenAt96Dpi)
{
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
    RECT area;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
    EXPECT_EQ(area, (RECT{0, 0, 1920, 1040}));
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETWORKAREA, 0, nullptr, 0));
    EXPECT_EQ(wm().display().dpi, 96);
}

TEST_F(Display, SettingsBelongToTheThreadAndToTheDesktop)
{
    win::Display d;
    d.width = 1024;
    d.height = 768;
    d.work_area = RECT{0, 30, 1024, 768};
    wm().set_display(d);
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    EXPECT_EQ(desktop, (RECT{0, 0, 1024, 768}));

    int elsewhere = 0;
    std::thread([&] { elsewhere = GetSystemMetrics(SM_CXSCREEN); }).join();
    EXPECT_EQ(elsewhere, 1920);
}

TEST_F(Display, ImpossibleDisplaysAreRefused)
{
    win::Display d;
    d.work_area = RECT{0, 0, 1921, 1040};
    EXPECT_THROW(wm().set_display(d), vb::Error) << "work area beyond the screen";
    d = win::Display{};
    d.dpi = 0;
    EXPECT_THROW(wm().set_display(d), vb::Error);
    d = win::Display{};
    d.width = 40000;
    EXPECT_THROW(wm().set_display(d), vb::Error);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920) << "unchanged";
}

struct DpiCase {
    const char* name;
    friend void PrintTo(const DpiCase& row, std::ostream* out) { *out << row.name; }
    int dpi;
    int thumb;
};

class ScrollBarMetrics : public Display, public ::testing::WithParamInterface<DpiCase> {};

// 17 pixels at 96 dpi, scaled with the dpi and rounded half to even.
TEST_P(ScrollBarMetrics, ScaleWithTheDpi)
{
    win::Display d;
    d.dpi = GetParam().dpi;
    wm().set_display(d);
    EXPECT_EQ(GetSystemMetrics(SM_CXHTHUMB), GetParam().thumb);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), GetParam().thumb);
}

INSTANTIATE_TEST_SUITE_P(Display, ScrollBarMetrics,
    ::testing::Values(DpiCase{"At96", 96, 17}, DpiCase{"At120", 120, 21},
        DpiCase{"At144HalfRoundsUpToEven", 144, 26}, DpiCase{"At48HalfRoundsDownToEven", 48, 8}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
