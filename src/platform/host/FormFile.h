#pragma once
// The form file: the property bags of a form's controls as UTF-8 text. The
// format is written down in docs/FormFile.md; in short:
//
//   PendrelForm 1
//   Form "Orders"
//   Begin "Pendrel.Morvex" "cboCustomer" 120 240 3015 375
//       ColumnWidths = String "50;50"
//       BeginProperty Font "StdFont"
//           Name = String "Tahoma"
//       EndProperty
//   End
//
// Saving is atomic (temporary file, flush, rename). Reading treats the file
// as untrusted: anything malformed raises 321 "Invalid file format" whose
// description names the file, the line and what is wrong.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host/PropertyBag.h"

namespace host {

// One control: its class, its name, where its extender places it (twips,
// in the form's client area) and the bag its properties were written to.
struct FormControlRecord {
    std::string class_name;
    std::string name;
    vb::Single left = 0;
    vb::Single top = 0;
    vb::Single width = 0;
    vb::Single height = 0;
    PropertyBag bag;
};

struct FormRecord {
    std::string name;
    std::vector<FormControlRecord> controls;
};

// The text of a form file.
[[nodiscard]] std::string form_text(const FormRecord& form);

// Parses form text; `file_name` is the name errors give for the file.
[[nodiscard]] FormRecord parse_form_text(std::string_view text, std::string_view file_name);

// Saves atomically; raises 75 naming the file when it cannot be written, in
// which case the old file is untouched.
void save_form_file(const std::filesystem::path& path, const FormRecord& form);

// Reads a form file; raises 53 for a missing file, 75 for one that cannot
// be read, 321 for a malformed one.
[[nodiscard]] FormRecord load_form_file(const std::filesystem::path& path);

// Limits of what the reader accepts.
inline constexpr std::size_t k_form_file_max_bytes = 16u << 20;
inline constexpr std::size_t k_form_file_max_line = 1u << 20;
inline constexpr int k_form_file_max_depth = 16;

} // namespace host
