#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sstream>

#include <sys/resource.h>

#include "platform/host/AtomicFile.h"
#include "platform/host/FormFile.h"
#include "platform/vb/Error.h"
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
    EXPECT_EQ(read(dir / "form.pfm"), "old");
    EXPECT_EQ(files_in(dir.path()), 1u);
    {
        host::AtomicFile file(dir / "form.pfm");
        file.write("new ");
        file.write("text");
        EXPECT_EQ(read(dir / "form.pfm"), "old") << "nothing changes before commit";
        file.commit();
    }
    EXPECT_EQ(read(dir / "form.pfm"), "new text");
    EXPECT_EQ(files_in(dir.path()), 1u);
}

TEST(AtomicFile, WriteFailingMidwayKeepsTheOldFile)
{
    TempDir dir;
    host::FormRecord small{"Small", {}};
    host::save_form_file(dir / "form.pfm", small);
    std::string before = read(dir / "form.pfm");

    host::FormRecord big{"Big", {}};
    host::FormControlRecord c;
    c.class_name = "C";
    c.name = "c";
    c.bag.WriteProperty("Text", std::string(64 * 1024, 'x'));
    big.controls.push_back(std::move(c));
    try {
        FileSizeLimit limit(4096);
        host::save_form_file(dir / "form.pfm", big);
        FAIL() << "the write did not fail";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), vb::err::PathFileAccessError);
        EXPECT_NE(e.description().find("form.pfm"), std::string::npos) << e.description();
    }
    EXPECT_EQ(read(dir / "form.pfm"), before);
    EXPECT_EQ(files_in(dir.path()), 1u) << "the temporary file is gone";
    EXPECT_EQ(host::load_form_file(dir / "form.pfm").name, "Small");
}

TEST(AtomicFile, UnwritableFolderRaisesNamingTheTarget)
{
    TempDir dir;
    std::ofstream(dir / "plain") << "a file, not a folder";
    try {
        host::AtomicFile file(dir / "plain" / "form.pfm");
        FAIL();
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), vb::err::PathFileAccessError);
        EXPECT_NE(e.description().find("form.pfm"), std::string::npos);
    }
}

TEST(AtomicFile, NewFileGetsUsualPermissionsAndOldOnesAreKept)
{
    TempDir dir;
    host::save_form_file(dir / "new.pfm", host::FormRecord{"A", {}});
    auto perms = std::filesystem::status(dir / "new.pfm").permissions();
    EXPECT_EQ(perms, std::filesystem::perms(0644));
    std::filesystem::permissions(dir / "new.pfm", std::filesystem::perms(0600));
    host::save_form_file(dir / "new.pfm", host::FormRecord{"B", {}});
    EXPECT_EQ(std::filesystem::status(dir / "new.pfm").permissions(), std::filesystem::perms(0600));
}

} // namespace
