#pragma once
// A fresh desktop and a form for every host test, with a shared lifecycle
// log of the recording controls placed on it.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/Form.h"
#include "support/host/RecordingControl.h"

namespace pendrel::test {

class HostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new recording control on the form (first-time initialisation).
    RecordingControl& add(const std::string& name, host::TwipsRect rect = {150, 150, 3015, 375});
    // The recording control of a site.
    static RecordingControl& control_of(host::Site& site);
    // The log since the last call, then cleared.
    std::vector<std::string> take_log();

    std::unique_ptr<host::Form> form;
    std::vector<std::string> log;
};

// The bytes of a file ("" when it cannot be read).
[[nodiscard]] std::string read_file(const std::filesystem::path& path);

} // namespace pendrel::test
