#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "platform/host/FormFile.h"
#include "platform/host/StdFont.h"
#include "support/RowName.h"
#include "support/TempDir.h"
#include "support/VbError.h"

namespace {

using pendrel::test::error_of;
using pendrel::test::TempDir;

// Every value type, a stored font, a quoted key, quotes, escapes, control
// characters, bytes that are no UTF-8, non-ASCII text and an empty control,
// spelled as the writer spells them.
constexpr std::string_view k_sample = R"(PendrelForm 1
Form "Orders"
Begin "Pendrel.Morvex" "cboCustomer" 120 240.5 3015 375
    Appearance = Integer -32768
    AutoExpand = Boolean False
    BackColor = Long -2147483633
    ListRows = Long -2147483648
    FontSize = Single 9.75
    Ratio = Double 0.1
    Stamp = Date 45000.75
    ColumnWidths = String "say \"hi\"\\\n\r\ttab\x01 Zürich Łódź"
    "Raw bytes" = String "\xFF\xFE\x00!"
    Empty = String ""
    BeginProperty Font "StdFont"
        Name = String "Tahoma"
        Size = Single 9.75
        Weight = Integer 700
        Italic = Boolean True
        Underline = Boolean False
        Strikethrough = Boolean True
        Charset = Integer 0
    EndProperty
End
Begin "Pendrel.Morvex" "cboProduct" 0 0 0 0
End
)";

TEST(FormFile, ReadsEveryValueWithItsTagAndWritesTheSameTextThroughADiskFile)
{
    const host::FormRecord form = host::parse_form_text(k_sample, "orders.pfm");
    const host::PropertyBag& bag = form.controls.at(0).bag;
    EXPECT_EQ(form.controls[0].top, 240.5f);
    EXPECT_EQ(bag.ReadProperty("Appearance"), vb::Variant(vb::Integer{-32768}));
    EXPECT_EQ(bag.ReadProperty("ListRows"), vb::Variant(vb::Long{INT32_MIN}));
    EXPECT_EQ(bag.ReadProperty("FontSize"), vb::Variant(vb::Single{9.75f}));
    EXPECT_EQ(bag.ReadProperty("Stamp"), vb::Variant(vb::Date{45000.75}));
    EXPECT_EQ(bag.ReadProperty("ColumnWidths"),
        vb::Variant("say \"hi\"\\\n\r\ttab\x01 Z\xC3\xBCrich \xC5\x81\xC3\xB3"
                    "d\xC5\xBA"));
    EXPECT_EQ(bag.ReadProperty("Raw bytes"), vb::Variant(std::string("\xFF\xFE\x00!", 4)));
    const auto font
        = std::dynamic_pointer_cast<host::StdFont>(bag.ReadProperty("Font").as_object());
    ASSERT_TRUE(font);
    EXPECT_EQ(font->font(), (gfx::Font{"Tahoma", 9.75, 700, true, false, true, 0}));
    EXPECT_EQ(host::form_text(form), k_sample);

    TempDir dir;
    host::save_form_file(dir / "orders.pfm", form);
    EXPECT_EQ(host::form_text(host::load_form_file(dir / "orders.pfm")), k_sample);
}

TEST(FormFile, ToleratesCommentsBlankLinesCrLfAndAByteOrderMark)
{
    auto form = host::parse_form_text("\xEF\xBB\xBF# a comment\r\n\r\nPendrelForm 1\r\n"
                                      "  Form \"F\"\r\n\tBegin \"C\" \"x\" 1 2 3 4\r\n"
                                      "    # inside\r\n  \"Odd key\" = Long 5\r\nEnd\r\n\r\n",
        "f");
    ASSERT_EQ(form.controls.size(), 1u);
    EXPECT_EQ(form.controls[0].bag.ReadProperty("Odd key"), vb::Variant(vb::Long{5}));
}

struct CorruptRow {
    const char* name;
    std::string text;
    int line;
    const char* what;
};

class CorruptFormFile : public ::testing::TestWithParam<CorruptRow> {};

TEST_P(CorruptFormFile, RaisesNamingTheFileLineAndFault)
{
    const CorruptRow& row = GetParam();
    const vb::Error e = error_of([&] { (void)host::parse_form_text(row.text, "bad.pfm"); });
    EXPECT_EQ(e.number(), vb::err::InvalidFileFormat);
    const std::string place = "bad.pfm, line " + std::to_string(row.line) + ": ";
    EXPECT_EQ(e.description().rfind(place, 0), 0u) << e.description();
    EXPECT_NE(e.description().find(row.what), std::string::npos) << e.description();
}

// A control whose body (from line 4) is the given text.
std::string body(const std::string& lines)
{
    return "PendrelForm 1\nForm \"F\"\nBegin \"C\" \"c\" 0 0 10 10\n" + lines;
}

std::string nested_too_deep()
{
    std::string text = body("");
    for (int i = 0; i < 17; ++i)
        text += "BeginProperty P \"StdFont\"\n";
    return text;
}

