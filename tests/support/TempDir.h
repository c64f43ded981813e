#pragma once
// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes.

#include <filesystem>
#include <string>

namespace pendrel::test {

class TempDir {
public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }
    [[nodiscard]] std::filesystem::path operator/(const std::string& name) const
    {
        return m_path / name;
    }

private:
    std::filesystem::path m_path;
};

} // namespace pendrel::test
