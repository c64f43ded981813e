#pragma once
// A fresh desktop and a form with a Morvex for every control test, a
// temporary SQLite file with real tables to bind it to, the log's drive
// folder redirected into the temporary folder, a fixed clock, and recorders
// for the events the host receives, the message boxes and the log lines.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pendrel/Morvex.h"
#include "platform/host/Clock.h"
#include "platform/host/Form.h"
#include "platform/host/MessageBox.h"
#include "support/TempDir.h"
// What the control tests reach through the fixture: the children, the rows
// and the error check.
#include "platform/ado/AdoConstants.h"
#include "platform/ado/Recordset.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/TextBox.h"
#include "platform/grid/DataGrid.h"
#include "support/VbError.h"

namespace pendrel::test {

// The tables of the control tests: cities (id INTEGER, name VARCHAR(40),
// code CHAR(3), population INTEGER, founded DATE; 8 rows) and empty_cities.
[[nodiscard]] std::string control_sql();
inline constexpr int k_city_rows = 8;

// Records every event a site's control raises, in order, as its name and
// its arguments' texts: "KeyDown 65 0", "Show".
class HostEvents {
public:
    void watch(host::Site& site);
    [[nodiscard]] const std::vector<std::string>& events() const { return m_events; }
    [[nodiscard]] std::vector<std::string> take();

private:
    std::vector<host::Subscription> m_subscriptions;
    std::vector<std::string> m_events;
};

// The lines of a text file, each without its CR LF; none for a missing
// file.
[[nodiscard]] std::vector<std::string> lines_of(const std::filesystem::path& file);

// Public: the rows of the sequence tables reach the control and its form.
class MorvexTest : public ::testing::Test {
public:
    void SetUp() override;
    void TearDown() override;
    // A fresh start inside one test: a new form and control in an emptied
    // temporary folder, the thread's list state reset, the form shown.
    void restart();

    // The thread's list state reset, the form shown, the control on a
    // 19200-twip screen with rows of 210 twips and these widths, bound to
    // these rows and holding the focus.
    void prepare(const std::string& widths, const std::string& row_source);
    // Another Morvex on the form, newly placed.
    Morvex& add(const std::string& name);
    // CnStr to the test database, then the row source.
    void bind(Morvex& control, const std::string& row_source);
    // The control's grid window, and a point in the middle of its displayed
    // row `row` (from 0), in client coordinates.
    [[nodiscard]] win::HWND grid() const { return ctl->DropdownList().get_hWnd(); }
    [[nodiscard]] win::POINT row_point(int row, int x = 20) const;
    // The current row of the control's rows (from 1), or BOF's -2 and EOF's -3.
    [[nodiscard]] vb::Long row() const { return ctl->get_Recordset()->get_AbsolutePosition(); }
    // The names the control passed to PropertyChanged since the last call.
    [[nodiscard]] std::vector<std::string> take_changes();
    // Where the log path CnStr sets lands, and its lines.
    [[nodiscard]] std::filesystem::path fixed_log_file() const;
    [[nodiscard]] std::vector<std::string> fixed_log_lines() const
    {
        return lines_of(fixed_log_file());
    }
    // What sizing the list logs when the row source gave no rows: the
    // recordset is closed and the grid has no column to widen.
    [[nodiscard]] static std::vector<std::string> closed_list_lines();
    // The line a failure gives at the fixed clock, without CR LF.
    [[nodiscard]] static std::string expected_line(
        vb::Long number, std::string_view description, std::string_view ending);

    TempDir dir;
    std::string cnstr;
    std::unique_ptr<host::Form> form;
    host::Site* site = nullptr;
    Morvex* ctl = nullptr;
    HostEvents events;

    static constexpr vb::Date k_now{46361.379247685185}; // 2026-12-05 09:06:07

private:
    std::optional<host::FixedClock> m_clock;
    std::optional<std::string> m_old_drive_root;
    std::size_t m_changes_seen = 0;
};

} // namespace pendrel::test
