// The embedded database running out of memory at every allocation a
// scenario makes: bind, type-ahead on text, number and date columns, Value
// let, destroy. The 1st, 2nd, ... allocation fails, once or from then on,
// until the scenario makes no more; each failure gives at most the one
// report of the row source's trap (none when the library recovers on its
// own), nothing leaks, and the next clean run gives the rows of the first.
//
// The allocator is installed before the library starts, so this file is a
// test program of its own.

#include <sqlite3.h>

#include <cstdlib>

#include "dropdown/modGridCombo.h"
#include "support/ado/AdoFixture.h"
#include "support/controls/Ui.h"
#include "support/morvex/MorvexTest.h"

namespace pendrel {
namespace {

// Counts the library's allocations while armed and fails the chosen ones.
struct CountingAllocator {
    static inline sqlite3_mem_methods base{};
    static inline bool armed = false;
    static inline long count = 0; // allocations while armed
    static inline long fail_at = 0; // 0: none
    static inline bool persistent = false;
    static inline long failed = 0;
    static inline long live = 0; // allocations not yet freed, armed or not

    static bool fails()
    {
        if (!armed)
            return false;
        ++count;
        const bool fail = fail_at > 0 && (count == fail_at || (persistent && count > fail_at));
        failed += fail ? 1 : 0;
        return fail;
    }
    static void* allocate(int n)
    {
        if (fails())
            return nullptr;
        void* p = base.xMalloc(n);
        live += p != nullptr ? 1 : 0;
        return p;
    }
    static void release(void* p)
    {
        live -= p != nullptr ? 1 : 0;
        base.xFree(p);
    }
    static void* reallocate(void* p, int n) { return fails() ? nullptr : base.xRealloc(p, n); }

    static bool install()
    {
        sqlite3_config(SQLITE_CONFIG_GETMALLOC, &base);
        sqlite3_mem_methods mine = base;
        mine.xMalloc = &allocate;
        mine.xFree = &release;
        mine.xRealloc = &reallocate;
        // Every allocation through the methods: no lookaside buffers.
        return sqlite3_config(SQLITE_CONFIG_MALLOC, &mine) == SQLITE_OK
            && sqlite3_config(SQLITE_CONFIG_LOOKASIDE, 0, 0) == SQLITE_OK;
    }
};

const bool k_installed = CountingAllocator::install();

constexpr auto k_rows = "SELECT id, name, code, population, founded FROM cities ORDER BY name";

class SqliteAlloc : public test::MorvexTest {
protected:
    struct Outcome {
        vb::Long columns = 0;
        vb::Long rows = 0;
        std::string first_name;
        std::vector<host::MessageBoxRecord> boxes;
        std::vector<std::string> lines;
        long allocations = 0;
        long failed = 0;
    };

    void fresh()
    {
        MorvexTest::restart();
        ctl->let_ScreenWidth(19200);
        ctl->let_AutoExpand(true);
    }

    // The scenario with the `fail_at`th allocation failing (0: none), or
    // with a database file that is not there.
    Outcome run(long fail_at, bool persistent, bool missing_file = false)
    {
        fresh();
        if (missing_file)
            cnstr = test::sqlite_connection_string(dir / "missing.db");
        Outcome out;
        CountingAllocator::count = 0;
        CountingAllocator::failed = 0;
        CountingAllocator::fail_at = fail_at;
        CountingAllocator::persistent = persistent;
        CountingAllocator::armed = true;
        ctl->let_ColumnWidths("0;25;5;5;5");
        bind(*ctl, k_rows);
        out.columns = ctl->get_ColumnCount();
        out.rows = ctl->get_Recordset()->get_State() == ado::adStateOpen
            ? ctl->get_Recordset()->get_RecordCount()
            : 0;
        ctl->txtFieldCmb().SetFocus();
        for (const char* widths : {"0;25;5;5;5", "0;0;0;25;5", "0;0;0;0;25"}) {
            ctl->let_ColumnWidths(widths);
            m_ui.type("1");
            m_ui.press(win::VK_BACK);
        }
        ctl->let_Value(vb::Variant(vb::Long{2}));
        out.first_name = ctl->get_Text();
        form->remove_control("Morvex1");
        ctl = nullptr;
        CountingAllocator::armed = false;
        out.allocations = CountingAllocator::count;
        out.failed = CountingAllocator::failed;
        out.boxes = host::message_boxes();
        out.lines = fixed_log_lines();
        return out;
    }

    test::Ui m_ui;
};

TEST_F(SqliteAlloc, EveryAllocationFailsOnceAndForGood)
{
    ASSERT_TRUE(k_installed) << "the allocator must be installed before the library starts";
    const Outcome baseline = run(0, false);
    const long live = CountingAllocator::live;
    ASSERT_EQ(std::pair(baseline.columns, baseline.rows), std::pair(vb::Long{5}, vb::Long{8}));
    ASSERT_EQ(baseline.boxes.size(), 0U);
    // What a control whose rows could not be read shows and logs anyway.
    const Outcome no_rows = run(0, false, true);
    ASSERT_FALSE(no_rows.boxes.empty());
    // Every allocation point, or every n-th of them for a short run.
    const char* stride_text = std::getenv("PENDREL_LOOP_STRIDE");
    const long stride = stride_text != nullptr ? std::max(1L, std::atol(stride_text)) : 1;
    long points = 0;
    for (const bool persistent : {false, true}) {
        for (long k = 1; k <= baseline.allocations; k += stride) {
            SCOPED_TRACE("allocation " + std::to_string(k) + (persistent ? " and on" : " once"));
            const Outcome failed = run(k, persistent);
            ++points;
            ASSERT_GE(failed.failed, 1);
            const bool lost_rows = failed.columns == 0;
            // The row source's box in place of the one a missing file gives,
            // and what a control without rows shows anyway; nothing when the
            // library recovered on its own.
            ASSERT_EQ(failed.boxes.size(), lost_rows ? no_rows.boxes.size() : 0U);
            if (lost_rows) {
                EXPECT_TRUE(failed.boxes[0].prompt.starts_with("Error in Class_GetDataMember"))
                    << failed.boxes[0].prompt;
                EXPECT_TRUE(std::equal(
                    failed.boxes.begin() + 1, failed.boxes.end(), no_rows.boxes.begin() + 1));
            }
            EXPECT_EQ(failed.lines, lost_rows ? no_rows.lines : std::vector<std::string>{});
            if (!lost_rows) {
                EXPECT_EQ(std::tie(failed.rows, failed.first_name),
                    std::tie(baseline.rows, baseline.first_name));
            }
            EXPECT_EQ(CountingAllocator::live, live) << "leaked";
            const Outcome again = run(0, false);
            EXPECT_EQ(std::tie(again.columns, again.rows, again.first_name, again.boxes),
                std::tie(baseline.columns, baseline.rows, baseline.first_name, baseline.boxes));
            EXPECT_EQ(CountingAllocator::live, live) << "leaked";
            if (HasFailure())
                return;
        }
    }
    std::cout << "SqliteAlloc: " << baseline.allocations << " allocations a run, " << points
              << " failing runs checked\n";
}

} // namespace
} // namespace pendrel
