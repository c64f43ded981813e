#include "dropdown/ColumnWidths.h"

#include "diag/Steps.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Error.h"

namespace dropdown {

vb::Integer aantalGesplitsteDelenInString(std::vector<std::string>& Parts, std::string_view Text,
    std::string_view Sep, const std::string& log_path)
{
    diag::Steps s("aantalGesplitsteDelenInString", log_path);
    vb::Integer count = 0;
    // 1. The text between two separators is an entry, so the text goes
    // between two more.
    Parts.assign(1, std::string());
    std::string wrapped;
    s.step("1", [&] {
        if (Sep.empty())
            vb::raise(vb::err::InvalidProcedureCall, "The separator is empty", "Morvex");
        wrapped.append(Sep).append(Text).append(Sep);
    });
    // 2. Nothing to split when the separator was refused.
    if (wrapped.empty())
        return count;
    // The next separator from `from`: one inside the text, or the closing
    // one. A match that starts in the text and runs on into the closing
    // separator ("10;;;" with ";;") borrows its bytes, so it is not one.
    const std::size_t closing = wrapped.size() - Sep.size();
    const auto find_next = [&](std::size_t from) {
        const std::size_t at = wrapped.find(Sep, from);
        return at != std::string::npos && at < closing && at + Sep.size() > closing ? closing : at;
    };
    std::size_t pos = 0;
    std::size_t next = find_next(Sep.size());
    // 3. An entry per separator after the first.
    while (next != std::string::npos) {
        s.step("3.1", [&] {
            Parts[static_cast<std::size_t>(count)]
                = wrapped.substr(pos + Sep.size(), next - pos - Sep.size());
        });
        pos = next;
        next = find_next(pos + Sep.size());
        s.step("3.2", [&] { count = vb::checked_add(count, vb::Integer{1}); });
        Parts.resize(static_cast<std::size_t>(count) + 1);
    }
    return count;
}

vb::Single column_width(double percent, vb::Integer screen_width)
{
    return static_cast<vb::Single>(percent * screen_width / 100);
}

vb::Long widened_list_width(vb::Long list_width, double percent, vb::Integer screen_width)
{
    return vb::CLng(vb::Variant(list_width + percent * screen_width / 100));
}

bool takes_text_column(double percent, vb::Long list_width)
{
    return percent > 0 && list_width == 0;
}

vb::Long fixed_length_width(vb::Long defined_size, vb::Integer char_width)
{
    return vb::checked_mul(defined_size, vb::Long{char_width});
}

} // namespace dropdown
