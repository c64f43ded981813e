#include "platform/host/FileAppend.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace host {

namespace {

bool is_letter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool is_separator(char c)
{
    return c == '\\' || c == '/';
}

// The folders of a path below the drive, "." and empty parts dropped and
// ".." resolved; nothing when ".." climbs above the drive.
std::optional<std::vector<std::string>> drive_parts(std::string_view rest)
{
    std::vector<std::string> parts;
    std::string part;
    auto flush = [&]() -> bool {
        if (part == "..") {
            if (parts.empty())
                return false;
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        part.clear();
        return true;
    };
    for (char c : rest) {
        if (is_separator(c)) {
            if (!flush())
                return std::nullopt;
        } else {
            part += c;
        }
    }
    if (!flush() || parts.empty())
        return std::nullopt;
    return parts;
}

// "c:\..." or "C:/...": a path on a drive.
bool is_drive_path(std::string_view path)
{
    return path.size() >= 3 && is_letter(path[0]) && path[1] == ':' && is_separator(path[2]);
}

std::filesystem::path drive_folder(char letter)
{
    char lower = static_cast<char>(letter | 0x20);
    return drive_root() / std::string(1, lower);
}

bool write_all(int fd, std::string_view text)
{
    while (!text.empty()) {
        ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A file descriptor, closed when it goes.
class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    Fd(Fd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Fd& operator=(Fd&& other) noexcept
    {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    [[nodiscard]] int get() const { return m_fd; }
    [[nodiscard]] int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

// The folder `name` inside the open folder `dir`, never through a link:
// a link where a folder should be ends the walk. With `make`, a missing
// folder is made first, readable by its owner only.
Fd open_folder(const Fd& dir, const std::string& name, bool make)
{
    if (make)
        ::mkdirat(dir.get(), name.c_str(), 0700); // EEXIST and the rest show at the open
    return Fd(::openat(dir.get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

// Where the walk to a file starts and the names it goes through, the
// file's own name last.
struct Walk {
    Fd start;
    std::vector<std::string> names;
    bool make = false; // the folders are the drive's own: made when missing
};

std::optional<Walk> walk_of(std::string_view path)
{
    Walk walk;
    if (is_drive_path(path)) {
        auto parts = drive_parts(path.substr(3));
        if (!parts)
            return std::nullopt;
        const auto root = drive_root();
        std::error_code ec;
        std::filesystem::create_directories(root, ec);
        // The drive root is where the host put it, links and all; below it
        // nothing is followed.
        walk.start = Fd(::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        walk.names.emplace_back(1, static_cast<char>(path[0] | 0x20));
        walk.names.insert(walk.names.end(), parts->begin(), parts->end());
        walk.make = true;
        return walk;
    }
    const auto mapped = map_path(path);
    if (!mapped)
        return std::nullopt;
    walk.start = Fd(::open(mapped->is_absolute() ? "/" : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    for (const auto& part : mapped->relative_path()) {
        if (!part.empty() && part != ".")
            walk.names.push_back(part.string());
    }
    if (walk.names.empty())
        return std::nullopt;
    return walk;
}

// Opens the file for appending without following a link at any step and
// without waiting for a reader (a FIFO); only a regular file is kept.
Fd open_for_append(std::string_view path)
{
    auto walk = walk_of(path);
    if (!walk || walk->start.get() < 0)
        return Fd();
    Fd dir = std::move(walk->start);
    for (std::size_t i = 0; i + 1 < walk->names.size() && dir.get() >= 0; ++i)
        dir = open_folder(dir, walk->names[i], walk->make);
    if (dir.get() < 0)
        return Fd();
    Fd file(::openat(dir.get(), walk->names.back().c_str(),
        O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600));
    struct stat st {};
    if (file.get() < 0 || ::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return Fd();
    return file;
}

} // namespace

std::filesystem::path drive_root()
{
    if (const char* root = std::getenv("PENDREL_DRIVE_ROOT"); root && *root)
        return root;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        return std::filesystem::path(data) / "pendrel" / "drives";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".local" / "share" / "pendrel" / "drives";
    return std::filesystem::temp_directory_path() / "pendrel" / "drives";
}

std::optional<std::filesystem::path> map_path(std::string_view path)
{
    if (path.empty() || path.find('\0') != std::string_view::npos)
        return std::nullopt;
    if (is_drive_path(path)) {
        auto parts = drive_parts(path.substr(3));
        if (!parts)
            return std::nullopt;
        auto mapped = drive_folder(path[0]);
        for (const auto& p : *parts)
            mapped /= p;
        return mapped;
    }
    if (path.size() >= 2 && is_letter(path[0]) && path[1] == ':')
        return std::nullopt; // drive-relative
    if (path.front() == '/')
        return std::filesystem::path(std::string(path));
    if (path.front() == '\\')
        return std::nullopt; // UNC or rooted without a drive
    std::string relative(path);
    for (char& c : relative) {
        if (c == '\\')
            c = '/';
    }
    return std::filesystem::path(relative);
}

bool append_text(std::string_view path, std::string_view text) noexcept
{
    try {
        Fd file = open_for_append(path);
        if (file.get() < 0)
            return false;
        bool written = write_all(file.get(), text);
        bool closed = ::close(file.release()) == 0;
        return written && closed;
    } catch (...) {
        // Only allocation can throw here; a line that cannot be written is
        // skipped, so that is not an error either.
        return false;
    }
}

} // namespace host
