#pragma once
// The one way tests check the error value a call raises.
//
//   EXPECT_VB_ERROR(rs->MoveNext(), 3021);
//   const vb::Error e = test::error_of([&] { rs->MoveNext(); });
//   EXPECT_EQ(e.source(), "Recordset");

#include <gtest/gtest.h>

#include "platform/vb/Error.h"

namespace pendrel::test {

// The error a call raises; fails the test when it raises none.
template <class F> vb::Error error_of(F&& call)
{
    try {
        call();
    } catch (const vb::Error& e) {
        return e;
    }
    ADD_FAILURE() << "expected a vb::Error";
    return vb::Error(0, "none");
}

} // namespace pendrel::test

// The statement raises an error value with this number.
#define EXPECT_VB_ERROR(statement, expected)                                                       \
    EXPECT_EQ(::pendrel::test::error_of([&] { statement; }).number(), (expected)) << #statement
