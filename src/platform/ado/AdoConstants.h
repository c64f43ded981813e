#pragma once
// The numeric codes of the data-access interface: cursor locations, object
// states, search directions, position markers and field type codes. Callers
// pass and compare these numbers exactly.

#include "platform/vb/Types.h"

namespace ado {

// CursorLocationEnum
inline constexpr vb::Long adUseServer = 2;
inline constexpr vb::Long adUseClient = 3;

// ObjectStateEnum
inline constexpr vb::Long adStateClosed = 0;
inline constexpr vb::Long adStateOpen = 1;

// CursorTypeEnum, LockTypeEnum, CommandTypeEnum, ConnectOptionEnum: the
// values Open accepts.
inline constexpr vb::Long adOpenUnspecified = -1;
inline constexpr vb::Long adOpenForwardOnly = 0;
inline constexpr vb::Long adOpenStatic = 3;
inline constexpr vb::Long adLockUnspecified = -1;
inline constexpr vb::Long adLockReadOnly = 1;
inline constexpr vb::Long adLockBatchOptimistic = 4;
inline constexpr vb::Long adCmdUnspecified = -1;
inline constexpr vb::Long adCmdText = 1;
inline constexpr vb::Long adCmdUnknown = 8;
inline constexpr vb::Long adConnectUnspecified = -1;

// SearchDirectionEnum
inline constexpr vb::Long adSearchForward = 1;
inline constexpr vb::Long adSearchBackward = -1;

// PositionEnum: what AbsolutePosition reports when there is no current row.
inline constexpr vb::Long adPosUnknown = -1;
inline constexpr vb::Long adPosBOF = -2;
inline constexpr vb::Long adPosEOF = -3;

// DataTypeEnum: the field type codes this library reports.
enum class DataType : vb::Long {
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adDate = 7,
    adBoolean = 11,
    adUnsignedTinyInt = 17,
    adBigInt = 20,
    adNumeric = 131,
    adChar = 129,
    adVarWChar = 202,
    adLongVarWChar = 203,
    adLongVarBinary = 205,
};

} // namespace ado