const CorruptRow k_corrupt[] = {{"Empty", "", 1, "empty file"},
    {"WrongMagic", "PendrelFrom 1\n", 1, "expected PendrelForm"},
    {"FutureVersion", "PendrelForm 2\n", 1, "unsupported format version 2"},
    {"NoFormLine", "PendrelForm 1\nBegin \"C\" \"c\" 0 0 1 1\n", 2, "expected Form"},
    {"BeginWithoutPlace", "PendrelForm 1\nForm \"F\"\nBegin \"C\" \"c\"\n", 3, "expected Begin"},
    {"NegativeWidth", "PendrelForm 1\nForm \"F\"\nBegin \"C\" \"c\" 0 0 -1 1\n", 3,
        "invalid position or size"},
    {"UnknownType", body("A = Integr 1\nEnd\n"), 4, "unknown type Integr"},
    {"IntegerTooBig", body("A = Integer 40000\nEnd\n"), 4, "out of range"},
    {"NotANumber", body("A = Single 1.5x\nEnd\n"), 4, "not a number"},
    {"BooleanYes", body("A = Boolean Yes\nEnd\n"), 4, "True or False"},
    {"UnquotedString", body("A = String abc\nEnd\n"), 4, "must be quoted"},
    {"UnterminatedString", body("A = String \"abc\nEnd\n"), 4, "unterminated"},
    {"BadEscape", body("A = String \"a\\qb\"\nEnd\n"), 4, "unknown escape"},
    {"MissingEquals", body("A Integer 1\nEnd\n"), 4, "expected key = Type"},
    {"DuplicateKey", body("A = Integer 1\na = Integer 2\nEnd\n"), 5, "duplicate property a"},
    {"ControlCharacterKey", body("\"a\\tb\" = Integer 1\nEnd\n"), 4, "control character"},
    {"NotUtf8", body("A = String \"Z\xFCrich\"\nEnd\n"), 4, "not UTF-8"},
    {"NulByte", body(std::string("A = Integer 1\0\n", 15) + "End\n"), 4, "NUL byte"},
    {"UnclosedControl", body("A = Integer 1\n"), 5, "Begin at line 3"},
    {"UnclosedObject", body("BeginProperty Font \"StdFont\"\nEnd\n"), 5,
        "End inside BeginProperty of line 4"},
    {"StrayEndProperty", body("EndProperty\n"), 4, "EndProperty without"},
    {"UnknownClass", body("BeginProperty P \"Widget\"\nEndProperty\nEnd\n"), 4,
        "unknown object class Widget"},
    {"BadFont", body("BeginProperty Font \"StdFont\"\nSize = Single -3\nEndProperty\nEnd\n"), 4,
        "StdFont Font: Invalid font size"},
    {"DuplicateControl", body("End\nBegin \"C\" \"C\" 0 0 1 1\nEnd\n"), 5,
        "duplicate control name C"},
    {"TooDeep", nested_too_deep(), 20, "nested deeper than 16"}};

INSTANTIATE_TEST_SUITE_P(
    Table, CorruptFormFile, ::testing::ValuesIn(k_corrupt), pendrel::test::RowName{});

// Damaged files must give the error or a record, never anything else.
void expect_no_crash(const std::string& text)
{
    try {
        (void)host::parse_form_text(text, "fuzz.pfm");
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), vb::err::InvalidFileFormat);
        EXPECT_EQ(e.description().rfind("fuzz.pfm", 0), 0u) << e.description();
    }
}

TEST(FormFileFuzz, TruncationsByteChangesAndNoise)
{
    const std::string text(k_sample);
    for (std::size_t n = 0; n <= text.size(); ++n)
        expect_no_crash(text.substr(0, n));
    std::mt19937 rng(20261205); // fixed seed: failures can be repeated
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 2000; ++round) {
        auto damaged = text;
        for (int i = 0; i <= round % 4; ++i)
            damaged[rng() % damaged.size()] = static_cast<char>(byte(rng));
        expect_no_crash(damaged);
    }
    for (int round = 0; round < 300; ++round) {
        std::string noise(rng() % 300, '\0');
        for (char& c : noise)
            c = static_cast<char>(byte(rng));
        expect_no_crash("PendrelForm 1\nForm \"F\"\n" + noise);
    }
}

TEST(FormFile, MissingAndOversizedFilesRaiseNamingTheFile)
{
    TempDir dir;
    std::ofstream(dir / "big.pfm", std::ios::binary)
        .seekp(static_cast<std::streamoff>(host::k_form_file_max_bytes))
        .put('x');
    for (const auto& [file, number] :
        {std::pair{"none.pfm", vb::err::FileNotFound}, {"big.pfm", vb::err::InvalidFileFormat}}) {
        const std::string name = file;
        const vb::Error e = error_of([&] { (void)host::load_form_file(dir / name); });
        EXPECT_EQ(e.number(), number) << name;
        EXPECT_NE(e.description().find(name), std::string::npos) << e.description();
    }
}

} // namespace
