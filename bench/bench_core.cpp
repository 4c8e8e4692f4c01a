// The core work of one keystroke in P1, one option click, and the encoding and decoding of a
// typical evaluation file. Run: build/bench/bench_core --benchmark_repetitions=10
// --benchmark_report_aggregates_only=true
#include "core/EvaluationFile.h"
#include "core/RiskGrid.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

using namespace corvane;

namespace {

void EditP1Keystroke(benchmark::State& state) {
    RiskGrid grid;
    grid.ChooseOption(Indicator::P2, 3);
    grid.SetObserver([](RecordFields changed) { benchmark::DoNotOptimize(changed); });
    const std::array<std::string, 2> texts{"2500", "25000"};
    std::size_t next = 0;
    for (auto _ : state) {
        grid.EditP1(texts[next]);
        next ^= 1U;
    }
}
BENCHMARK(EditP1Keystroke);

void ChooseOptionClick(benchmark::State& state) {
    RiskGrid grid;
    grid.EditP1("25000");
    grid.SetObserver([](RecordFields changed) { benchmark::DoNotOptimize(changed); });
    int option = 1;
    for (auto _ : state) {
        grid.ChooseOption(Indicator::E1, option);
        option = option % 4 + 1;
    }
}
BENCHMARK(ChooseOptionClick);

EvaluationRecord TypicalRecord() {
    RiskGrid grid;
    grid.ChooseOption(Indicator::P2, 2);
    grid.ChooseOption(Indicator::E2, 3);
    grid.EditP1("2500");
    return grid.Record();
}

void EncodeFile(benchmark::State& state) {
    const EvaluationRecord record = TypicalRecord();
    const LocalDateTime moment{{2026, 3, 14}, 9, 30, 0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(EncodeEvaluationFile(record, moment));
    }
}
BENCHMARK(EncodeFile);

void DecodeFile(benchmark::State& state) {
    const std::string bytes = EncodeEvaluationFile(TypicalRecord(), {{2026, 3, 14}, 9, 30, 0});
    for (auto _ : state) {
        MemoryByteSource source(bytes);
        benchmark::DoNotOptimize(ReadEvaluationFile(source));
    }
}
BENCHMARK(DecodeFile);

} // namespace

BENCHMARK_MAIN();
