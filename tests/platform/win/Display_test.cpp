#include <thread>

#include "platform/vb/Error.h"
#include "platform/win/User32.h"
#include "support/VbError.h"
#include "support/win/DesktopTest.h"

using namespace win;

namespace {

class Display : public pendrel::test::DesktopTest {};

// The settings belong to the thread and to its desktop window.
TEST_F(Display, DefaultsToAFullHdScreenAt96DpiAndRefusesImpossibleDisplays)
{
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
    RECT area;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
    EXPECT_EQ(area, (RECT{0, 0, 1920, 1040}));
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETWORKAREA, 0, nullptr, 0));
    win::Display beyond;
    beyond.work_area = RECT{0, 0, 1921, 1040};
    win::Display no_dpi;
    no_dpi.dpi = 0;
    win::Display too_wide;
    too_wide.width = 40000;
    for (const win::Display& d : {beyond, no_dpi, too_wide}) {
        EXPECT_VB_ERROR(wm().set_display(d), vb::err::InvalidPropertyValue);
    }
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920) << "unchanged";
    win::Display d;
    d.width = 1024;
    d.height = 768;
    d.work_area = RECT{0, 30, 1024, 768};
    wm().set_display(d);
    EXPECT_EQ(rect_of(GetDesktopWindow()), (RECT{0, 0, 1024, 768}));
    int elsewhere = 0;
    std::thread([&] { elsewhere = GetSystemMetrics(SM_CXSCREEN); }).join();
    EXPECT_EQ(elsewhere, 1920);
}

// 17 pixels at 96 dpi, scaled with the dpi and rounded half to even.
TEST_F(Display, ScrollBarMetricsScaleWithTheDpi)
{
    struct Row {
        const char* name;
        int dpi;
        int thumb;
    };
    for (const Row& row : {Row{"at 96", 96, 17}, Row{"at 120", 120, 21},
             Row{"at 144, half up to even", 144, 26}, Row{"at 48, half down to even", 48, 8}}) {
        win::Display d;
        d.dpi = row.dpi;
        wm().set_display(d);
        EXPECT_EQ(GetSystemMetrics(SM_CXHTHUMB), row.thumb) << row.name;
        EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), row.thumb) << row.name;
    }
}

} // namespace
