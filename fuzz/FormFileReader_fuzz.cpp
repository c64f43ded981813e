// The form-file reader on untrusted text: it reads or raises the error
// value, and what it read is written and read back the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/host/FormFile.h"
#include "platform/vb/Error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    host::FormRecord form;
    try {
        form = host::parse_form_text(text, "fuzz.frm");
    } catch (const vb::Error&) {
        return 0;
    }
    const std::string written = host::form_text(form);
    if (host::form_text(host::parse_form_text(written, "again.frm")) != written)
        __builtin_trap();
    return 0;
}
