#pragma once
// ADODB.Recordset: a client-side, static, read-only cursor over the rows of
// one row source. Open fetches every row once into compact column storage
// that the recordset owns; moving, Find, bookmarks and field values all work
// on that copy, and Close releases it.
//
// Positions: the current row is one of the rows, or BOF (before the first)
// or EOF (after the last). An empty recordset is at BOF and EOF at once.
// Bookmarks are Doubles (the row's number, from 1) that stay valid while the
// recordset is open and compare equal for the same row.
//
// Create recordsets with std::make_shared: their fields refer back to them.

#include <memory>
#include <string_view>

#include "platform/ado/Connection.h"
#include "platform/ado/RowSearch.h"
#include "platform/ado/Table.h"
#include "platform/vb/Object.h"
#include "platform/vb/Variant.h"

namespace ado {

class Fields;

class Recordset : public vb::Object {
public:
    Recordset() = default;
    ~Recordset() override;

    [[nodiscard]] std::string_view type_name() const override { return "Recordset"; }
    [[nodiscard]] std::optional<vb::DispId> id_of_name(std::string_view name) const override;
    vb::Variant invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args) override;

    // Source: the SQL text. ActiveConnection: a Connection object, or a
    // connection string for a connection of the recordset's own. The cursor
    // is static and read-only whatever CursorType and LockType ask (-1 or
    // 0..3, and -1 or 1..4); Options -1, 1 (text) or 8 (unknown). Raises
    // 3705 when open, 3001 for bad arguments, and the provider's errors.
    void Open(const vb::Variant& Source, const vb::Variant& ActiveConnection,
        vb::Long CursorType = -1, vb::Long LockType = -1, vb::Long Options = -1);
    void Close();

    [[nodiscard]] vb::Long get_State() const;
    [[nodiscard]] vb::Long get_CursorLocation() const { return m_cursor_location; }
    // 2 (server) or 3 (client); both give the same client-side copy.
    void let_CursorLocation(vb::Long New_CursorLocation);
    [[nodiscard]] std::shared_ptr<Connection> get_ActiveConnection() const { return m_connection; }

    [[nodiscard]] vb::Boolean get_EOF() const;
    [[nodiscard]] vb::Boolean get_BOF() const;
    [[nodiscard]] vb::Long get_RecordCount() const;
    // 1-based; -1 empty, -2 at BOF, -3 at EOF.
    [[nodiscard]] vb::Long get_AbsolutePosition() const;
    void let_AbsolutePosition(vb::Long New_AbsolutePosition);
    [[nodiscard]] vb::Variant get_Bookmark() const;
    void let_Bookmark(const vb::Variant& New_Bookmark);
    // The field collection; on a closed recordset it is empty.
    [[nodiscard]] std::shared_ptr<Fields> get_Fields();

    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    // Moves NumRecords rows from the current row, or from Start (a
    // bookmark). Past the last row it stops at EOF, before the first at BOF.
    void Move(vb::Long NumRecords, const vb::Variant& Start = vb::Missing);
    // Moves to the first row that meets Criteria, searching from the current
    // row (or Start) after skipping SkipRecords rows, forward (1) or backward
    // (-1). Without a match the recordset stands at EOF (forward) or BOF
    // (backward). Raises 3001 for a malformed criterion, 3265 for an unknown
    // column, 3021 when there is no current row to start from.
    void Find(std::string_view Criteria, vb::Long SkipRecords = 0, vb::Long SearchDirection = 1,
        const vb::Variant& Start = vb::Missing);

    // For the layers above: the fetched rows without moving the cursor.
    // Raises 3704 when closed.
    [[nodiscard]] const Table& table() const;
    // Bytes held by the rows and the search indexes built so far.
    [[nodiscard]] std::size_t bytes() const;
    // Readies the search of a column (0-based) that is about to be searched
    // by prefix as each key is typed, so that no such search has to scan a
    // large table: part of the index is sorted now, the rest on a thread of
    // its own. Does nothing when closed, for a column out of range or not
    // of text, and for tables small enough to scan.
    void prepare_prefix_search(vb::Long column);
    // Waits for the search indexes being built away from this thread (for
    // tests and benchmarks; searches never wait for them).
    void wait_for_search_indexes();
    // Changes each time the recordset opens or closes; fields check it.
    [[nodiscard]] std::uint64_t generation() const { return m_generation; }
    // The current row, for a field's value: raises 3704 when closed and 3021
    // at BOF or EOF.
    [[nodiscard]] std::size_t current_row() const;

private:
    void require_open() const;
    void require_rows() const;
    [[nodiscard]] std::size_t row_of_bookmark(const vb::Variant& bookmark) const;
    [[nodiscard]] std::int64_t row_count() const;

    vb::Long m_cursor_location = 2; // adUseServer, as a new recordset starts
    std::shared_ptr<Connection> m_connection;
    std::shared_ptr<const Table> m_table;
    std::unique_ptr<RowSearch> m_search;
    std::int64_t m_position = -1; // -1 BOF, row_count() EOF
    std::uint64_t m_generation = 0;
};

} // namespace ado
