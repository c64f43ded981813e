#pragma once
// The standard error numbers raised by the runtime and the platform layers.
// Their standard texts live in one table (ErrorTexts.cpp).

#include "platform/vb/Types.h"

namespace vb::err {

inline constexpr Long InvalidProcedureCall = 5;
inline constexpr Long Overflow = 6;
inline constexpr Long OutOfMemory = 7;
inline constexpr Long SubscriptOutOfRange = 9;
inline constexpr Long DivisionByZero = 11;
inline constexpr Long TypeMismatch = 13;
inline constexpr Long OutOfStackSpace = 28;
inline constexpr Long BadFileNameOrNumber = 52;
inline constexpr Long FileNotFound = 53;
inline constexpr Long PermissionDenied = 70;
inline constexpr Long PathFileAccessError = 75;
inline constexpr Long PathNotFound = 76;
inline constexpr Long ObjectNotSet = 91;
inline constexpr Long InvalidUseOfNull = 94;
inline constexpr Long InvalidPropertyValue = 380;
inline constexpr Long ReadOnlyProperty = 383;
inline constexpr Long WriteOnlyProperty = 394;
inline constexpr Long ObjectRequired = 424;
inline constexpr Long NotSupported = 438;
inline constexpr Long WrongArgumentCount = 450;
inline constexpr Long ArgumentNotOptional = 449;
inline constexpr Long InvalidFileFormat = 321;

// Data access.
inline constexpr Long AdoBadArguments = 3001;
inline constexpr Long AdoNoCurrentRecord = 3021;
inline constexpr Long AdoItemNotFound = 3265;
inline constexpr Long AdoObjectClosed = 3704;
inline constexpr Long AdoObjectOpen = 3705;
inline constexpr Long AdoMissingParameter = -2147217904; // 0x80040E10
inline constexpr Long AdoCommandError = -2147217900; // 0x80040E14
inline constexpr Long UnspecifiedError = -2147467259; // 0x80004005

// The data grid.
inline constexpr Long GridNoCurrentRow = 6160;

} // namespace vb::err
