#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "platform/host/FormFile.h"
#include "platform/host/StdFont.h"
#include "platform/vb/Error.h"
#include "support/RowName.h"
#include "support/TempDir.h"

namespace {

using host::FormRecord;
using host::PropertyBag;
using pendrel::test::TempDir;

FormRecord sample()
{
    FormRecord form{"Orders", {}};
    host::FormControlRecord c;
    c.class_name = "Pendrel.Morvex";
    c.name = "cboCustomer";
    c.left = 120;
    c.top = 240.5f;
    c.width = 3015;
    c.height = 375;
    c.bag.WriteProperty("Appearance", vb::Integer{-32768});
    c.bag.WriteProperty("AutoExpand", vb::False);
    c.bag.WriteProperty("BackColor", vb::Long(0x8000000F));
    c.bag.WriteProperty("ListRows", vb::Long{-2147483647 - 1});
    c.bag.WriteProperty("FontSize", vb::Single{9.75f});
    c.bag.WriteProperty("Ratio", vb::Double{0.1});
    c.bag.WriteProperty("Stamp", vb::Date{45000.75});
    c.bag.WriteProperty("ColumnWidths",
        "say \"hi\"\\\n\r\ttab\x01 Z\xC3\xBCrich \xC5\x81\xC3\xB3"
        "d\xC5\xBA");
    c.bag.WriteProperty("Raw bytes", std::string("\xFF\xFE\x00!", 4));
    c.bag.WriteProperty("Empty", "");
    auto font = host::StdFont::create(gfx::Font{"Tahoma", 9.75, 700, true, false, true, 0});
    c.bag.WriteProperty("Font", font);
    form.controls.push_back(std::move(c));
    host::FormControlRecord second;
    second.class_name = "Pendrel.Morvex";
    second.name = "cboProduct";
    form.controls.push_back(std::move(second));
    return form;
}

TEST(FormFile, RoundTripThroughADiskFileKeepsEveryValueTagAndFont)
{
    TempDir dir;
    auto form = sample();
    host::save_form_file(dir / "orders.pfm", form);
    auto loaded = host::load_form_file(dir / "orders.pfm");
    // The text spells every position, key, type tag and value.
    EXPECT_EQ(host::form_text(loaded), host::form_text(form));
    EXPECT_EQ(loaded.controls[0].bag.ReadProperty("Raw bytes"),
        vb::Variant(std::string("\xFF\xFE\x00!", 4)));
}

TEST(FormFile, TextIsTheDocumentedFormat)
{
    FormRecord form{"F", {}};
    host::FormControlRecord c;
    c.class_name = "C";
    c.name = "c1";
    c.width = 15;
    c.bag.WriteProperty("Caption", "a\"b");
    c.bag.WriteProperty("Font", host::StdFont::create());
    form.controls.push_back(std::move(c));
    EXPECT_EQ(host::form_text(form),
        "PendrelForm 1\n"
        "Form \"F\"\n"
        "Begin \"C\" \"c1\" 0 0 15 0\n"
        "    Caption = String \"a\\\"b\"\n"
        "    BeginProperty Font \"StdFont\"\n"
        "        Name = String \"MS Sans Serif\"\n"
        "        Size = Single 8.25\n"
        "        Weight = Integer 400\n"
        "        Italic = Boolean False\n"
        "        Underline = Boolean False\n"
        "        Strikethrough = Boolean False\n"
        "        Charset = Integer 0\n"
        "    EndProperty\n"
        "End\n");
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

struct CorruptCase {
    const char* name;
    std::string text;
    int line;
    const char* what;
};

class CorruptFormFile : public ::testing::TestWithParam<CorruptCase> {};

TEST_P(CorruptFormFile, RaisesNamingTheFileLineAndFault)
{
    const auto& c = GetParam();
    try {
        (void)host::parse_form_text(c.text, "bad.pfm");
        FAIL() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), vb::err::InvalidFileFormat);
        std::string place = "bad.pfm, line " + std::to_string(c.line) + ": ";
        EXPECT_EQ(e.description().rfind(place, 0), 0u) << e.description();
        EXPECT_NE(e.description().find(c.what), std::string::npos) << e.description();
    }
}

// A control whose body (from line 4) is the given text.
std::string body(const std::string& lines)
{
    return "PendrelForm 1\nForm \"F\"\nBegin \"C\" \"c\" 0 0 10 10\n" + lines;
}

