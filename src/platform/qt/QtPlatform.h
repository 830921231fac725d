// The platform of the desktop program: Qt message boxes and file dialogs, the
// system clipboard, the help viewer, and the Qt forms of the core dialogs,
// which register themselves by the dialog's name.
#pragma once

#include "platform/Platform.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>

namespace zeb {

class QtPlatform : public Platform {
public:
    using FormRunner = std::function<void(ModalDialog&, QWidget* parent)>;

    MsgAnswer message(const std::string& text, const std::string& caption, MsgButtons buttons, MsgIcon icon,
                      MsgAnswer defaultAnswer) override;
    void beep() override;
    void processPendingMessages() override;
    std::optional<std::string> openFileName(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileName(const FileDialogRequest& request) override;
    void runModal(ModalDialog& dialog) override;
    bool setClipboardText(const std::string& utf8Text) override;
    bool setClipboardBlock(const std::string& formatName, const std::vector<std::uint8_t>& block) override;
    std::optional<std::vector<std::uint8_t>> clipboardBlock(const std::string& formatName) override;
    bool setClipboardPicture(const std::vector<std::uint8_t>& wmf, const std::string& svg) override;
    void showHelp(int context) override;

    // The Qt form that shows a core dialog of this name.
    static void registerForm(const std::string& dialogName, FormRunner runner);
    // Parent of dialogs and message boxes (the frame window).
    void setParentWidget(QWidget* parent) { parent_ = parent; }
    QWidget* parentWidget() const;
    // Help is shown by this function (the frame installs its help viewer).
    std::function<void(int)> helpHandler;

    // "Desc|*.a;*.b|Desc2|*.c|" as a Qt name filter list; patterns are offered in
    // lower and upper case, since file names on Linux are case-sensitive, each
    // pattern as given first (a save dialog gives a typed name its extension).
    static QStringList qtFilters(const std::string& filter);
    // Mime type under which a clipboard block of this format name travels.
    static QString mimeTypeFor(const std::string& formatName);

    // Where a file dialog without a folder of its own starts.
    QString startFolder(const std::string& initialDir) const;

private:
    static std::map<std::string, FormRunner>& forms();
    QString dataFolder_;  // of the file last opened
    QPointer<QWidget> parent_;
};

} // namespace zeb
