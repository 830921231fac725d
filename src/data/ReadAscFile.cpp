// The reader of number tables (.asc): the bytes are read once, checked and
// parsed whole (AscTable), and only a complete table is stored in the window.
#include "texts/CommonTexts.h"
#include "texts/FileTexts.h"
#include "texts/ReadCheckTexts.h"
#include "data/AscTable.h"
#include "data/CFormat.h"
#include "data/FileAccess.h"
#include "data/Readers.h"
#include "data/TFitF.h"
#include "platform/Platform.h"

namespace zeb {

int ReadAscFile(TFitF& window) {
    Platform& platform = window.platform();
    MeasurementSet& set = window.set();
    const std::string& path = window.currentPath();
    const FileBytes file = ReadFileBytes(path, kMaxAscFileBytes);
    if (file.status == FileBytes::Status::TooLarge) {
        platform.beep();
        platform.inform(std::string(tx::FileTooLarge) + "\n" + TooLargeDetail(path, file, kMaxAscFileBytes),
                        tx::CapError, MsgIcon::Exclamation);
        return kLoadFailed;
    }
    if (!file.ok()) {
        platform.beep();
        platform.inform(std::string(tx::FileCannotBeOpened) + "\n" + CannotReadDetail(path, file), tx::CapError,
                        MsgIcon::Exclamation);
        return kLoadFailed;
    }
    try {
        const AscTable table = ParseAscTable(file.bytes, [&] {
            platform.processPendingMessages();
            if (!window.loading()) throw EAbortLoad();
        });
        const int firstColumn = set.lastConcIndex < 0 ? 1 : set.lastConcIndex + 1;
        for (double c : table.concentrationsGPerCm3) set.AddConcentration(std::nullopt, 0.0f, 0.0f, c);
        for (const AscTable::Row& row : table.rows) {
            const int a = set.AddQ2(row.q2PerCm2);
            for (std::size_t i = 0; i < row.kcr.size(); ++i) {
                if (!window.loading()) throw EAbortLoad();
                const double kcr = row.kcr[i];
                if (!(kcr > 0.0)) continue;
                const int c = firstColumn + static_cast<int>(i);
                set.DPSetWert(kCodeQ2, c, a, row.q2PerCm2, 0.0, 0.0);
                set.DPSetWert(kCodeKcr, c, a, kcr, 0.0, 0.0);
                set.DPSetWert(kCodeKcrError, c, a, 0.01 * kcr, 0.0, 0.0);
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
