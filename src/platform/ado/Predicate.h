#pragma once
// A criterion bound to a column of a table: the literal converted once to
// the column's storage, so each row costs one comparison.
//
// Nulls never match. Numbers compare as values, exactly also between 64-bit
// integers and reals ([qty]=12 never matches 120, [id]=9007199254740993 only
// that id). Texts compare by their case-folded bytes. A date column compares
// with a #date#, with a number (a date serial) or with a text holding a date.
// A literal that cannot meet the column's values raises 3001.

#include <cstddef>
#include <string>

#include "platform/ado/Criterion.h"
#include "platform/ado/Table.h"

namespace ado {

struct Predicate {
    enum class Kind {
        Never, // a column of nothing but Nulls
        Integer,
        Real, // reals and date instants
        Text,
    };
    std::size_t column = 0;
    Kind kind = Kind::Never;
    CompareOp op = CompareOp::Equal;
    LikePattern::Mode like = LikePattern::Mode::Exact; // for Like
    std::string folded; // Text: the folded literal or LIKE body
    Number number; // Integer and Real
};

// Raises 3265 for a column the table lacks, 3001 for a literal or operator
// that does not suit the column.
[[nodiscard]] Predicate bind_criterion(const Criterion& criterion, const Table& table);

// Three-way comparisons that know NaN: -1, 0, 1, or 2 for unordered.
[[nodiscard]] int compare_values(std::int64_t cell, const Number& literal);
[[nodiscard]] int compare_values(double cell, const Number& literal);
// Whether a three-way comparison result satisfies an operator (not Like).
[[nodiscard]] bool satisfies(int order, CompareOp op);

// Whether a row meets the predicate; `scratch` is reused for folding.
[[nodiscard]] bool row_matches(
    const Predicate& p, const Column& column, std::size_t row, std::string& scratch);

} // namespace ado