INSTANTIATE_TEST_SUITE_P(Table, CorruptFormFile,
    ::testing::Values(CorruptCase{"Empty", "", 1, "empty file"},
        CorruptCase{"WrongMagic", "PendrelFrom 1\n", 1, "expected PendrelForm"},
        CorruptCase{"FutureVersion", "PendrelForm 2\n", 1, "unsupported format version 2"},
        CorruptCase{"NoFormLine", "PendrelForm 1\nBegin \"C\" \"c\" 0 0 1 1\n", 2, "expected Form"},
        CorruptCase{"BeginWithoutPlace", "PendrelForm 1\nForm \"F\"\nBegin \"C\" \"c\"\n", 3,
            "expected Begin"},
        CorruptCase{"NegativeWidth", "PendrelForm 1\nForm \"F\"\nBegin \"C\" \"c\" 0 0 -1 1\n", 3,
            "invalid position or size"},
        CorruptCase{"UnknownType", body("A = Integr 1\nEnd\n"), 4, "unknown type Integr"},
        CorruptCase{"IntegerTooBig", body("A = Integer 40000\nEnd\n"), 4, "out of range"},
        CorruptCase{"NotANumber", body("A = Single 1.5x\nEnd\n"), 4, "not a number"},
        CorruptCase{"BooleanYes", body("A = Boolean Yes\nEnd\n"), 4, "True or False"},
        CorruptCase{"UnquotedString", body("A = String abc\nEnd\n"), 4, "must be quoted"},
        CorruptCase{"UnterminatedString", body("A = String \"abc\nEnd\n"), 4, "unterminated"},
        CorruptCase{"BadEscape", body("A = String \"a\\qb\"\nEnd\n"), 4, "unknown escape"},
        CorruptCase{"MissingEquals", body("A Integer 1\nEnd\n"), 4, "expected key = Type"},
        CorruptCase{
            "DuplicateKey", body("A = Integer 1\na = Integer 2\nEnd\n"), 5, "duplicate property a"},
        CorruptCase{
            "ControlCharacterKey", body("\"a\\tb\" = Integer 1\nEnd\n"), 4, "control character"},
        CorruptCase{"NotUtf8", body("A = String \"Z\xFCrich\"\nEnd\n"), 4, "not UTF-8"},
        CorruptCase{"NulByte", body(std::string("A = Integer 1\0\n", 15) + "End\n"), 4, "NUL byte"},
        CorruptCase{"UnclosedControl", body("A = Integer 1\n"), 5, "Begin at line 3"},
        CorruptCase{"UnclosedObject", body("BeginProperty Font \"StdFont\"\nEnd\n"), 5,
            "End inside BeginProperty of line 4"},
        CorruptCase{"StrayEndProperty", body("EndProperty\n"), 4, "EndProperty without"},
        CorruptCase{"UnknownClass", body("BeginProperty P \"Widget\"\nEndProperty\nEnd\n"), 4,
            "unknown object class Widget"},
        CorruptCase{"BadFont",
            body("BeginProperty Font \"StdFont\"\nSize = Single -3\nEndProperty\nEnd\n"), 4,
            "StdFont Font: Invalid font size"},
        CorruptCase{"DuplicateControl", body("End\nBegin \"C\" \"C\" 0 0 1 1\nEnd\n"), 5,
            "duplicate control name C"},
        CorruptCase{"TooDeep",
            [] {
                std::string t = body("");
                for (int i = 0; i < 17; ++i)
                    t += "BeginProperty P \"StdFont\"\n";
                return t;
            }(),
            20, "nested deeper than 16"}),
    pendrel::test::RowName{});

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
    auto text = host::form_text(sample());
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

TEST(FormFile, MissingAndOversizedFiles)
{
    TempDir dir;
    auto error_of = [&](const char* name) {
        try {
            (void)host::load_form_file(dir / name);
        } catch (const vb::Error& e) {
            EXPECT_NE(e.description().find(name), std::string::npos) << e.description();
            return e.number();
        }
        return vb::Long{0};
    };
    EXPECT_EQ(error_of("none.pfm"), vb::err::FileNotFound);
    std::ofstream(dir / "big.pfm", std::ios::binary)
        .seekp(static_cast<std::streamoff>(host::k_form_file_max_bytes))
        .put('x');
    EXPECT_EQ(error_of("big.pfm"), vb::err::InvalidFileFormat);
}

} // namespace
