#include "dialogs/ExportSelectionDialog.h"

#include "texts/CommonTexts.h"
#include "texts/ExportDialogTexts.h"
#include "platform/Platform.h"

namespace zeb {

ExportSelectionDialog::ExportSelectionDialog(Platform& platform, MeasurementSet& set, std::vector<int>& chosen)
    : platform_(platform), list_(chosen), chosen_(chosen, set) {}

std::string ExportSelectionDialog::InstructionText() {
    std::string out;
    for (const char* line : tx::ExportDialogMemo) {
        if (!out.empty()) out += "\r\n";
        out += line;
    }
    return out;
}

void ExportSelectionDialog::Show() {
    numbersField.clear();
    visible_ = true;
    changed();
}

void ExportSelectionDialog::keyTyped(char key) {
    if (key == ' ') ApplyTypedNumbers();
}

bool ExportSelectionDialog::ApplyTypedNumbers() {
    if (isLocked()) return false;
    struct Changed {
        ExportSelectionDialog* self;
        ~Changed() { self->changed(); }
    } changedAtEnd{this};
    chosen_.clear();
    repaint();
    // Numbers beyond any concentration index are refused by the list; the
    // value stops growing there so that a long run of digits cannot overflow.
    constexpr int kBeyondAnyIndex = 1000000;
    for (std::size_t i = 0; i < numbersField.size();) {
        const char ch = numbersField[i];
        if (ch == ' ') {
            ++i;
            continue;
        }
        if (ch < '0' || ch > '9') {
            platform_.inform(tx::ExportInvalidInput, tx::CapZebStat, MsgIcon::Stop);
            return false;
        }
        int n = 0;
        for (; i < numbersField.size() && numbersField[i] >= '0' && numbersField[i] <= '9'; ++i)
            if (n < kBeyondAnyIndex) n = n * 10 + (numbersField[i] - '0');
        chosen_.add(n);
        repaint();
    }
    return true;
}

void ExportSelectionDialog::accept() {
    if (numbersField != chosen_.text() && !ApplyTypedNumbers()) return;
    finish();
}

void ExportSelectionDialog::abort() {
    if (isLocked()) return;
    chosen_.clear();
    repaint();
    finish();
}

void ExportSelectionDialog::finish() {
    if (!visible_ || isLocked()) return;
    if (list_.empty()) repaint();
    visible_ = false;
    changed();
    if (onPostDeferredExport) onPostDeferredExport();
}

void ExportSelectionDialog::ChosenListChanged() {
    numbersField = chosen_.text();
    changed();
}

} // namespace zeb
