#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/host/FileAppend.h"
#include "support/TempDir.h"
#include "support/host/HostTest.h"

namespace {

using pendrel::test::read_file;
using pendrel::test::TempDir;

// Points the drive root at a temporary folder for one test.
class FileAppendTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("PENDREL_DRIVE_ROOT", dir.path().c_str(), 1); }
    void TearDown() override { ::unsetenv("PENDREL_DRIVE_ROOT"); }
    TempDir dir;
};

const char* k_log = "c:\\gebruikers\\kestrel\\appdata\\roaming\\tallis\\Logging.txt";

// New files and folders are the owner's only, whatever the umask.
TEST_F(FileAppendTest, WindowsPathMapsUnderTheDriveLetterAndFoldersAreMadeForTheOwnerOnly)
{
    const mode_t old_mask = ::umask(0);
    EXPECT_TRUE(host::append_text(k_log, "2026-12-05 19:05:09:5 (Invalid) in Let Value\r\n"));
    ::umask(old_mask);
    EXPECT_TRUE(host::append_text(k_log, "second\r\n"));
    const auto file = dir / "c/gebruikers/kestrel/appdata/roaming/tallis/Logging.txt";
    EXPECT_EQ(read_file(file), "2026-12-05 19:05:09:5 (Invalid) in Let Value\r\nsecond\r\n");
    const auto mode = [](const std::filesystem::path& p) {
        struct stat st {};
        ::stat(p.c_str(), &st);
        return st.st_mode & 0777;
    };
    EXPECT_EQ(mode(file), 0600U);
    EXPECT_EQ(mode(dir / "c/gebruikers"), 0700U);
}

TEST_F(FileAppendTest, PosixPathsMakeNoFoldersAndUnwritablePathsAreSkippedWithoutHarm)
{
    auto target = dir / "plain.txt";
    EXPECT_TRUE(host::append_text(target.string(), "line\r\n"));
    EXPECT_EQ(read_file(target), "line\r\n");
    EXPECT_FALSE(host::append_text((dir / "missing" / "x.txt").string(), "line"));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    std::ofstream(dir / "c") << "a file where the drive folder should be";
    EXPECT_FALSE(host::append_text(k_log, "lost\r\n"));
    EXPECT_EQ(read_file(dir / "c"), "a file where the drive folder should be");
    EXPECT_FALSE(host::append_text(dir.path().string(), "a folder is not a file"));
}

// Where a line must never land: nothing is written, and what the path
// points at stays as it was. A FIFO with a reader would take the line; one
// without a reader would block the opening for good.
TEST_F(FileAppendTest, LinksFifosAndDevicesAreUnusable)
{
    const auto outside = dir / "outside";
    std::filesystem::create_directories(outside);
    std::ofstream(outside / "target.txt") << "kept";
    const auto folder = dir / "c/logs";
    std::filesystem::create_directories(folder);
    std::filesystem::create_symlink(outside / "target.txt", folder / "link.txt");
    std::filesystem::create_symlink(outside / "none.txt", folder / "dangling.txt");
    std::filesystem::create_directory_symlink(outside, dir / "c/away");
    ASSERT_EQ(::mkfifo((folder / "fifo.txt").c_str(), 0600), 0);
    const int reader = ::open((folder / "fifo.txt").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ASSERT_EQ(::mkfifo((folder / "lonely.txt").c_str(), 0600), 0);
    // Each on the drive and as a POSIX path.
    for (const std::string name : {"logs/link.txt", "logs/dangling.txt", "away/target.txt",
             "away/new/x.txt", "logs/fifo.txt", "logs/lonely.txt"}) {
        EXPECT_FALSE(host::append_text("c:/" + name, "line\r\n")) << name;
        EXPECT_FALSE(host::append_text((dir / "c" / name).string(), "line")) << name;
    }
    EXPECT_FALSE(host::append_text("/dev/null", "line"));
    char buffer[16];
    EXPECT_EQ(::read(reader, buffer, sizeof buffer), 0);
    ::close(reader);
    EXPECT_EQ(read_file(outside / "target.txt"), "kept");
    EXPECT_FALSE(std::filesystem::exists(outside / "none.txt"));
    EXPECT_FALSE(std::filesystem::exists(outside / "new"));
}

// Mapped names starting with '@' are relative to the drive root; "" is refused.
TEST_F(FileAppendTest, MapPathMapsOrRefuses)
{
    struct Row {
        const char* name;
        std::string path;
        std::string mapped;
    };
    for (const Row& row : {Row{"upper drive, mixed slashes", "C:/a\\b.txt", "@c/a/b.txt"},
             Row{"dots resolve", "c:\\a\\.\\b\\..\\c.txt", "@c/a/c.txt"},
             Row{"doubled separators", "c:\\\\a\\\\b.txt", "@c/a/b.txt"},
             Row{"climbing out", "c:\\..\\etc\\passwd", ""}, Row{"drive alone", "c:\\", ""},
             Row{"drive relative", "c:file.txt", ""}, Row{"UNC", "\\\\server\\share\\x.txt", ""},
             Row{"rooted without drive", "\\x.txt", ""}, Row{"NUL", std::string("c:\\a\0b", 6), ""},
             Row{"empty", "", ""}, Row{"POSIX", "/var/log/x.txt", "/var/log/x.txt"},
             Row{"relative", "logs\\x.txt", "logs/x.txt"}}) {
        SCOPED_TRACE(row.name);
        const auto mapped = host::map_path(row.path);
        if (row.mapped.empty()) {
            EXPECT_FALSE(mapped);
        } else if (row.mapped.front() == '@') {
            EXPECT_EQ(mapped, dir.path() / row.mapped.substr(1));
        } else {
            EXPECT_EQ(mapped, std::filesystem::path(row.mapped));
        }
    }
}

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
