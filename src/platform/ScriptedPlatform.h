// A platform for tests and other screenless runs: it records every message box
// and answers from a queue (else with the default button), answers file dialogs
// from queues, and hands modal dialogs to scripted functions.
#pragma once

#include "platform/Platform.h"

#include <deque>
#include <functional>
#include <map>

namespace zeb {

struct RecordedMessage {
    std::string text;
    std::string caption;
    MsgButtons buttons;
    MsgIcon icon;
    MsgAnswer defaultAnswer;
    MsgAnswer answer;
    std::string file;  // the file the message concerns, "" when none
};

class ScriptedPlatform : public Platform {
public:
    MsgAnswer message(const std::string& text, const std::string& caption, MsgButtons buttons,
                      MsgIcon icon, MsgAnswer defaultAnswer) override;
    void beep() override { ++beeps; }
    void processPendingMessages() override;
    std::optional<std::string> openFileName(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileName(const FileDialogRequest& request) override;
    void runModal(ModalDialog& dialog) override;
    bool setClipboardText(const std::string& utf8Text) override;
    bool setClipboardBlock(const std::string& formatName, const std::vector<std::uint8_t>& block) override;
    std::optional<std::vector<std::uint8_t>> clipboardBlock(const std::string& formatName) override;
    bool setClipboardPicture(const std::vector<std::uint8_t>& wmf, const std::string& svg) override;
    void showHelp(int context) override { helpContexts.push_back(context); }

    // What was shown.
    std::vector<RecordedMessage> messages;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<std::string> dialogsShown;
    std::vector<int> helpContexts;
    int beeps = 0;
    int pendingCalls = 0;

    // What to answer. An empty optional in a file queue means "Cancel".
    std::deque<MsgAnswer> answers;
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    // Scripts for modal dialogs, taken in order; without one the dialog answers its default.
    std::deque<std::function<void(ModalDialog&)>> dialogScripts;
    // Called from processPendingMessages (a test can press Abort Loading here).
    std::function<void()> onPendingMessages;

    // Clipboard contents.
    bool clipboardAvailable = true;
    std::string clipboardText;
    std::map<std::string, std::vector<std::uint8_t>> clipboardBlocks;
    std::vector<std::uint8_t> clipboardWmf;
    std::string clipboardSvg;

    // Helpers for assertions.
    const RecordedMessage& lastMessage() const { return messages.back(); }
    bool saw(const std::string& text) const;
};

} // namespace zeb
