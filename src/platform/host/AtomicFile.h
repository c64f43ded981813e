#pragma once
// Writing a file so that a crash or failure midway loses nothing: the data
// goes to a temporary file in the target's folder; commit() flushes it to
// disk, renames it over the target and flushes the folder. Until commit()
// succeeds the target keeps its old contents, and an AtomicFile that is
// destroyed without a successful commit removes its temporary file.

#include <filesystem>
#include <string_view>

namespace host {

class AtomicFile {
public:
    // Creates the temporary file; raises 75 naming the target when it
    // cannot (missing or unwritable folder).
    explicit AtomicFile(std::filesystem::path target);
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile();

    // Appends bytes; raises 75 when the write fails (disk full, file size
    // limit), after which only the destructor is left to run.
    void write(std::string_view data);
    // Flushes, closes and renames; raises 75 when any step fails.
    void commit();

    [[nodiscard]] const std::filesystem::path& temp_path() const { return m_temp; }

private:
    [[noreturn]] void fail(std::string_view what, int error);

    std::filesystem::path m_target;
    std::filesystem::path m_temp;
    int m_fd = -1;
    bool m_committed = false;
};

} // namespace host
