// Reading form files. The text is untrusted: every statement is checked and
// any fault raises 321 naming the file, the line and what is wrong.
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/gfx/Utf8.h"
#include "platform/host/FormFile.h"
#include "platform/host/FormFileLexer.h"
#include "platform/host/Persistable.h"
#include "platform/vb/Ascii.h"
#include "platform/vb/Error.h"

namespace host {

namespace {

template <class T> std::optional<T> parse_number(const std::string& s)
{
    T value{};
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return value;
}

class Reader {
public:
    Reader(std::string_view text, std::string_view file) : m_text(text), m_file(file) {}
    FormRecord read();

private:
    // An open BeginProperty: the bag being filled and where it began.
    struct Open {
        std::string key;
        std::string class_name;
        std::shared_ptr<PropertyBag> bag;
        int line;
    };

    [[noreturn]] void fail(const std::string& what) const { fail_at(m_line, what); }
    [[noreturn]] void fail_at(int line, const std::string& what) const
    {
        vb::raise(vb::err::InvalidFileFormat,
            std::string(m_file) + ", line " + std::to_string(line) + ": " + what, "FormFile");
    }

    bool next_statement(std::vector<Token>& tokens);
    void expect_header(std::vector<Token>& tokens);
    void read_control(std::vector<Token>& tokens, FormRecord& form);
    void read_property(const std::vector<Token>& tokens, PropertyBag& bag);
    vb::Variant parse_value(const Token& type, const Token& value);
    void close_object(std::vector<Open>& open, PropertyBag& control_bag);
    void add(PropertyBag& bag, std::string key, PropertyBag::Value value);

