#include <benchmark/benchmark.h>

#include <string>

#include "conversion/conversion_action.h"
#include "conversion/group_decoder.h"

namespace {

// Counts messages and otherwise ignores them.
class CountingSink final : public lagewandler::MessageSink {
public:
    void showMessage(std::string_view) override { ++count; }
    int count = 0;
};

void decodeOneGroup(benchmark::State& state) {
    CountingSink sink;
    const lagewandler::ConversionEnvironment environment{sink, ","};
    std::string result;
    std::string compact;
    for (auto _ : state) {
        compact.clear();
        lagewandler::decodeGroupInto(result, 50, "FC18", compact, environment);
        benchmark::DoNotOptimize(result.data());
        benchmark::DoNotOptimize(compact.data());
    }
}
BENCHMARK(decodeOneGroup);

void convertOneCode(benchmark::State& state) {
    CountingSink sink;
    const lagewandler::ConversionEnvironment environment{sink, ","};
    lagewandler::FieldModel fields;
    fields.positionCode = "12345678";
    for (auto _ : state) {
        lagewandler::Command1_Click(fields, environment);
        benchmark::DoNotOptimize(fields.compactResult.data());
    }
}
BENCHMARK(convertOneCode);

}  // namespace
