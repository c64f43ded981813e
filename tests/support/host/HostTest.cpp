#include "support/host/HostTest.h"

#include <fstream>
#include <sstream>

#include "platform/host/MessageBox.h"
#include "platform/win/WindowManager.h"

namespace pendrel::test {

void HostTest::SetUp()
{
    win::WindowManager::reset();
    host::clear_message_boxes();
    form = std::make_unique<host::Form>("Form1", win::RECT{100, 100, 500, 400});
}

void HostTest::TearDown()
{
    form.reset();
    win::WindowManager::reset();
}

RecordingControl& HostTest::add(const std::string& name, host::TwipsRect rect)
{
    return control_of(form->add_control(name, RecordingControl::factory(name, log), rect));
}

RecordingControl& HostTest::control_of(host::Site& site)
{
    return dynamic_cast<RecordingControl&>(site.control());
}

std::vector<std::string> HostTest::take_log()
{
    auto out = std::move(log);
    log.clear();
    return out;
}

std::string read_file(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

} // namespace pendrel::test
