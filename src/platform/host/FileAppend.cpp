#include "platform/host/FileAppend.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
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
    if (path.size() >= 3 && is_letter(path[0]) && path[1] == ':' && is_separator(path[2])) {
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
        auto file = map_path(path);
        if (!file)
            return false;
        bool under_drive = path.size() >= 3 && path[1] == ':';
        if (under_drive) {
            std::error_code ec;
            std::filesystem::create_directories(file->parent_path(), ec);
        }
        int fd = ::open(file->c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return false;
        bool written = write_all(fd, text);
        bool closed = ::close(fd) == 0;
        return written && closed;
    } catch (...) {
        // Only allocation can throw here; a line that cannot be written is
        // skipped, so that is not an error either.
        return false;
    }
}

} // namespace host