    std::string_view m_text;
    std::string_view m_file;
    std::size_t m_pos = 0;
    int m_line = 0;
};

// The tokens of the next statement (skipping blank and comment lines);
// false at the end of the text.
bool Reader::next_statement(std::vector<Token>& tokens)
{
    while (m_pos < m_text.size()) {
        std::size_t end = m_text.find('\n', m_pos);
        if (end == std::string_view::npos)
            end = m_text.size();
        std::string_view line = m_text.substr(m_pos, end - m_pos);
        m_pos = end + 1;
        ++m_line;
        if (line.size() > k_form_file_max_line)
            fail("line longer than " + std::to_string(k_form_file_max_line) + " bytes");
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.find('\0') != std::string_view::npos)
            fail("NUL byte");
        if (!gfx::is_valid_utf8(line))
            fail("not UTF-8 text");
        std::string problem;
        tokens = tokenize(line, problem);
        if (!problem.empty())
            fail(problem);
        if (!tokens.empty())
            return true;
    }
    return false;
}

bool is_word(const Token& t, std::string_view w)
{
    return t.kind == Token::Word && t.text == w;
}

void Reader::expect_header(std::vector<Token>& tokens)
{
    if (!next_statement(tokens))
        fail_at(m_line + 1, "empty file: expected PendrelForm 1");
    if (tokens.size() != 2 || !is_word(tokens[0], "PendrelForm"))
        fail("expected PendrelForm 1");
    if (!is_word(tokens[1], "1"))
        fail("unsupported format version " + tokens[1].text);
}

FormRecord Reader::read()
{
    if (m_text.substr(0, 3) == "\xEF\xBB\xBF")
        m_pos = 3;
    std::vector<Token> tokens;
    expect_header(tokens);
    FormRecord form;
    if (!next_statement(tokens) || tokens.size() != 2 || !is_word(tokens[0], "Form")
        || tokens[1].kind != Token::String)
        fail("expected Form \"name\"");
    form.name = tokens[1].text;
    while (next_statement(tokens))
        read_control(tokens, form);
    return form;
}

void Reader::read_control(std::vector<Token>& tokens, FormRecord& form)
{
    if (tokens.size() != 7 || !is_word(tokens[0], "Begin") || tokens[1].kind != Token::String
        || tokens[2].kind != Token::String)
        fail("expected Begin \"class\" \"name\" left top width height");
    if (tokens[1].text.empty() || tokens[2].text.empty())
        fail("empty class or control name");
    for (const auto& c : form.controls) {
        if (vb::iequals(c.name, tokens[2].text))
            fail("duplicate control name " + tokens[2].text);
    }
    int begin_line = m_line;
    FormControlRecord control;
    control.class_name = tokens[1].text;
    control.name = tokens[2].text;
    vb::Single* place[] = {&control.left, &control.top, &control.width, &control.height};
    for (std::size_t i = 0; i < 4; ++i) {
        auto n = tokens[3 + i].kind == Token::Word ? parse_number<vb::Single>(tokens[3 + i].text)
                                                   : std::nullopt;
        if (!n || !std::isfinite(*n) || (i >= 2 && *n < 0))
            fail("invalid position or size: " + tokens[3 + i].text);
        *place[i] = *n;
    }
    std::vector<Open> open;
    for (;;) {
        if (!next_statement(tokens))
            fail_at(m_line + 1,
                "end of file: Begin at line " + std::to_string(begin_line)
                    + (open.empty()
                            ? ""
                            : " (BeginProperty at line " + std::to_string(open.back().line) + ")")
                    + " is not closed");
        PropertyBag& bag = open.empty() ? control.bag : *open.back().bag;
        if (is_word(tokens[0], "End") && tokens.size() == 1) {
            if (!open.empty())
                fail("End inside BeginProperty of line " + std::to_string(open.back().line));
            break;
        }
        if (is_word(tokens[0], "EndProperty") && tokens.size() == 1) {
            if (open.empty())
                fail("EndProperty without BeginProperty");
            close_object(open, control.bag);
        } else if (is_word(tokens[0], "BeginProperty")) {
            if (tokens.size() != 3 || tokens[1].kind == Token::Equals
                || tokens[2].kind != Token::String)
                fail("expected BeginProperty key \"class\"");
            if (static_cast<int>(open.size()) >= k_form_file_max_depth)
                fail("objects nested deeper than " + std::to_string(k_form_file_max_depth));
            if (bag.contains(tokens[1].text))
                fail("duplicate property " + tokens[1].text);
            open.push_back(
                Open{tokens[1].text, tokens[2].text, std::make_shared<PropertyBag>(), m_line});
        } else {
            read_property(tokens, bag);
        }
    }
    form.controls.push_back(std::move(control));
}

void Reader::close_object(std::vector<Open>& open, PropertyBag& control_bag)
{
    Open obj = std::move(open.back());
    open.pop_back();
    const PersistableClass* cls = find_persistable_class(obj.class_name);
    if (!cls)
        fail_at(obj.line, "unknown object class " + obj.class_name);
    if (auto problem = cls->problem(*obj.bag); !problem.empty())
        fail_at(obj.line, obj.class_name + " " + obj.key + ": " + problem);
    PropertyBag& outer = open.empty() ? control_bag : *open.back().bag;
    int line = m_line;
    m_line = obj.line;
    add(outer, obj.key, PropertyBag::StoredObject{cls->name, std::move(obj.bag)});
    m_line = line;
}

void Reader::add(PropertyBag& bag, std::string key, PropertyBag::Value value)
{
    if (auto problem = PropertyBag::key_problem(key); !problem.empty())
        fail(problem);
    if (bag.contains(key))
        fail("duplicate property " + key);
    bag.add_entry(std::move(key), std::move(value));
}

void Reader::read_property(const std::vector<Token>& tokens, PropertyBag& bag)
{
    if (tokens.size() != 4 || tokens[0].kind == Token::Equals || tokens[1].kind != Token::Equals
        || tokens[2].kind != Token::Word)
        fail("expected key = Type value, or End");
    add(bag, tokens[0].text, parse_value(tokens[2], tokens[3]));
}

vb::Variant Reader::parse_value(const Token& type, const Token& value)
{
    const std::string& t = type.text;
    if (t == "String") {
        if (value.kind != Token::String)
            fail("String value must be quoted");
        return value.text;
    }
    if (value.kind != Token::Word)
        fail(t + " value must not be quoted");
    const std::string& v = value.text;
    if (t == "Boolean") {
        if (vb::iequals(v, "True") || vb::iequals(v, "False"))
            return vb::Boolean(vb::iequals(v, "True"));
        fail("Boolean value must be True or False: " + v);
    }
    if (t == "Integer") {
        if (auto n = parse_number<vb::Integer>(v))
            return *n;
        fail("Integer value out of range or not a number: " + v);
    }
    if (t == "Long") {
        if (auto n = parse_number<vb::Long>(v))
            return *n;
        fail("Long value out of range or not a number: " + v);
    }
    if (t == "Single") {
        if (auto n = parse_number<vb::Single>(v))
            return *n;
        fail("Single value out of range or not a number: " + v);
    }
    if (t == "Double") {
        if (auto n = parse_number<vb::Double>(v))
            return *n;
        fail("Double value out of range or not a number: " + v);
    }
    if (t == "Date") {
        auto n = parse_number<double>(v);
        if (n && *n >= -657434.0 && *n < 2958466.0)
            return vb::Date{*n};
        fail("Date value out of range or not a number: " + v);
    }
    fail("unknown type " + t);
}

} // namespace

FormRecord parse_form_text(std::string_view text, std::string_view file_name)
{
    if (text.size() > k_form_file_max_bytes)
        vb::raise(vb::err::InvalidFileFormat,
            std::string(file_name) + ": larger than " + std::to_string(k_form_file_max_bytes)
                + " bytes",
            "FormFile");
    return Reader(text, file_name).read();
}

FormRecord load_form_file(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        vb::raise(vb::err::FileNotFound, "File not found: " + path.string(), "FormFile");
    auto size = std::filesystem::file_size(path, ec);
    if (ec)
        vb::raise(vb::err::PathFileAccessError, "Cannot read " + path.string(), "FormFile");
    if (size > k_form_file_max_bytes)
        vb::raise(vb::err::InvalidFileFormat,
            path.string() + ": larger than " + std::to_string(k_form_file_max_bytes) + " bytes",
            "FormFile");
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in && !in.eof())
        vb::raise(vb::err::PathFileAccessError, "Cannot read " + path.string(), "FormFile");
    return parse_form_text(text.str(), path.string());
}

} // namespace host
