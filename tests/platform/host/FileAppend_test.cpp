#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/host/FileAppend.h"
#include "support/TempDir.h"

namespace {

using pendrel::test::TempDir;

std::string read(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Points the drive root at a temporary folder for one test.
class FileAppendTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("PENDREL_DRIVE_ROOT", dir.path().c_str(), 1); }
    void TearDown() override { ::unsetenv("PENDREL_DRIVE_ROOT"); }
    TempDir dir;
};

const char* k_log = "c:\\gebruikers\\kestrel\\appdata\\roaming\\tallis\\Logging.txt";

TEST_F(FileAppendTest, WindowsPathMapsUnderTheDriveLetterAndFoldersAreMade)
{
    EXPECT_TRUE(host::append_text(k_log, "2026-12-05 19:05:09:5 (Invalid) in Let Value\r\n"));
    EXPECT_TRUE(host::append_text(k_log, "second\r\n"));
    auto file = dir / "c/gebruikers/kestrel/appdata/roaming/tallis/Logging.txt";
    EXPECT_EQ(read(file), "2026-12-05 19:05:09:5 (Invalid) in Let Value\r\nsecond\r\n");
}

TEST_F(FileAppendTest, PosixAbsolutePathsPassThroughButMakeNoFolders)
{
    auto target = dir / "plain.txt";
    EXPECT_TRUE(host::append_text(target.string(), "line\r\n"));
    EXPECT_EQ(read(target), "line\r\n");
    EXPECT_FALSE(host::append_text((dir / "missing" / "x.txt").string(), "line"));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

TEST_F(FileAppendTest, UnwritablePathsAreSkippedWithoutHarm)
{
    std::ofstream(dir / "c") << "a file where the drive folder should be";
    EXPECT_FALSE(host::append_text(k_log, "lost\r\n"));
    EXPECT_EQ(read(dir / "c"), "a file where the drive folder should be");
    EXPECT_FALSE(host::append_text("", "lost"));
    EXPECT_FALSE(host::append_text("/proc/no-such-dir/x.txt", "lost"));
    EXPECT_FALSE(host::append_text((dir.path()).string(), "a folder is not a file"));
}

struct MapCase {
    const char* name;
    std::string path;
    const char* mapped; // relative to the drive root when it starts with '@'; "" for none
};

class MapPath : public FileAppendTest, public ::testing::WithParamInterface<MapCase> {};

TEST_P(MapPath, MapsOrRefuses)
{
    const auto& c = GetParam();
    auto mapped = host::map_path(c.path);
    std::string expected = c.mapped;
    if (expected.empty()) {
        EXPECT_FALSE(mapped) << mapped->string();
        return;
    }
    ASSERT_TRUE(mapped);
    if (expected.front() == '@')
        EXPECT_EQ(*mapped, dir.path() / expected.substr(1));
    else
        EXPECT_EQ(mapped->string(), expected);
}

INSTANTIATE_TEST_SUITE_P(Table, MapPath,
    ::testing::Values(MapCase{"UpperDriveAndMixedSlashes", "C:/a\\b.txt", "@c/a/b.txt"},
        MapCase{"DotsResolve", "c:\\a\\.\\b\\..\\c.txt", "@c/a/c.txt"},
        MapCase{"DoubledSeparators", "c:\\\\a\\\\b.txt", "@c/a/b.txt"},
        MapCase{"ClimbingOutIsRefused", "c:\\..\\etc\\passwd", ""},
        MapCase{"DriveAloneIsRefused", "c:\\", ""},
        MapCase{"DriveRelativeIsRefused", "c:file.txt", ""},
        MapCase{"UncIsRefused", "\\\\server\\share\\x.txt", ""},
        MapCase{"RootedWithoutDriveIsRefused", "\\x.txt", ""},
        MapCase{"NulIsRefused", std::string("c:\\a\0b", 6), ""},
        MapCase{"Posix", "/var/log/x.txt", "/var/log/x.txt"},
        MapCase{"Relative", "logs\\x.txt", "logs/x.txt"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DriveRoot, FollowsTheEnvironment)
{
    std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("PENDREL_DRIVE_ROOT", "/srv/drives", 1);
    EXPECT_EQ(host::drive_root(), "/srv/drives");
    ::unsetenv("PENDREL_DRIVE_ROOT");
    ::setenv("XDG_DATA_HOME", "/data", 1);
    EXPECT_EQ(host::drive_root(), "/data/pendrel/drives");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", "/home/kestrel", 1);
    EXPECT_EQ(host::drive_root(), "/home/kestrel/.local/share/pendrel/drives");
    ::setenv("HOME", home.c_str(), 1);
}

} // namespace
