#pragma once
// Appending text to a file named by a Windows-style path, as the log does.
//
// Paths map to this system's files as follows:
//  1. "c:\dir\file.txt" (a drive letter, a colon and a separator) maps to
//     <drive root>/c/dir/file.txt: the letter in lower case, backslashes
//     and slashes as folder separators, "." dropped; a ".." that would
//     climb above the drive's folder makes the path unusable.
//  2. A POSIX absolute path ("/var/log/x.txt") is used as it is.
//  3. A relative path is taken from the current folder, backslashes turned
//     into slashes.
//  4. Empty paths, paths with NUL bytes, UNC paths ("\\server\share") and
//     drive-relative paths ("c:file.txt") are unusable.
//
// The drive root is $PENDREL_DRIVE_ROOT when set, otherwise
// $XDG_DATA_HOME/pendrel/drives, otherwise ~/.local/share/pendrel/drives.
//
// The file is created when missing, readable and writable by its owner
// only (a log line can hold typed text and SQL). Under the drive root the
// missing folders are created too, also for the owner only (the drive
// folders are this system's own, so a fresh machine has none of them);
// anywhere else a missing folder makes the append fail, as on the platform.
//
// No link is followed on the way: a symbolic link where a folder or the
// file should be makes the path unusable, so a line never lands outside
// the folders it names (the drive root itself is where the host put it).
// Only a regular file is written; a FIFO, a device or a folder at the path
// is unusable, and opening never waits for a reader.

#include <filesystem>
#include <optional>
#include <string_view>

namespace host {

// The folder that holds one folder per drive letter.
[[nodiscard]] std::filesystem::path drive_root();

// The file a path stands for, or nothing for an unusable path.
[[nodiscard]] std::optional<std::filesystem::path> map_path(std::string_view path);

// Opens the file for appending, writes the text as it is (the caller ends
// a line with "\r\n") and closes it again. Returns false, and changes
// nothing else, when the path is unusable or the file cannot be opened or
// written: a line that cannot be written is skipped, never an error.
bool append_text(std::string_view path, std::string_view text) noexcept;

} // namespace host
