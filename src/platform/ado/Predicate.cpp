#include "platform/ado/Predicate.h"

#include <cmath>

#include "platform/ado/CaseFold.h"
#include "platform/ado/SqlDate.h"
#include "platform/vb/Error.h"

namespace ado {

namespace {

constexpr double k_two63 = 9223372036854775808.0;

[[noreturn]] void mismatch(const Criterion& c, std::string_view why)
{
    vb::raise(vb::err::AdoBadArguments,
        std::string(vb::standard_text(vb::err::AdoBadArguments))
            + " The criterion compares column '" + c.column + "' " + std::string(why) + ".",
        "ADODB.Recordset");
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// The literal as a number for a numeric column.
Number number_for(const Criterion& c, bool boolean_column)
{
    Number n;
    switch (c.value.kind) {
    case Literal::Kind::Number:
    case Literal::Kind::Boolean:
        n = c.value.number;
        break;
    case Literal::Kind::Text:
        if (!parse_number(trim(c.value.text), n))
            mismatch(c, "with a text that is not a number");
        break;
    case Literal::Kind::Date:
        mismatch(c, "of numbers with a date");
    }
    if (boolean_column) // stored as 1 and 0
        n = n.real != 0 ? Number{true, 1, 1.0} : Number{true, 0, 0.0};
    return n;
}

// The literal as an instant for a date column.
Number instant_for(const Criterion& c)
{
    double instant = 0.0;
    switch (c.value.kind) {
    case Literal::Kind::Date:
        instant = c.value.instant;
        break;
    case Literal::Kind::Number:
        instant = instant_of_serial(c.value.number.real);
        break;
    case Literal::Kind::Text:
        if (!parse_date_literal(c.value.text, instant))
            mismatch(c, "of dates with a text that is not a date");
        break;
    case Literal::Kind::Boolean:
        mismatch(c, "of dates with a Boolean");
    }
    return Number{false, 0, instant};
}

} // namespace

Predicate bind_criterion(const Criterion& c, const Table& table)
{
    const auto index = table.field_index(c.column);
    if (!index)
        vb::raise(vb::err::AdoItemNotFound, "ADODB.Recordset");
    Predicate p;
    p.column = *index;
    p.op = c.op;
    const Column& column = table.column(*index);
    const Storage storage = column.storage();
    if (c.op == CompareOp::Like && storage != Storage::Text && storage != Storage::Empty)
        mismatch(c, "with LIKE, which needs a text column");
    if (c.op == CompareOp::Like && c.value.kind != Literal::Kind::Text)
        mismatch(c, "with LIKE, which needs a quoted pattern");
    switch (storage) {
    case Storage::Empty:
        p.kind = Predicate::Kind::Never;
        break;
    case Storage::Integer:
        p.kind = Predicate::Kind::Integer;
        p.number = number_for(c, table.field(*index).type.type == DataType::adBoolean);
        break;
    case Storage::Real:
        p.kind = Predicate::Kind::Real;
        p.number = number_for(c, false);
        break;
    case Storage::Date:
        p.kind = Predicate::Kind::Real;
        p.number = instant_for(c);
        break;
    case Storage::Text:
        if (c.value.kind == Literal::Kind::Date || c.value.kind == Literal::Kind::Boolean)
            mismatch(c, "of texts with a date or a Boolean");
        p.kind = Predicate::Kind::Text;
        if (c.op == CompareOp::Like) {
            LikePattern like = parse_like(c.value.text);
            p.like = like.mode;
            p.folded = case_fold(like.body);
        } else {
            p.folded = case_fold(c.value.text);
        }
        break;
    case Storage::Blob:
        mismatch(c, "of binary values, which cannot be searched");
    }
    return p;
}

int compare_values(std::int64_t cell, const Number& literal)
{
    if (literal.is_integer)
        return cell < literal.integer ? -1 : cell > literal.integer ? 1 : 0;
    const double b = literal.real;
    if (std::isnan(b))
        return 2;
    if (b >= k_two63)
        return -1;
    if (b < -k_two63)
        return 1;
    const double fb = std::floor(b);
    const auto ib = static_cast<std::int64_t>(fb);
    if (cell < ib)
        return -1;
    if (cell > ib)
        return 1;
    return fb == b ? 0 : -1;
}

int compare_values(double cell, const Number& literal)
{
    if (std::isnan(cell))
        return 2;
    if (literal.is_integer) {
        const int r = compare_values(literal.integer, Number{false, 0, cell});
        return r == 2 ? 2 : -r;
    }
    if (std::isnan(literal.real))
        return 2;
    return cell < literal.real ? -1 : cell > literal.real ? 1 : 0;
}

bool satisfies(int order, CompareOp op)
{
    if (order == 2)
        return false;
    switch (op) {
    case CompareOp::Equal:
    case CompareOp::Like:
        return order == 0;
    case CompareOp::NotEqual:
        return order != 0;
    case CompareOp::Less:
        return order < 0;
    case CompareOp::Greater:
        return order > 0;
    case CompareOp::LessEqual:
        return order <= 0;
    case CompareOp::GreaterEqual:
        return order >= 0;
    }
    return false;
}

bool row_matches(const Predicate& p, const Column& column, std::size_t row, std::string& scratch)
{
    if (p.kind == Predicate::Kind::Never || column.is_null(row))
        return false;
    switch (p.kind) {
    case Predicate::Kind::Integer:
        return satisfies(compare_values(column.integer(row), p.number), p.op);
    case Predicate::Kind::Real:
        return satisfies(compare_values(column.real(row), p.number), p.op);
    case Predicate::Kind::Text:
        break;
    case Predicate::Kind::Never:
        return false;
    }
    scratch.clear();
    append_case_fold(column.text(row), scratch);
    const std::string_view key = scratch;
    if (p.op == CompareOp::Like) {
        switch (p.like) {
        case LikePattern::Mode::Exact:
            return key == p.folded;
        case LikePattern::Mode::Prefix:
            return key.starts_with(p.folded);
        case LikePattern::Mode::Contains:
            return key.find(p.folded) != std::string_view::npos;
        }
    }
    const int order = key.compare(p.folded);
    return satisfies(order < 0 ? -1 : order > 0 ? 1 : 0, p.op);
}

} // namespace ado
