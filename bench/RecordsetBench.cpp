// The data-access benchmarks, each at 10000 and 1000000 rows:
//   BM_SqliteStepFloor  what reading every value of the query costs at least
//   BM_OpenRecordset    opening it as the control does, with the bytes held
//   BM_FindPrefixMiss   a type-ahead search on the text column that misses
//   BM_FindEqualMiss    an equality search on a number column that misses
#include <chrono>
#include <cstdlib>
#include <memory>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include "BenchDatabase.h"
#include "platform/ado/Recordset.h"

namespace {

constexpr const char* k_query = "SELECT * FROM t";

std::shared_ptr<ado::Recordset> open_as_the_control_does(const std::string& cnstr)
{
    auto connection = std::make_shared<ado::Connection>();
    connection->Open(cnstr, "", "", -1);
    auto rs = std::make_shared<ado::Recordset>();
    rs->let_CursorLocation(3);
    rs->Open(k_query, connection, 3, 1, -1);
    return rs;
}

void BM_SqliteStepFloor(benchmark::State& state)
{
    const auto file = pendrel::bench::bench_database(static_cast<std::size_t>(state.range(0)));
    // Opened as the recordset's provider opens it: read-write (the default
    // mode), without the connection mutex, with the same busy timeout.
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_busy_timeout(db, 5000);
    for (auto _ : state) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, k_query, -1, &stmt, nullptr);
        const int columns = sqlite3_column_count(stmt);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int i = 0; i < columns; ++i) {
                switch (sqlite3_column_type(stmt, i)) {
                case SQLITE_INTEGER:
                    benchmark::DoNotOptimize(sqlite3_column_int64(stmt, i));
                    break;
                case SQLITE_FLOAT:
                    benchmark::DoNotOptimize(sqlite3_column_double(stmt, i));
                    break;
                case SQLITE_TEXT:
                    benchmark::DoNotOptimize(sqlite3_column_text(stmt, i));
                    benchmark::DoNotOptimize(sqlite3_column_bytes(stmt, i));
                    break;
                default:
                    break;
                }
            }
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_OpenRecordset(benchmark::State& state)
{
    const auto rows = static_cast<std::size_t>(state.range(0));
    const auto cnstr = pendrel::bench::bench_connection_string(rows);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto rs = open_as_the_control_does(cnstr);
        bytes = rs->bytes();
        benchmark::DoNotOptimize(rs->get_RecordCount());
    }
    state.counters["bytes_per_row"] = static_cast<double>(bytes) / static_cast<double>(rows);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Opens the recordset and runs the search once before timing, so the
// column's index (built on first use) is in place; its build time and size
// are reported as counters.
void find_miss(benchmark::State& state, const char* criteria)
{
    const auto rows = static_cast<std::size_t>(state.range(0));
    const auto rs = open_as_the_control_does(pendrel::bench::bench_connection_string(rows));
    const std::size_t before = rs->bytes();
    const auto start = std::chrono::steady_clock::now();
    rs->MoveFirst();
    rs->Find(criteria, 0, 1);
    const std::chrono::duration<double, std::milli> build
        = std::chrono::steady_clock::now() - start;
    if (!rs->get_EOF())
        state.SkipWithError("the search was meant to miss");
    for (auto _ : state) {
        rs->MoveFirst();
        rs->Find(criteria, 0, 1);
        benchmark::DoNotOptimize(rs->get_EOF());
    }
    state.counters["first_find_ms"] = build.count();
    state.counters["index_bytes_per_row"]
        = static_cast<double>(rs->bytes() - before) / static_cast<double>(rows);
}

void BM_FindPrefixMiss(benchmark::State& state)
{
    find_miss(state, "[name] LIKE 'zzq*'");
}

void BM_FindEqualMiss(benchmark::State& state)
{
    find_miss(state, "[qty]=-1");
}

// Ten million rows only when PENDREL_BENCH_10M is set (scripts/bench.sh --10m).
void sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(10000)->Arg(1000000);
    if (std::getenv("PENDREL_BENCH_10M") != nullptr)
        b->Arg(10000000);
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_SqliteStepFloor)->Apply(sizes);
BENCHMARK(BM_OpenRecordset)->Apply(sizes);
BENCHMARK(BM_FindPrefixMiss)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindEqualMiss)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
