// The seam between the program's logic and the desktop it runs on: message
// boxes, file dialogs, the beep, pending-message processing, the clipboard,
// modal dialogs and help. The Qt program implements it with widgets; tests use
// ScriptedPlatform, the batch tool BatchPlatform.
#pragma once

#include "texts/Message.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zeb {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };

enum class MsgAnswer { Ok, Cancel, Yes, No };

struct FileDialogRequest {
    std::string title;
    std::string filter;         // "Description|pattern;pattern|Description|pattern|"
    int filterIndex = 1;        // 1-based entry preselected
    std::string initialDir;
    std::string proposedName;
    bool mustExist = false;     // path and file must exist (open dialogs)
    bool overwritePrompt = false;
    // Save dialogs: per filter entry, the extension (without the dot) a name
    // typed without one gets while that entry is chosen; "" or a missing
    // entry: none.
    std::vector<std::string> defaultSuffixes;
};

class ModalDialog;

class Platform : public MessageSink {
public:

    // A modal message box; returns the button pressed.
    virtual MsgAnswer message(const std::string& text, const std::string& caption,
                              MsgButtons buttons, MsgIcon icon, MsgAnswer defaultAnswer) = 0;
    virtual void beep() = 0;
    // Lets the user interface handle events that are waiting (long loads call it).
    virtual void processPendingMessages() = 0;

    virtual std::optional<std::string> openFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFileName(const FileDialogRequest& request) = 0;

    // Shows a dialog whose logic lives in the core; returns when the dialog has closed.
    virtual void runModal(ModalDialog& dialog) = 0;

    // Clipboard. Each returns false when the clipboard could not be used.
    virtual bool setClipboardText(const std::string& utf8Text) = 0;
    virtual bool setClipboardBlock(const std::string& formatName, const std::vector<std::uint8_t>& block) = 0;
    virtual std::optional<std::vector<std::uint8_t>> clipboardBlock(const std::string& formatName) = 0;
    // A chart picture: the same drawing as a metafile, SVG and bitmap where the desktop takes them.
    virtual bool setClipboardPicture(const std::vector<std::uint8_t>& wmf, const std::string& svg) = 0;

    virtual void showHelp(int context) = 0;

    // Convenience: an OK box whose answer does not matter.
    void inform(const std::string& text, const std::string& caption, MsgIcon icon) override {
        message(text, caption, MsgButtons::Ok, icon, MsgAnswer::Ok);
    }

    // The file the messages shown now concern ("" when none): the loader names
    // the file it reads, the batch tool the files of its evaluation. The batch
    // tool puts it in front of each message; the window adds it on a line of
    // its own where the text does not name it.
    const std::string& messageFile() const { return messageFile_; }
    void setMessageFile(std::string path) { messageFile_ = std::move(path); }

private:
    std::string messageFile_;
};

// The text of a message box about a file: the file's name on a line of its own
// after the text, unless the text names the file already.
std::string WithFileLine(const std::string& text, const std::string& path);

// Names the file of the messages shown while it lives, then restores the name before.
class MessageFileScope {
public:
    MessageFileScope(Platform& platform, std::string path) : platform_(platform), before_(platform.messageFile()) {
        platform_.setMessageFile(std::move(path));
    }
    ~MessageFileScope() { platform_.setMessageFile(std::move(before_)); }
    MessageFileScope(const MessageFileScope&) = delete;
    MessageFileScope& operator=(const MessageFileScope&) = delete;

private:
    Platform& platform_;
    std::string before_;
};

// A dialog whose logic lives in the core. The Qt side finds the form that shows
// it by its name; the scripted platform hands it to a test's script.
class ModalDialog {
public:
    virtual ~ModalDialog() = default;
    virtual const char* dialogName() const = 0;
    // What a user who accepts everything would press (the batch tool answers so).
    virtual void answerDefault() = 0;
};

} // namespace zeb
