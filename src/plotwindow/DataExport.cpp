#include "plotwindow/DataExport.h"

#include "texts/CommonTexts.h"
#include "texts/DataTexts.h"
#include "texts/ExportTexts.h"
#include "texts/FileTexts.h"
#include "texts/ResultsWindowTexts.h"
#include "data/PltPlxWriter.h"
#include "export/ClipboardExchange.h"
#include "export/ExportText.h"
#include "platform/AtomicFile.h"
#include "platform/Platform.h"
#include "platform/WriteError.h"
#include "plotwindow/PlotWindow.h"

#include <new>
#include <optional>

namespace zeb {

namespace {

struct ItemTag {
    const char* item;
    int tag;
    std::uint8_t mode;
};

constexpr ItemTag kItems[6] = {
    {"copyDataToClipboard", DataExport::kTagExchange, DataExport::kModeExchange},
    {"ExportASCII2ClipB", DataExport::kTagAsciiToClipboard, DataExport::kModeAsciiToClipboard},
    {"ratioToClipboard", DataExport::kTagRatioToClipboard, DataExport::kModeRatioToClipboard},
    {"ratioToFile", DataExport::kTagRatioToFile, DataExport::kModeRatioToFile},
    {"asciiToFile", DataExport::kTagAsciiToFile, DataExport::kModeAsciiToFile},
    {"createPlxFile", DataExport::kTagPlx, DataExport::kModePlx},
};

} // namespace

int DataExport::TagOf(const std::string& item) {
    for (const ItemTag& t : kItems)
        if (item == t.item) return t.tag;
    return -1;
}

DataExport::DataExport(PlotWindow& window, FrameSaveDialog& saveDialog)
    : window_(window), saveDialog_(saveDialog),
      dialog_(window.platform(), window.set(), window.chosenConcentrations()) {
    dialog_.onRepaint = [this] { repaint(); };
    dialog_.locked = [this] { return window_.loading(); };
    dialog_.onPostDeferredExport = [this] {
        if (onPostDeferredExport) onPostDeferredExport();
        else runDeferredExport();
    };
}

void DataExport::setC0Intercept(DataPoint* record) { dialog_.setC0Intercept(record); }

bool DataExport::ready() const {
    // Nothing is exported or pasted while a file is read or before the first data.
    const MeasurementSet& set = window_.set();
    return !window_.loading() && set.initialised() && set.lastConcIndex >= 0 && set.lastAngleIndex >= 0;
}

void DataExport::setItemsEnabled(bool enabled) {
    itemsEnabled_ = enabled;
    if (onItemsChanged) onItemsChanged();
}

void DataExport::exportData(int tag) {
    const ItemTag* item = nullptr;
    for (const ItemTag& t : kItems)
        if (t.tag == tag) item = &t;
    // A second export while one runs (its items are disabled) is refused too.
    if (!item || !itemsEnabled_ || !ready()) return;

    mode_ = item->mode;
    setItemsEnabled(false);
    struct Reenable {
        DataExport* self;
        ~Reenable() { self->setItemsEnabled(true); }
    } reenable{this};

    if (mode_ == kModePlx) {
        PltPlxWriteRequest request;
        request.mode = PltPlxMode::Plx;
        request.base = 0;
        WritePltPlxFile(window_.platform(), window_.set(), request);
    } else if (window_.chosenConcentrations().empty()) {
        dialog_.Show();
    } else {
        runExport(mode_);
    }
}

void DataExport::runDeferredExport() {
    if (!itemsEnabled_ || !ready() || window_.chosenConcentrations().empty()) return;
    setItemsEnabled(false);
    struct Reenable {
        DataExport* self;
        ~Reenable() { self->setItemsEnabled(true); }
    } reenable{this};
    runExport(mode_);
}

void DataExport::runExport(std::uint8_t mode) {
    switch (mode) {
    case kModeExchange: ExportExchangeBlock(window_.set(), window_.chosenConcentrations(), window_.platform()); break;
    case kModeAsciiToClipboard: asciiExport(false); break;
    case kModeAsciiToFile: asciiExport(true); break;
    case kModeRatioToClipboard: ratioExport(false); break;
    case kModeRatioToFile: ratioExport(true); break;
    default: break;
    }
}

bool DataExport::saveText(const char* filter, const std::string& text) {
    Platform& platform = window_.platform();
    FileDialogRequest request;
    request.filter = filter;
    request.filterIndex = 1;
    request.proposedName = saveDialog_.fileName;
    request.initialDir = window_.dataFolder();
    request.overwritePrompt = true;
    const std::optional<std::string> name = platform.saveFileName(request);
    if (!name) return false;
    saveDialog_.fileName = *name;
    if (const WriteResult written = WriteFileAtomically(*name, text); !written) {
        platform.inform(WriteErrorText(*name, written), tx::CapInformation, MsgIcon::Exclamation);
        return false;
    }
    return true;
}

void DataExport::asciiExport(bool toFile) {
    Platform& platform = window_.platform();
    std::string text;
    try {
        text = BuildAsciiExport(window_.set(), window_.chosenConcentrations(), PlotTypeNumber(window_.plotType()),
                                &window_.lineC0());
    } catch (const std::bad_alloc&) {
        if (toFile) platform.inform(tx::ErrorAllocationMemory, tx::CapError, MsgIcon::Exclamation);
        else platform.inform(tx::CouldNotAllocateClipboard, tx::CapInformation, MsgIcon::Stop);
        return;
    }
    if (toFile) saveText(tx::AsciiSaveFilter, text);
    else if (!platform.setClipboardText(text))
        platform.inform(tx::CouldNotOpenClipboard, tx::CapInformation, MsgIcon::Stop);
}

void DataExport::ratioExport(bool toFile) {
    Platform& platform = window_.platform();
    std::optional<std::string> text;
    try {
        text = BuildScatteringRatioExport(window_.set(), window_.chosenConcentrations());
    } catch (const std::bad_alloc&) {
        if (toFile) platform.inform(tx::ErrorAllocationMemory, tx::CapError, MsgIcon::Exclamation);
        else platform.inform(tx::CouldNotAllocateClipboard, tx::CapInformation, MsgIcon::Stop);
        return;
    }
    if (!text) {
        platform.inform(tx::RatioNoData, tx::CapZebStat, MsgIcon::Information);
        return;
    }
    if (toFile) {
        saveDialog_.fileName = tx::RatioProposedName;
        saveText(tx::RatioSaveFilter, *text);
    } else if (!platform.setClipboardText(*text)) {
        platform.inform(tx::CouldNotOpenClipboard, tx::CapInformation, MsgIcon::Stop);
    }
}

void DataExport::pasteFromClipboard() {
    if (!ready()) return;
    Platform& platform = window_.platform();
    if (platform.message(tx::PasteQuestion, tx::CapZebStat, MsgButtons::OkCancel, MsgIcon::Question,
                         MsgAnswer::Cancel) != MsgAnswer::Ok)
        return;
    if (!PasteFromClipboard(window_.set(), window_.chosenConcentrations(), platform)) return;
    if (onAfterPaste) onAfterPaste();
    else window_.PostLoadSetup();
    repaint();
}

} // namespace zeb
