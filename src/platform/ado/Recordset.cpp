#include "platform/ado/Recordset.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "platform/ado/AdoConstants.h"
#include "platform/ado/Criterion.h"
#include "platform/ado/Fields.h"
#include "platform/vb/Error.h"

namespace ado {

namespace {

constexpr const char* k_source = "ADODB.Recordset";

[[noreturn]] void bad_arguments(std::string_view why)
{
    vb::raise(vb::err::AdoBadArguments,
        std::string(vb::standard_text(vb::err::AdoBadArguments)) + " " + std::string(why),
        k_source);
}

bool given(const vb::Variant& v)
{
    return !v.is_missing() && !v.is_empty();
}

// A number held by a Variant, or nothing for any other kind.
std::optional<double> number_in(const vb::Variant& v)
{
    return std::visit(
        [](const auto& x) -> std::optional<double> {
            using T = std::decay_t<decltype(x)>;
            if constexpr (
                std::is_same_v<T,
                    vb::Integer> || std::is_same_v<T, vb::Long> || std::is_same_v<T, vb::Single> || std::is_same_v<T, vb::Double>)
                return static_cast<double>(x);
            else
                return std::nullopt;
        },
        v.storage());
}

std::shared_ptr<Connection> connection_of(const vb::Variant& active)
{
    if (active.is_object()) {
        if (auto c = std::dynamic_pointer_cast<Connection>(active.as_object()))
            return c;
        bad_arguments("The active connection is not a Connection.");
    }
    if (active.is_string()) {
        auto c = std::make_shared<Connection>();
        c->Open(active.as_string());
        return c;
    }
    bad_arguments("The recordset has no active connection.");
}

} // namespace

Recordset::~Recordset() = default;

void Recordset::require_open() const
{
    if (!m_table)
        vb::raise(vb::err::AdoObjectClosed, k_source);
}

void Recordset::require_rows() const
{
    require_open();
    if (m_table->row_count() == 0)
        vb::raise(vb::err::AdoNoCurrentRecord, k_source);
}

std::int64_t Recordset::row_count() const
{
    return static_cast<std::int64_t>(m_table->row_count());
}

void Recordset::Open(const vb::Variant& Source, const vb::Variant& ActiveConnection,
    vb::Long CursorType, vb::Long LockType, vb::Long Options)
{
    if (m_table)
        vb::raise(vb::err::AdoObjectOpen, k_source);
    if (!Source.is_string())
        bad_arguments("The source must be the text of a query.");
    if (CursorType < -1 || CursorType > 3 || LockType < -1 || LockType == 0 || LockType > 4)
        bad_arguments("Unknown cursor or lock type.");
    if (Options != adCmdUnspecified && Options != adCmdText && Options != adCmdUnknown)
        bad_arguments("Only a query text can be opened.");
    auto connection = connection_of(ActiveConnection);
    auto table = connection->fetch(Source.as_string());
    m_connection = std::move(connection);
    m_search = std::make_unique<RowSearch>(table);
    m_table = std::move(table);
    m_position = 0;
    ++m_generation;
}

void Recordset::Close()
{
    require_open();
    m_search.reset();
    m_table.reset();
    m_position = -1;
    ++m_generation;
}

vb::Long Recordset::get_State() const
{
    return m_table ? adStateOpen : adStateClosed;
}

void Recordset::let_CursorLocation(vb::Long New_CursorLocation)
{
    if (m_table)
        vb::raise(vb::err::AdoObjectOpen, k_source);
    if (New_CursorLocation != adUseServer && New_CursorLocation != adUseClient)
        bad_arguments("CursorLocation is 2 or 3.");
    m_cursor_location = New_CursorLocation;
}

vb::Boolean Recordset::get_EOF() const
{
    require_open();
    return row_count() == 0 || m_position >= row_count();
}

vb::Boolean Recordset::get_BOF() const
{
    require_open();
    return row_count() == 0 || m_position < 0;
}

vb::Long Recordset::get_RecordCount() const
{
    require_open();
    return static_cast<vb::Long>(row_count());
}

vb::Long Recordset::get_AbsolutePosition() const
{
    require_open();
    if (row_count() == 0)
        return adPosUnknown;
    if (m_position < 0)
        return adPosBOF;
    if (m_position >= row_count())
        return adPosEOF;
    return static_cast<vb::Long>(m_position + 1);
}

void Recordset::let_AbsolutePosition(vb::Long New_AbsolutePosition)
{
    require_open();
    if (New_AbsolutePosition < 1 || New_AbsolutePosition > row_count())
        bad_arguments("AbsolutePosition lies outside the rows.");
    m_position = New_AbsolutePosition - 1;
}

std::size_t Recordset::current_row() const
{
    require_open();
    if (get_BOF() || get_EOF())
        vb::raise(vb::err::AdoNoCurrentRecord, k_source);
    return static_cast<std::size_t>(m_position);
}

vb::Variant Recordset::get_Bookmark() const
{
    return static_cast<vb::Double>(current_row() + 1);
}

std::size_t Recordset::row_of_bookmark(const vb::Variant& bookmark) const
{
    const auto n = number_in(bookmark);
    if (!n || *n != std::floor(*n) || *n < 1 || *n > static_cast<double>(row_count()))
        bad_arguments("The bookmark is not one of this recordset's.");
    return static_cast<std::size_t>(*n) - 1;
}

void Recordset::let_Bookmark(const vb::Variant& New_Bookmark)
{
    require_open();
    m_position = static_cast<std::int64_t>(row_of_bookmark(New_Bookmark));
}

std::shared_ptr<Fields> Recordset::get_Fields()
{
    return std::make_shared<Fields>(weak_from_this(), m_table, m_generation);
}

void Recordset::MoveFirst()
{
    require_rows();
    m_position = 0;
}

void Recordset::MoveLast()
{
    require_rows();
    m_position = row_count() - 1;
}

void Recordset::MoveNext()
{
    if (get_EOF())
        vb::raise(vb::err::AdoNoCurrentRecord, k_source);
    m_position = std::min(m_position + 1, row_count());
}

void Recordset::MovePrevious()
{
    if (get_BOF())
        vb::raise(vb::err::AdoNoCurrentRecord, k_source);
    m_position = std::max<std::int64_t>(std::min(m_position, row_count()) - 1, -1);
}

void Recordset::Move(vb::Long NumRecords, const vb::Variant& Start)
{
    require_rows();
    std::int64_t base = m_position;
    if (given(Start)) {
        base = static_cast<std::int64_t>(row_of_bookmark(Start));
    } else {
        // Moving on from BOF or EOF in their own direction, or staying
        // there, needs a current row.
        const bool at_bof = m_position < 0;
        const bool at_eof = m_position >= row_count();
        if ((NumRecords == 0 && (at_bof || at_eof)) || (NumRecords > 0 && at_eof)
            || (NumRecords < 0 && at_bof))
            vb::raise(vb::err::AdoNoCurrentRecord, k_source);
    }
    m_position = std::clamp<std::int64_t>(base + NumRecords, -1, row_count());
}

void Recordset::Find(std::string_view Criteria, vb::Long SkipRecords, vb::Long SearchDirection,
    const vb::Variant& Start)
{
    require_open();
    if (SearchDirection != adSearchForward && SearchDirection != adSearchBackward)
        bad_arguments("SearchDirection is 1 or -1.");
    if (SkipRecords < 0)
        bad_arguments("SkipRecords cannot be negative.");
    require_rows();
    // 1. Where the search starts: Start, or the current row.
    std::int64_t base = m_position;
    if (given(Start))
        base = static_cast<std::int64_t>(row_of_bookmark(Start));
    else if (m_position < 0 || m_position >= row_count())
        vb::raise(vb::err::AdoNoCurrentRecord, k_source);
    // 2. The criterion, bound to its column.
    const Predicate predicate = bind_criterion(parse_criterion(Criteria), *m_table);
    // 3. Skip, then search; no match leaves the recordset past the end it
    //    searched towards.
    const bool forward = SearchDirection == adSearchForward;
    const std::int64_t from = forward ? base + SkipRecords : base - SkipRecords;
    if (from < 0 || from >= row_count()) {
        m_position = forward ? row_count() : -1;
        return;
    }
    const auto hit = m_search->find(predicate, static_cast<std::size_t>(from), forward);
    m_position = hit ? static_cast<std::int64_t>(*hit) : (forward ? row_count() : -1);
}

const Table& Recordset::table() const
{
    require_open();
    return *m_table;
}

std::size_t Recordset::bytes() const
{
    if (!m_table)
        return 0;
    return m_table->bytes() + m_search->index_bytes();
}

void Recordset::prepare_prefix_search(vb::Long column)
{
    if (!m_search || column < 0)
        return;
    try {
        m_search->prepare(static_cast<std::size_t>(column));
    } catch (const std::bad_alloc&) {
        // Not readied: the searches make what they need when they need it.
    }
}

void Recordset::wait_for_search_indexes()
{
    if (m_search)
        m_search->wait_for_key_indexes();
}

} // namespace ado
