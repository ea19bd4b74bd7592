// Header listing and address splitting of a 64 KB header block (and of one
// a tenth of its size, for the growth).
#include <benchmark/benchmark.h>

#include "bench/bench_data.h"
#include "mail/address_parts.h"
#include "mail/header_choices.h"

namespace tandrel::bench {
namespace {

void HeaderListing(benchmark::State& state) {
    const std::string block = LargeHeaderBlock(static_cast<std::size_t>(state.range(0)));
    while (state.KeepRunning()) {
        benchmark::DoNotOptimize(ListHeaderNames(block, "From").names.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * block.size()));
}

void AddressSplitting(benchmark::State& state) {
    const std::string block = LargeHeaderBlock(static_cast<std::size_t>(state.range(0)));
    // The whole folded "To" field, as the host hands over a header's value.
    const auto start = block.find("To: ") + 4;
    const std::string value = block.substr(start, block.find("\r\nDate:") - start);
    while (state.KeepRunning()) {
        benchmark::DoNotOptimize(AddressChoices(value, kNoLeadBytes).size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * value.size()));
}

BENCHMARK(HeaderListing)->Arg(6554)->Arg(65536)->Unit(benchmark::kMicrosecond);
BENCHMARK(AddressSplitting)->Arg(6554)->Arg(65536)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tandrel::bench
