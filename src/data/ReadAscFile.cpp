// The reader of number tables (.asc): the bytes are checked and parsed whole
// (AscTable), and only a complete table is stored in the set.
#include "texts/CommonTexts.h"
#include "texts/FileTexts.h"
#include "texts/ReadCheckTexts.h"
#include "data/AscTable.h"
#include "data/CFormat.h"
#include "data/MeasurementSet.h"
#include "data/ReadProblem.h"
#include "data/Readers.h"
#include "platform/Platform.h"

namespace zeb {

int ReadAscBytes(std::string_view bytes, ReaderInput& in) {
    Platform& platform = in.platform;
    MeasurementSet& set = in.set;
    const std::string& path = in.path;
    set.defaultSourceName = path;
    try {
        const AscTable table = ParseAscTable(bytes, [&] {
            platform.processPendingMessages();
            if (!in.stillLoading()) throw EAbortLoad();
        });
        if (!table.impossible.empty()) {
            platform.inform(ImpossibleValuesText(tx::ImpossibleLineValues, path, table.impossible, "line",
                                                 table.nothingLeft()),
                            tx::CapInformation, MsgIcon::Exclamation);
            if (table.nothingLeft()) return kLoadFailed;
        }
        // The columns of the concentrations loaded.
        std::vector<int> columns;
        int next = set.lastConcIndex < 0 ? 1 : set.lastConcIndex + 1;
        for (std::size_t i = 0; i < table.concentrationsGPerCm3.size(); ++i) {
            columns.push_back(table.concentrationKept[i] ? next++ : -1);
            if (table.concentrationKept[i]) set.AddConcentration(std::nullopt, 0.0f, 0.0f, table.concentrationsGPerCm3[i]);
        }
        for (const AscTable::Row& row : table.rows) {
            if (!row.kept) continue;
            const int a = set.AddQ2(row.q2PerCm2);
            for (std::size_t i = 0; i < row.kcr.size(); ++i) {
                if (!in.stillLoading()) throw EAbortLoad();
                const double kcr = row.kcr[i];
                if (!row.kcrKept[i] || !(kcr > 0.0)) continue;
                const int c = columns[i];
                set.storeValue(kCodeQ2, c, a, row.q2PerCm2, 0.0, 0.0);
                set.storeValue(kCodeKcr, c, a, kcr, 0.0, 0.0);
                set.storeValue(kCodeKcrError, c, a, 0.01 * kcr, 0.0, 0.0);
            }
        }
        set.MarkLoadedPoints();
        // One message for all the values of the file, with their number.
        if (table.missingValues > 0)
            platform.inform(std::string(tx::MissingMeasurementValues) + "\n" +
                                (table.missingValues == 1 ? CFormat(tx::MessageCountLineOne, path.c_str())
                                                          : CFormat(tx::MessageCountLine, path.c_str(), table.missingValues)),
                            tx::CapInformationLower, MsgIcon::Information);
    } catch (const ReadFailure& failure) {
        platform.inform(ReadProblemText(failure.problem, path), tx::CapInformation, MsgIcon::Exclamation);
        return kLoadFailed;
    } catch (const EInternalError&) {
        return kLoadFailed;
    } catch (const EAbortLoad&) {
        return kLoadCancelled;
    }
    return kLoadOk;
}

} // namespace zeb
