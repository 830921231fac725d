// The clipboard exchange block: every input is parsed as it comes, then again
// with its first two bytes choosing small counts and the rest laid out to the
// size those counts need, so that the values inside a well-sized block are
// fuzzed as well. A block that parses is pasted into a small window; the
// pasted columns, exported again, must give the same block.
#include "data/MeasurementSet.h"
#include "export/ClipboardExchange.h"
#include "export/ExchangeBlock.h"
#include "platform/ScriptedPlatform.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void FillWindow(zeb::MeasurementSet& set) {
    set.InitMeasurementSet();
    set.AddConcentration("/data/a.sta", 298.15f, 0.89f, 0.001);
    set.AddConcentration("/data/b.sta", 298.15f, 0.89f, 0.002);
    set.AddQ2(1e10);
    set.AddQ2(2.5e10);
    for (int c = 1; c <= 2; ++c)
        for (int a = 1; a <= 2; ++a) set.storeValue(zeb::kCodeKcr, c, a, 1e-6 * (c + a), 0, 0);
}

void PasteAndCompare(const std::vector<std::uint8_t>& bytes) {
    const auto block = zeb::ParseExchangeBlock(bytes);
    if (!block) return;
    zeb::ScriptedPlatform platform;
    zeb::MeasurementSet set{platform};
    FillWindow(set);
    std::vector<int> chosen;
    const int before = set.lastConcIndex;
    const zeb::RowMatch match = zeb::MatchBlockRows(set, block->q2PerCm2);
    if (!zeb::PasteExchangeBlock(set, chosen, platform, *block)) return;

    // The pasted columns hold what the block held, row by row.
    std::vector<int> pasted;
    for (int c = before + 1; c <= set.lastConcIndex; ++c) pasted.push_back(c);
    if (static_cast<int>(pasted.size()) != block->concentrationCount()) std::abort();
    const auto again = zeb::ParseExchangeBlock(zeb::BuildExchangeBlock(set, pasted));
    if (!again) std::abort();
    for (std::size_t k = 0; k < pasted.size(); ++k) {
        const auto& from = block->concentrations[k];
        const auto& to = again->concentrations[k];
        if (std::memcmp(&from.concentrationGPerCm3, &to.concentrationGPerCm3, sizeof(double)) != 0 ||
            from.sourceName != to.sourceName)
            std::abort();
        // Rows that matched an old row take the last block row mapped there.
        for (std::size_t s = 0; s < from.rows.size(); ++s) {
            bool overwritten = false;
            for (std::size_t t = s + 1; t < from.rows.size(); ++t) overwritten |= match.rowOf[t] == match.rowOf[s];
            if (overwritten) continue;
            auto a = zeb::ToBytes(from.rows[s]);
            auto b = zeb::ToBytes(to.rows[static_cast<std::size_t>(match.rowOf[s] - 1)]);
            // Bytes 0..3 stay the receiver's; bytes 12..13 carry the chosen mark.
            std::memset(a.data(), 0, 4);
            std::memset(b.data(), 0, 4);
            a[12] = a[13] = b[12] = b[13] = 0;
            if (a != b) std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PasteAndCompare(std::vector<std::uint8_t>(data, data + size));

    if (size < 2) return 0;
    const int n = 1 + data[0] % 8;
    const int g = 1 + data[1] % 4;
    std::vector<std::uint8_t> sized(zeb::ExchangeBlockSize(n, g), 0);
    sized[0] = static_cast<std::uint8_t>(n);
    sized[4] = static_cast<std::uint8_t>(g);
    std::memcpy(sized.data() + 8, data + 2, std::min(size - 2, sized.size() - 8));
    PasteAndCompare(sized);
    return 0;
}
