#include "platform/ScriptedPlatform.h"

namespace zeb {

MsgAnswer ScriptedPlatform::message(const std::string& text, const std::string& caption,
                                    MsgButtons buttons, MsgIcon icon, MsgAnswer defaultAnswer) {
    MsgAnswer answer = defaultAnswer;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    messages.push_back({text, caption, buttons, icon, defaultAnswer, answer, messageFile()});
    return answer;
}

void ScriptedPlatform::processPendingMessages() {
    ++pendingCalls;
    if (onPendingMessages) onPendingMessages();
}

std::optional<std::string> ScriptedPlatform::openFileName(const FileDialogRequest& request) {
    openRequests.push_back(request);
    if (openAnswers.empty()) return std::nullopt;
    auto answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPlatform::saveFileName(const FileDialogRequest& request) {
    saveRequests.push_back(request);
    if (saveAnswers.empty()) return std::nullopt;
    auto answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

void ScriptedPlatform::runModal(ModalDialog& dialog) {
    dialogsShown.emplace_back(dialog.dialogName());
    if (dialogScripts.empty()) {
        dialog.answerDefault();
        return;
    }
    auto script = std::move(dialogScripts.front());
    dialogScripts.pop_front();
    script(dialog);
}

bool ScriptedPlatform::setClipboardText(const std::string& utf8Text) {
    if (!clipboardAvailable) return false;
    clipboardText = utf8Text;
    return true;
}

bool ScriptedPlatform::setClipboardBlock(const std::string& formatName,
                                         const std::vector<std::uint8_t>& block) {
    if (!clipboardAvailable) return false;
    clipboardBlocks[formatName] = block;
    return true;
}

std::optional<std::vector<std::uint8_t>> ScriptedPlatform::clipboardBlock(const std::string& formatName) {
    auto it = clipboardBlocks.find(formatName);
    if (it == clipboardBlocks.end()) return std::nullopt;
    return it->second;
}

bool ScriptedPlatform::setClipboardPicture(const std::vector<std::uint8_t>& wmf, const std::string& svg) {
    if (!clipboardAvailable) return false;
    clipboardWmf = wmf;
    clipboardSvg = svg;
    return true;
}

bool ScriptedPlatform::saw(const std::string& text) const {
    for (const auto& m : messages)
        if (m.text == text) return true;
    return false;
}

} // namespace zeb
