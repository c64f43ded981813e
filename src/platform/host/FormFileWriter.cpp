// Writing form files: the text of a form record and the atomic save.
#include <charconv>
#include <cstdio>

#include "platform/gfx/Utf8.h"
#include "platform/host/AtomicFile.h"
#include "platform/host/FormFile.h"
#include "platform/vb/Error.h"

namespace host {

namespace {

bool is_bare_word(std::string_view s)
{
    auto letter
        = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (s.empty() || !letter(s.front()))
        return false;
    for (char c : s) {
        if (!letter(c) && !digit(c) && c != '.')
            return false;
    }
    // A key spelled like a statement word would read back as that statement.
    return s != "End" && s != "EndProperty" && s != "BeginProperty" && s != "Begin";
}

// Length of the valid UTF-8 sequence starting at s[i] (0 if invalid).
std::size_t valid_sequence(std::string_view s, std::size_t i)
{
    auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = b < 0x80 ? 1
        : (b >> 5) == 0x6    ? 2
        : (b >> 4) == 0xE    ? 3
        : (b >> 3) == 0x1E   ? 4
                             : 0;
    if (n == 0 || i + n > s.size())
        return 0;
    return gfx::is_valid_utf8(s.substr(i, n)) ? n : 0;
}

void append_quoted(std::string& out, std::string_view s)
{
    out += '"';
    for (std::size_t i = 0; i < s.size();) {
        char c = s[i];
        auto u = static_cast<unsigned char>(c);
        std::size_t n = valid_sequence(s, i);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20 || u == 0x7F || n == 0) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", u);
            out += buf;
        } else {
            out.append(s.substr(i, n));
            i += n;
            continue;
        }
        ++i;
    }
    out += '"';
}

template <class T> std::string number_text(T value)
{
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, end);
}

void append_key(std::string& out, std::string_view key)
{
    if (is_bare_word(key))
        out += key;
    else
        append_quoted(out, key);
}

std::string value_text(const vb::Variant& v)
{
    return std::visit(
        [&](const auto& x) -> std::string {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, vb::Integer>)
                return "Integer " + number_text(x);
            else if constexpr (std::is_same_v<T, vb::Long>)
                return "Long " + number_text(x);
            else if constexpr (std::is_same_v<T, vb::Single>)
                return "Single " + number_text(x);
            else if constexpr (std::is_same_v<T, vb::Double>)
                return "Double " + number_text(x);
            else if constexpr (std::is_same_v<T, vb::Date>)
                return "Date " + number_text(x.serial);
            else if constexpr (std::is_same_v<T, vb::Boolean>)
                return x ? "Boolean True" : "Boolean False";
            else if constexpr (std::is_same_v<T, std::string>) {
                std::string s = "String ";
                append_quoted(s, x);
                return s;
            } else
                vb::raise(vb::err::InvalidPropertyValue,
                    "A " + vb::type_name(v) + " value cannot be written to a form file",
                    "FormFile");
        },
        v.storage());
}

void append_bag(std::string& out, const PropertyBag& bag, int depth)
{
    std::string indent(static_cast<std::size_t>(depth) * 4, ' ');
    for (const auto& e : bag.entries()) {
        out += indent;
        if (const auto* v = std::get_if<vb::Variant>(&e.value)) {
            append_key(out, e.key);
            out += " = " + value_text(*v) + "\n";
            continue;
        }
        const auto& obj = std::get<PropertyBag::StoredObject>(e.value);
        out += "BeginProperty ";
        append_key(out, e.key);
        out += ' ';
        append_quoted(out, obj.class_name);
        out += '\n';
        append_bag(out, *obj.bag, depth + 1);
        out += indent + "EndProperty\n";
    }
}

} // namespace

std::string form_text(const FormRecord& form)
{
    std::string out = "PendrelForm 1\nForm ";
    append_quoted(out, form.name);
    out += '\n';
    for (const auto& c : form.controls) {
        out += "Begin ";
        append_quoted(out, c.class_name);
        out += ' ';
        append_quoted(out, c.name);
        for (vb::Single v : {c.left, c.top, c.width, c.height})
            out += ' ' + number_text(v);
        out += '\n';
        append_bag(out, c.bag, 1);
        out += "End\n";
    }
    return out;
}

void save_form_file(const std::filesystem::path& path, const FormRecord& form)
{
    std::string text = form_text(form);
    AtomicFile file(path);
    file.write(text);
    file.commit();
}

} // namespace host
