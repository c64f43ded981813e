#include <gtest/gtest.h>

#include <csignal>
#include <fstream>

#include <sys/resource.h>

#include "platform/host/AtomicFile.h"
#include "platform/host/FormFile.h"
#include "support/TempDir.h"
#include "support/VbError.h"
#include "support/host/HostTest.h"

namespace {

using pendrel::test::error_of;
using pendrel::test::read_file;
using pendrel::test::TempDir;

std::size_t files_in(const std::filesystem::path& dir)
{
    return static_cast<std::size_t>(std::distance(
        std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()));
}

// Limits the size of files this process may write, as a full disk would;
// writes beyond it fail with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_old_handler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_old_handler);
    }

private:
    rlimit m_old{};
    void (*m_old_handler)(int) = nullptr;
};

TEST(AtomicFile, OnlyCommitReplacesTheTargetAndNoTemporaryIsLeft)
{
    TempDir dir;
    std::ofstream(dir / "form.pfm") << "old";
    {
        host::AtomicFile file(dir / "form.pfm");
        file.write("half of the new");
        EXPECT_EQ(file.temp_path().parent_path(), dir.path()) << "same folder, so rename is atomic";
    } // abandoned
    EXPECT_EQ(read_file(dir / "form.pfm"), "old");
    EXPECT_EQ(files_in(dir.path()), 1u);
    {
        host::AtomicFile file(dir / "form.pfm");
        file.write("new ");
        file.write("text");
        EXPECT_EQ(read_file(dir / "form.pfm"), "old") << "nothing changes before commit";
        file.commit();
    }
    EXPECT_EQ(read_file(dir / "form.pfm"), "new text");
    EXPECT_EQ(files_in(dir.path()), 1u);
}

TEST(AtomicFile, FailuresRaiseNamingTheTargetAndKeepTheOldFile)
{
    TempDir dir;
    std::ofstream(dir / "form.pfm") << "old";
    std::ofstream(dir / "plain") << "a file, not a folder";
    const auto write_past_the_limit = [&] {
        FileSizeLimit limit(4096);
        host::AtomicFile file(dir / "form.pfm");
        file.write(std::string(64 * 1024, 'x'));
    };
    const auto write_below_a_file = [&] { host::AtomicFile file(dir / "plain" / "form.pfm"); };
    for (const vb::Error& e : {error_of(write_past_the_limit), error_of(write_below_a_file)}) {
        EXPECT_EQ(e.number(), vb::err::PathFileAccessError);
        EXPECT_NE(e.description().find("form.pfm"), std::string::npos) << e.description();
    }
    EXPECT_EQ(read_file(dir / "form.pfm"), "old");
    EXPECT_EQ(files_in(dir.path()), 2u) << "the temporary file is gone";
}

TEST(AtomicFile, NewFileGetsUsualPermissionsAndOldOnesAreKept)
{
    TempDir dir;
    host::save_form_file(dir / "new.pfm", host::FormRecord{"A", {}});
    EXPECT_EQ(std::filesystem::status(dir / "new.pfm").permissions(), std::filesystem::perms(0644));
    std::filesystem::permissions(dir / "new.pfm", std::filesystem::perms(0600));
    host::save_form_file(dir / "new.pfm", host::FormRecord{"B", {}});
    EXPECT_EQ(std::filesystem::status(dir / "new.pfm").permissions(), std::filesystem::perms(0600));
}

} // namespace
