// The help viewer: the program's help pages (compiled in) shown by context number.
#pragma once

#include <QDialog>

class QTextBrowser;

namespace zeb {

class HelpViewer : public QDialog {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);
    // Shows the page of a help context (1 contents, 2 introduction, 9 options,
    // 14 file formats, 15 review and concentration dialogs).
    void showContext(int context);
    static QString pageForContext(int context);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

} // namespace zeb
