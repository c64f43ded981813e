// The sorted index must give exactly the row the scan gives, for every
// operator, from every start, in both directions.
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "platform/ado/RowSearch.h"

namespace {

using ado::CompareOp;
using ado::Predicate;

class RowSearchAgreement : public ::testing::Test {
protected:
    void SetUp() override
    {
        ado::TableBuilder builder({{"t", ado::FieldType{ado::DataType::adVarWChar, 10}},
            {"i", ado::FieldType{ado::DataType::adInteger, 4}},
            {"r", ado::FieldType{ado::DataType::adDouble, 8}}});
        for (std::size_t row = 0; row < k_rows; ++row) {
            auto& t = builder.column(0);
            auto& i = builder.column(1);
            auto& r = builder.column(2);
            m_rng() % 10 == 0 ? t.append_null() : t.append_text(random_text(4));
            m_rng() % 10 == 0 ? i.append_null()
                              : i.append_integer(static_cast<std::int64_t>(m_rng() % 41) - 20);
            const auto kind = m_rng() % 20;
            if (kind == 0)
                r.append_null();
            else
                r.append_real(kind == 1 ? std::nan("") : static_cast<double>(m_rng() % 21) / 2 - 5);
            builder.end_row();
        }
        m_table = builder.finish();
    }

    std::string random_text(std::size_t max_letters)
    {
        static const char* const k_letters[]
            = {"a", "A", "b", "B", "ä", "Ä", "ł", "Ł", "z", "*", "'", " "};
        std::string s;
        const std::size_t n = m_rng() % (max_letters + 1);
        for (std::size_t i = 0; i < n; ++i)
            s += k_letters[m_rng() % std::size(k_letters)];
        return s;
    }

    Predicate random_predicate()
    {
        static const CompareOp k_ops[] = {CompareOp::Equal, CompareOp::NotEqual, CompareOp::Less,
            CompareOp::Greater, CompareOp::LessEqual, CompareOp::GreaterEqual, CompareOp::Like};
        ado::Criterion c;
        c.op = k_ops[m_rng() % std::size(k_ops)];
        const auto column = m_rng() % 3;
        if (column == 0 || c.op == CompareOp::Like) {
            c.column = "t";
            c.value.kind = ado::Literal::Kind::Text;
            c.value.text = random_text(2);
            if (c.op == CompareOp::Like && m_rng() % 2 == 0)
                c.value.text += "*";
            if (c.op == CompareOp::Like && m_rng() % 4 == 0)
                c.value.text = "%" + c.value.text;
        } else {
            c.column = column == 1 ? "i" : "r";
            c.value.kind = ado::Literal::Kind::Number;
            const bool whole = m_rng() % 2 == 0;
            const double v = static_cast<double>(m_rng() % 49) / 2 - 12;
            c.value.number = whole ? ado::Number{true, std::llround(v), std::round(v)}
                                   : ado::Number{false, 0, v};
        }
        return ado::bind_criterion(c, *m_table);
    }

    static constexpr std::size_t k_rows = 3000;
    std::mt19937 m_rng{20240305};
    std::shared_ptr<const ado::Table> m_table;
};

TEST_F(RowSearchAgreement, IndexAndScanFindTheSameRow)
{
    ado::RowSearch search(m_table);
    int answered_by_index = 0;
    for (int q = 0; q < 4000; ++q) {
        const Predicate p = random_predicate();
        const std::size_t from = m_rng() % k_rows;
        const bool forward = m_rng() % 2 == 0;
        const auto by_scan = search.find_by_scan(p, from, forward);
        if (!ado::SortedIndex::can_answer(p))
            continue;
        ++answered_by_index;
        ASSERT_EQ(search.find_by_index(p, from, forward), by_scan)
            << "query " << q << " column " << p.column << " op " << int(p.op) << " literal '"
            << p.folded << "' " << p.number.real << " from " << from
            << (forward ? " forward" : " backward");
    }
    EXPECT_GT(answered_by_index, 3000);
    EXPECT_GT(search.index_bytes(), 0U);
}

} // namespace
