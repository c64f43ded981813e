// The one table of standard error texts.
#include <array>
#include <utility>

#include "platform/vb/Error.h"

namespace vb {

namespace {

struct Entry {
    Long number;
    std::string_view text;
};

constexpr std::array k_texts{
    Entry{err::InvalidProcedureCall, "Invalid procedure call or argument"},
    Entry{err::Overflow, "Overflow"},
    Entry{err::OutOfMemory, "Out of memory"},
    Entry{err::SubscriptOutOfRange, "Subscript out of range"},
    Entry{err::DivisionByZero, "Division by zero"},
    Entry{err::TypeMismatch, "Type mismatch"},
    Entry{err::OutOfStackSpace, "Out of stack space"},
    Entry{err::BadFileNameOrNumber, "Bad file name or number"},
    Entry{err::FileNotFound, "File not found"},
    Entry{err::PermissionDenied, "Permission denied"},
    Entry{err::PathFileAccessError, "Path/File access error"},
    Entry{err::PathNotFound, "Path not found"},
    Entry{err::ObjectNotSet, "Object variable or With block variable not set"},
    Entry{err::InvalidUseOfNull, "Invalid use of Null"},
    Entry{err::InvalidFileFormat, "Invalid file format"},
    Entry{err::InvalidPropertyValue, "Invalid property value"},
    Entry{err::ReadOnlyProperty, "'Set' not supported (read-only property)"},
    Entry{err::WriteOnlyProperty, "'Get' not supported (write-only property)"},
    Entry{err::ObjectRequired, "Object required"},
    Entry{err::NotSupported, "Object doesn't support this property or method"},
    Entry{err::ArgumentNotOptional, "Argument not optional"},
    Entry{err::WrongArgumentCount, "Wrong number of arguments or invalid property assignment"},
    Entry{err::AdoBadArguments,
        "Arguments are of the wrong type, are out of acceptable range, or are in conflict with "
        "one another."},
    Entry{err::AdoNoCurrentRecord,
        "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
        "requires a current record."},
    Entry{err::AdoItemNotFound,
        "Item cannot be found in the collection corresponding to the requested name or "
        "ordinal."},
    Entry{err::AdoObjectClosed, "Operation is not allowed when the object is closed."},
    Entry{err::AdoObjectOpen, "Operation is not allowed when the object is open."},
    Entry{err::AdoMissingParameter, "No value given for one or more required parameters."},
    Entry{err::AdoCommandError, "Syntax error or access violation"},
    Entry{err::UnspecifiedError, "Unspecified error"},
    Entry{err::GridNoCurrentRow, "The grid has no current row"},
};

} // namespace

Error::Error(Long number, std::string description, std::string source)
    : m_number(number), m_description(std::move(description)), m_source(std::move(source))
{
}

std::string_view standard_text(Long number)
{
    for (const auto& e : k_texts) {
        if (e.number == number)
            return e.text;
    }
    return "Application-defined or object-defined error";
}

void raise(Long number, std::string source)
{
    throw Error(number, std::string(standard_text(number)), std::move(source));
}

void raise(Long number, std::string description, std::string source)
{
    throw Error(number, std::move(description), std::move(source));
}

} // namespace vb
