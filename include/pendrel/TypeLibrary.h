#pragma once
// The type library Pendrel: the fixed identities of the library, its classes
// and interfaces, the enumeration mtbAppearance, and the dispatch
// identifiers of the members of _Morvex and the events of __Morvex. A
// scripted host reaches every member by these numbers (or by name, through
// id_of_name); a C++ host calls the accessors of Morvex directly.

#include <string_view>

#include "platform/vb/Object.h"
#include "platform/vb/Types.h"

namespace pendrel {

// Identities, in the registry's text form.
inline constexpr std::string_view LIBID_Pendrel = "{F8C76B16-1113-4DBB-A556-FE9ADD0CA97C}";
inline constexpr std::string_view CLSID_Morvex = "{427C8566-1625-4594-B77E-8545F36E383D}";
inline constexpr std::string_view IID__Morvex = "{B9611ACC-0828-49A3-89BF-B2EC43902703}";
inline constexpr std::string_view DIID___Morvex = "{D022421B-0BE1-48B1-96A0-476C8712F7D3}";
inline constexpr std::string_view CLSID_clsDataSource = "{211CF719-CCDC-4346-AB83-2CCFC4EB213A}";
inline constexpr std::string_view IID__clsDataSource = "{AB86E39A-5A61-4421-AC4D-8A89EE2BE906}";

// The look of the text field (and, once the properties are read again, of
// the button).
enum mtbAppearance : vb::Long {
    mtbFlat = 0,
    mtb3D = 1,
};

// Members of _Morvex, in type-library order.
namespace dispid {
inline constexpr vb::DispId fLogging = 0x40030000;
inline constexpr vb::DispId ScreenWidth = 0x40030004;
inline constexpr vb::DispId DropDown = 0x60030028;
inline constexpr vb::DispId ShowDropDown = 0x6003002A;
inline constexpr vb::DispId ItemData = 0x6803001F;
inline constexpr vb::DispId Value = 0x6803001E;
inline constexpr vb::DispId BoundColumn = 0x6803001D;
inline constexpr vb::DispId ValueOfColumn = 0x6803001B;
inline constexpr vb::DispId ColumnCount = 0x6803001A;
inline constexpr vb::DispId DataField = 0x68030019;
inline constexpr vb::DispId dataSource = 0x68030018;
inline constexpr vb::DispId Recordset = 0x68030017;
inline constexpr vb::DispId CnStr = 0x68030016;
inline constexpr vb::DispId ListWidth = 0x68030015;
inline constexpr vb::DispId RowSource = 0x68030014;
inline constexpr vb::DispId ListRows = 0x68030013;
inline constexpr vb::DispId ColumnWidths = 0x68030012;
inline constexpr vb::DispId AutoExpand = 0x68030011;
inline constexpr vb::DispId RowHeight = 0x68030010;
inline constexpr vb::DispId BackColor = 0x6803000F;
inline constexpr vb::DispId ForeColor = 0x6803000E;
inline constexpr vb::DispId FontBold = 0x6803000D;
inline constexpr vb::DispId ColumnHeads = 0x6803000C;
inline constexpr vb::DispId Clear = 0x60030036;
inline constexpr vb::DispId Enabled = 0x6803000B;
inline constexpr vb::DispId Appearance = 0x6803000A;
inline constexpr vb::DispId Font = 0x68030009;
inline constexpr vb::DispId FontItalic = 0x68030008;
inline constexpr vb::DispId FontSize = 0x68030007;
inline constexpr vb::DispId FontUnderline = 0x68030006;
inline constexpr vb::DispId hwnd = 0x68030005;
inline constexpr vb::DispId SelLength = 0x68030004;
inline constexpr vb::DispId SelStart = 0x68030003;
inline constexpr vb::DispId SelText = 0x68030002;
inline constexpr vb::DispId PopupMenu = 0x6003003B;
inline constexpr vb::DispId Refresh = 0x6003003C;
inline constexpr vb::DispId Text = 0x68030001;
inline constexpr vb::DispId CausesValidation = 0x68030000;
} // namespace dispid

// Events of __Morvex. Every argument is passed by reference.
namespace event {
inline constexpr vb::DispId AfterUpdate = 1;
inline constexpr vb::DispId BeforeUpdate = 2;
inline constexpr vb::DispId Change = 3;
inline constexpr vb::DispId ExitFocus = 4;
inline constexpr vb::DispId Hide = 5;
inline constexpr vb::DispId KeyDown = 6; // KeyCode As Integer, Shift As Integer
inline constexpr vb::DispId KeyPress = 7; // KeyAscii As Integer
inline constexpr vb::DispId KeyUp = 8; // KeyCode As Integer, Shift As Integer
inline constexpr vb::DispId NotInList = 9; // Newdata As String
inline constexpr vb::DispId Paint = 10;
inline constexpr vb::DispId Resize = 11; // declared, never raised
inline constexpr vb::DispId Show = 12;
inline constexpr vb::DispId Validate = 13; // Cancel As Boolean
inline constexpr vb::DispId Z = 14; // declared, never raised
} // namespace event

// Members of _clsDataSource, in slot order.
namespace dispid_clsDataSource {
inline constexpr vb::DispId Recordset = 0x68030002;
inline constexpr vb::DispId RecordSource = 0x68030001;
inline constexpr vb::DispId ConnectionString = 0x68030000;
} // namespace dispid_clsDataSource

} // namespace pendrel
