#include "platform/host/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/vb/Error.h"

namespace host {

namespace {

void close_quietly(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

AtomicFile::AtomicFile(std::filesystem::path target) : m_target(std::move(target))
{
    auto folder = m_target.parent_path();
    if (folder.empty())
        folder = ".";
    std::string pattern = (folder / ("." + m_target.filename().string() + ".tmp-XXXXXX")).string();
    m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd < 0)
        fail("cannot create a temporary file", errno);
    m_temp = pattern;
    // The new file gets the old one's permissions, or the usual 0644.
    struct stat old {};
    ::fchmod(m_fd, ::stat(m_target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
}

AtomicFile::~AtomicFile()
{
    close_quietly(m_fd);
    if (!m_committed && !m_temp.empty())
        ::unlink(m_temp.c_str());
}

void AtomicFile::fail(std::string_view what, int error)
{
    close_quietly(m_fd);
    vb::raise(vb::err::PathFileAccessError,
        "Cannot write " + m_target.string() + ": " + std::string(what) + " (" + std::strerror(error)
            + ")",
        "AtomicFile");
}

void AtomicFile::write(std::string_view data)
{
    if (m_fd < 0)
        fail("the file is closed", EBADF);
    while (!data.empty()) {
        ssize_t n = ::write(m_fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail("write failed", n < 0 ? errno : ENOSPC);
        data.remove_prefix(static_cast<std::size_t>(n));
    }
}

void AtomicFile::commit()
{
    if (m_fd < 0)
        fail("the file is closed", EBADF);
    if (::fsync(m_fd) != 0)
        fail("flush failed", errno);
    int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        fail("close failed", errno);
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0)
        fail("rename failed", errno);
    m_committed = true;
    // The rename itself reaches the disk with the folder.
    auto folder = m_target.parent_path();
    int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace host
