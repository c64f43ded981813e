#include <gtest/gtest.h>

#include "platform/host/Form.h"
#include "support/TempDir.h"
#include "support/VbError.h"
#include "support/host/HostTest.h"

namespace {

using Log = std::vector<std::string>;
using pendrel::test::RecordingControl;
using pendrel::test::TempDir;

class FormTest : public pendrel::test::HostTest {
protected:
    host::ControlClasses classes()
    {
        host::ControlClasses c;
        c.add(RecordingControl::k_class, [this](host::ControlSurface& s) {
            return std::make_unique<RecordingControl>(s, "loaded", log);
        });
        return c;
    }
    TempDir dir;
};

TEST_F(FormTest, SavedFormLoadsWithTheSamePropertiesAndPlacesAndOnlyWithItsClasses)
{
    auto& a = add("cboA", {150, 300, 3015, 375});
    a.caption = "Zu\xCC\x88rich \"quoted\"\nsecond line";
    a.count = 12;
    a.font = host::StdFont::create(gfx::Font{"Tahoma", 9.75, 700, false, true, false, 0});
    add("cboB", {150, 900, 1500, 375}); // all defaults: an empty bag
    a.surface().PropertyChanged("Caption");
    ASSERT_TRUE(form->dirty());
    form->save(dir / "f.pfm");
    EXPECT_FALSE(form->dirty());
    take_log();

    auto loaded = host::Form::load(dir / "f.pfm", classes());
    EXPECT_EQ(take_log(),
        (Log{"loaded.Create", "loaded.ReadProperties", "loaded.Resize 3015x375", "loaded.Create",
            "loaded.ReadProperties", "loaded.Resize 1500x375"}));
    EXPECT_EQ(loaded->name(), "Form1");
    auto& back = control_of(*loaded->find("cboA"));
    EXPECT_EQ(back.caption, a.caption);
    EXPECT_EQ(back.count, 12);
    EXPECT_EQ(back.font->font(), a.font->font());
    EXPECT_EQ(loaded->find("cboA")->extender().get_Top(), 300.0f);
    auto& b = control_of(*loaded->find("cboB"));
    EXPECT_EQ(b.count, 7) << "the default came back";
    EXPECT_EQ(b.font, b.surface().get_Font()) << "an unstored font reads as the surface's own";
    EXPECT_TRUE(loaded->record().controls[1].bag.empty()) << "defaults are not written";
    take_log();
    // A class nobody knows is refused before any control is made.
    const vb::Error e = pendrel::test::error_of([&] { (void)host::Form::load(dir / "f.pfm", {}); });
    EXPECT_EQ(e.number(), vb::err::InvalidFileFormat);
    EXPECT_NE(e.description().find("Test.Recording"), std::string::npos);
    EXPECT_EQ(take_log(), Log{});
}

TEST_F(FormTest, ControlNamesAreUniqueAndKnownAndAFailedSaveKeepsTheFormDirty)
{
    auto& a = add("A");
    EXPECT_VB_ERROR(add("a"), vb::err::InvalidPropertyValue);
    EXPECT_VB_ERROR(add(""), vb::err::InvalidPropertyValue);
    EXPECT_VB_ERROR(form->remove_control("Z"), vb::err::InvalidProcedureCall);
    EXPECT_EQ(form->sites().size(), 1u);
    a.surface().PropertyChanged("Caption");
    EXPECT_VB_ERROR(form->save(dir / "missing" / "f.pfm"), vb::err::PathFileAccessError);
    EXPECT_TRUE(form->dirty());
}

} // namespace
