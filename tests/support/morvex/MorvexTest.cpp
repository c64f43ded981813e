#include "support/morvex/MorvexTest.h"

#include <cstdlib>
#include <fstream>

#include "dropdown/modGridCombo.h"
#include "platform/host/FileAppend.h"
#include "platform/host/Screen.h"
#include "platform/vb/Convert.h"
#include "platform/vb/DateTime.h"
#include "platform/win/WindowManager.h"
#include "support/ado/AdoFixture.h"

namespace pendrel::test {

std::string control_sql()
{
    return R"(
CREATE TABLE cities (id INTEGER PRIMARY KEY, name VARCHAR(40), code CHAR(3), population INTEGER,
    founded DATE);
INSERT INTO cities VALUES (1, 'Amsterdam', 'AMS', 921402, '1275-10-27'),
    (2, 'Antwerpen', 'ANR', 530504, '1291-01-01'),
    (3, '''s-Hertogenbosch', 'HTB', 155111, '1185-01-01'),
    (4, 'Łódź', 'LCJ', 658444, '1423-07-29'), (5, 'München', 'MUC', 1512491, '1158-06-14'),
    (6, 'Rotterdam', 'RTM', 655468, '1270-01-01'), (7, 'Utrecht', 'UTC', 361924, '1122-06-02'),
    (8, 'Zürich', 'ZRH', 421878, '1218-01-01');
CREATE TABLE empty_cities (id INTEGER PRIMARY KEY, name VARCHAR(40));
)";
}

void HostEvents::watch(host::Site& site)
{
    for (const host::EventInfo& info : site.control().event_table()) {
        const std::string name(info.name);
        m_subscriptions.push_back(
            site.events().subscribe(info.id, [this, name](std::span<vb::Variant> args) {
                std::string text = name;
                for (const vb::Variant& a : args)
                    text += " " + vb::to_text(a);
                m_events.push_back(text);
            }));
    }
}

std::vector<std::string> HostEvents::take()
{
    auto out = std::move(m_events);
    m_events.clear();
    return out;
}

std::vector<std::string> lines_of(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(
            line.ends_with('\r') ? line.substr(0, line.size() - 1) : line + "<no CR LF>");
    return lines;
}

void MorvexTest::SetUp()
{
    win::WindowManager::reset();
    host::clear_message_boxes();
    if (const char* old = std::getenv("PENDREL_DRIVE_ROOT"))
        m_old_drive_root = old;
    ::setenv("PENDREL_DRIVE_ROOT", (dir / "drives").c_str(), 1);
    m_clock.emplace(k_now);
    const auto file = dir / "cities.db";
    create_sqlite_file(file, control_sql());
    cnstr = sqlite_connection_string(file);
    form = std::make_unique<host::Form>("Form1", win::RECT{100, 100, 600, 500});
    site = &form->add_control("Morvex1", Morvex::factory(), {120, 120, 3015, 375});
    ctl = &Morvex::of(*site);
    events.watch(*site);
}

void MorvexTest::TearDown()
{
    form.reset();
    win::WindowManager::reset();
    if (m_old_drive_root)
        ::setenv("PENDREL_DRIVE_ROOT", m_old_drive_root->c_str(), 1);
    else
        ::unsetenv("PENDREL_DRIVE_ROOT");
    m_clock.reset();
    host::clear_message_boxes();
}

void MorvexTest::restart()
{
    TearDown();
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        std::filesystem::remove_all(e.path());
    SetUp();
    modGridCombo::state() = modGridCombo::GridState{};
    form->Show();
}

void MorvexTest::prepare(const std::string& widths, const std::string& row_source)
{
    modGridCombo::state() = modGridCombo::GridState{};
    form->Show();
    ctl->let_ScreenWidth(19200);
    ctl->let_RowHeight(210);
    ctl->let_ColumnWidths(widths);
    bind(*ctl, row_source);
    ctl->txtFieldCmb().SetFocus();
}

win::POINT MorvexTest::row_point(int row, int x) const
{
    const double twips = host::Screen::the().get_TwipsPerPixelY();
    for (int y = 0; y < 400; ++y) {
        if (ctl->DropdownList().RowContaining(static_cast<vb::Single>(y * twips)) == row)
            return {x, y + 3};
    }
    ADD_FAILURE() << "no row " << row;
    return {};
}

Morvex& MorvexTest::add(const std::string& name)
{
    return Morvex::of(form->add_control(name, Morvex::factory(), {120, 720, 3015, 375}));
}

void MorvexTest::bind(Morvex& control, const std::string& row_source)
{
    control.let_CnStr(cnstr);
    control.let_RowSource(row_source);
}

std::vector<std::string> MorvexTest::take_changes()
{
    const auto& all = site->changed_properties();
    std::vector<std::string> out(
        all.begin() + static_cast<std::ptrdiff_t>(m_changes_seen), all.end());
    m_changes_seen = all.size();
    return out;
}

std::filesystem::path MorvexTest::fixed_log_file() const
{
    return host::map_path(R"(c:\gebruikers\kestrel\appdata\roaming\tallis\Logging.txt)").value();
}

std::vector<std::string> MorvexTest::closed_list_lines()
{
    return {expected_line(
                3704, "Operation is not allowed when the object is closed.", ") in ResizeGrid"),
        expected_line(9, "The grid has no column -1 (there are 0)", ") in ResizeGrid")};
}

std::string MorvexTest::expected_line(
    vb::Long number, std::string_view description, std::string_view ending)
{
    return vb::date_text(k_now) + ":" + std::to_string(number) + " (" + std::string(description)
        + std::string(ending);
}

} // namespace pendrel::test
