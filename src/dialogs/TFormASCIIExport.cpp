#include "dialogs/TFormASCIIExport.h"

#include "texts/CommonTexts.h"
#include "texts/ExportDialogTexts.h"
#include "platform/Platform.h"

namespace zeb {

TFormASCIIExport::TFormASCIIExport(Platform& platform, MeasurementSet& set, std::vector<int>& chosen)
    : platform_(platform), list_(chosen), chosen_(chosen, set) {}

std::string TFormASCIIExport::MemoText() {
    std::string out;
    for (const char* line : tx::ExportDialogMemo) {
        if (!out.empty()) out += "\r\n";
        out += line;
    }
    return out;
}

void TFormASCIIExport::Show() {
    Edit1.clear();
    visible_ = true;
    changed();
}

void TFormASCIIExport::Edit1KeyPress(char key) {
    if (key == ' ') ApplyTypedNumbers();
}

bool TFormASCIIExport::ApplyTypedNumbers() {
    if (isLocked()) return false;
    struct Changed {
        TFormASCIIExport* self;
        ~Changed() { self->changed(); }
    } changedAtEnd{this};
    chosen_.clear();
    repaint();
    // Numbers beyond any concentration index are refused by the list; the
    // value stops growing there so that a long run of digits cannot overflow.
    constexpr int kBeyondAnyIndex = 1000000;
    for (std::size_t i = 0; i < Edit1.size();) {
        const char ch = Edit1[i];
        if (ch == ' ') {
            ++i;
            continue;
        }
        if (ch < '0' || ch > '9') {
            platform_.inform(tx::ExportInvalidInput, tx::CapZebStat, MsgIcon::Stop);
            return false;
        }
        int n = 0;
        for (; i < Edit1.size() && Edit1[i] >= '0' && Edit1[i] <= '9'; ++i)
            if (n < kBeyondAnyIndex) n = n * 10 + (Edit1[i] - '0');
        chosen_.add(n);
        repaint();
    }
    return true;
}

void TFormASCIIExport::BitBtnOkayClick() {
    if (Edit1 != chosen_.text() && !ApplyTypedNumbers()) return;
    FormClose();
}

void TFormASCIIExport::BitBtnAbortClick() {
    if (isLocked()) return;
    chosen_.clear();
    repaint();
    FormClose();
}

void TFormASCIIExport::FormClose() {
    if (!visible_ || isLocked()) return;
    if (list_.empty()) repaint();
    visible_ = false;
    changed();
    if (onPostDeferredExport) onPostDeferredExport();
}

void TFormASCIIExport::ChosenListChanged() {
    Edit1 = chosen_.text();
    changed();
}

} // namespace zeb
