#include "export/ClipboardExchange.h"

#include "texts/CommonTexts.h"
#include "texts/DataTexts.h"
#include "texts/ExportTexts.h"
#include "data/LoadErrors.h"
#include "data/MeasurementSet.h"
#include "data/RoundSig.h"
#include "platform/Platform.h"
#include "plot/ChosenConcentrations.h"

#include <new>
#include <string>

namespace zeb {

namespace {

// A window holds what the file readers allow, 99 concentrations and 135 q²
// rows, and no more through the clipboard: whatever a window holds can be
// saved as a PLX file and loaded again.
constexpr int kPasteMaxRows = MeasurementSet::kMaxLoadedAngles;
constexpr int kPasteMaxConcentrations = MeasurementSet::kMaxLoadedConc;

} // namespace

bool ExportExchangeBlock(const MeasurementSet& set, const std::vector<int>& chosen, Platform& platform) {
    std::vector<int> exported;
    for (int c : chosen)
        if (c >= 1 && c <= set.lastConcIndex) exported.push_back(c);
    if (exported.empty()) {
        platform.inform(tx::NoExtrapolatedValuesExported, tx::CapZebStat, MsgIcon::Stop);
        return false;
    }
    std::vector<std::uint8_t> block;
    try {
        block = BuildExchangeBlock(set, exported);
    } catch (const std::bad_alloc&) {
        platform.inform(tx::CouldNotAllocateClipboard, tx::CapInformation, MsgIcon::Stop);
        return false;
    }
    if (!platform.setClipboardBlock(tx::ClipboardFormatName, block)) {
        platform.inform(tx::CouldNotOpenClipboard, tx::CapInformation, MsgIcon::Stop);
        return false;
    }
    return true;
}

RowMatch MatchBlockRows(const MeasurementSet& set, const std::vector<double>& blockQ2PerCm2) {
    RowMatch match;
    const int existing = set.lastAngleIndex;
    match.lastAngleIndex = existing;
    match.rowOf.reserve(blockQ2PerCm2.size());
    for (double q2 : blockQ2PerCm2) {
        const double rounded = RoundSig(q2, 6);
        int row = -1;
        for (int a = 1; a <= existing && row < 0; ++a)
            if (RoundSig(set.q2[static_cast<std::size_t>(a)], 6) == rounded) row = a;
        if (row < 0) {
            row = ++match.lastAngleIndex;
            // Past the last slot nothing further is needed: the paste is refused.
            if (row > kPasteMaxRows) return match;
        }
        match.rowOf.push_back(row);
    }
    return match;
}

bool PasteExchangeBlock(MeasurementSet& set, std::vector<int>& chosen, Platform& platform,
                        const ExchangeBlock& block) {
    if (!set.initialised() || set.lastConcIndex < 0 || set.lastAngleIndex < 0) return false;
    const int lastConc = set.lastConcIndex;
    const int lastAngle = set.lastAngleIndex;
    const int g = block.concentrationCount();

    RowMatch match;
    try {
        match = MatchBlockRows(set, block.q2PerCm2);
    } catch (const std::bad_alloc&) {
        platform.inform(tx::ErrorAllocationMemory, tx::CapError, MsgIcon::Exclamation);
        return false;
    }
    if (match.lastAngleIndex > kPasteMaxRows) {
        platform.inform(tx::PasteTooManyAngles, tx::CapInformation, MsgIcon::Stop);
        return false;
    }
    if (g > kPasteMaxConcentrations - lastConc) {
        platform.inform(tx::PasteTooManyConcentrations, tx::CapInformation, MsgIcon::Stop);
        return false;
    }
    const int r = match.lastAngleIndex;

    // Everything that needs memory comes first and touches only cells beyond the
    // indices in use, so a failure leaves the window's data as they were.
    std::vector<std::string> names;
    try {
        names.reserve(static_cast<std::size_t>(g));
        for (const ExchangeConcentration& c : block.concentrations)
            names.push_back(c.sourceName.substr(0, MeasurementSet::kSourceNameChars));
        chosen.reserve(chosen.size() + static_cast<std::size_t>(g));
        for (int c = 0; c <= lastConc; ++c)
            for (int a = lastAngle + 1; a <= r; ++a) set.CreateDataPoint(c, a);
        for (int c = lastConc + 1; c <= lastConc + g; ++c)
            for (int a = 0; a <= r; ++a) set.CreateDataPoint(c, a);
    } catch (const EInternalError&) {
        return false;  // the cell's allocation failure has been reported
    } catch (const std::bad_alloc&) {
        platform.inform(tx::ErrorAllocationMemory, tx::CapError, MsgIcon::Exclamation);
        return false;
    }

    // From here on nothing can fail.
    for (std::size_t s = 0; s < match.rowOf.size(); ++s)
        if (match.rowOf[s] > lastAngle) set.setQ2(match.rowOf[s], block.q2PerCm2[s]);
    set.lastAngleIndex = static_cast<std::int16_t>(r);
    for (int k = 0; k < g; ++k) {
        const ExchangeConcentration& from = block.concentrations[static_cast<std::size_t>(k)];
        const int c = lastConc + 1 + k;
        set.setConcentration(c, from.concentrationGPerCm3);
        set.viscosity[static_cast<std::size_t>(c)] = from.viscosityMPas;
        set.temperature[static_cast<std::size_t>(c)] = from.temperatureK;
        for (std::size_t s = 0; s < match.rowOf.size() && s < from.rows.size(); ++s) {
            DataPoint& cell = *set.cell(c, match.rowOf[s]);
            // The first four bytes are the owner's bookkeeping: the cell keeps its own.
            const std::uint32_t own = cell.reserved0;
            cell = from.rows[s];
            cell.reserved0 = own;
        }
        set.sourceName[static_cast<std::size_t>(c)] = std::move(names[static_cast<std::size_t>(k)]);
    }
    set.lastConcIndex = static_cast<std::int16_t>(lastConc + g);
    ChosenConcentrations list(chosen, set);
    for (int k = 0; k < g; ++k) list.add(lastConc + 1 + k);
    set.savedConcIndex = set.lastConcIndex;
    set.savedAngleIndex = set.lastAngleIndex;
    return true;
}

bool PasteFromClipboard(MeasurementSet& set, std::vector<int>& chosen, Platform& platform) {
    try {
        const std::optional<std::vector<std::uint8_t>> bytes = platform.clipboardBlock(tx::ClipboardFormatName);
        if (!bytes) {
            platform.inform(tx::PasteNoDataAvailable, tx::CapZebStat, MsgIcon::Stop);
            return false;
        }
        const std::optional<ExchangeBlock> block = ParseExchangeBlock(*bytes);
        if (!block) {
            platform.inform(tx::PasteInvalidBlock, tx::CapZebStat, MsgIcon::Stop);
            return false;
        }
        return PasteExchangeBlock(set, chosen, platform, *block);
    } catch (const std::bad_alloc&) {
        platform.inform(tx::ErrorAllocationMemory, tx::CapError, MsgIcon::Exclamation);
        return false;
    }
}

} // namespace zeb
