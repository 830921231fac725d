// The plot options form: two pages, "Basic Options" and "Chart Design", and the
// button row. It shows the state of the OptionsDialog logic, hands clicks and
// typed texts to it and runs the font and colour dialogs for it.
#pragma once

#include "dialogs/OptionsDialog.h"
#include "dialogs/qt/FormView.h"

#include <QFrame>

#include <array>

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace zeb {

// A colour field of the line table; a left double click asks for a change.
class ColorPanel : public QFrame {
    Q_OBJECT
public:
    ColorPanel(const char* name, QWidget* parent);
    void setColor(Rgb color);
    Rgb color() const { return color_; }

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    Rgb color_ = kBlack;
};

class OptionsDialogView : public FormView {
    Q_OBJECT
public:
    OptionsDialogView(OptionsDialog& logic, QWidget* parent = nullptr);

    // The font dialog's font for a logical font of the dialog's size units, and back.
    static QFont DialogFont(const LogFont& font);
    static LogFont FromDialogFont(const QFont& font, const LogFont& keep);
    // The same face, size and style as the dialog shows them.
    static bool SameDialogFont(const QFont& a, const QFont& b);

protected:
    bool logicClosed() const override { return logic_.closed(); }
    bool escapeHandler() override;
    std::string* focusRequest() override { return &logic_.focus; }
    void refresh() override;

private:
    QWidget* buildBasicPage();
    QWidget* buildDesignPage();
    QCheckBox* check(const char* name, const char* caption, bool& state, QWidget* parent);
    QRadioButton* radio(const char* name, const char* caption, QWidget* parent);
    void chooseFont();
    void chooseColor(int row);

    OptionsDialog& logic_;
    QTabWidget* pages_ = nullptr;
    QCheckBox* chkX_ = nullptr;
    QCheckBox* chkY_ = nullptr;
    QLineEdit* rangeEdits_[4] = {};  // xmin, xmax, ymin, ymax
    std::array<QRadioButton*, 4> symbolSize_{};  // index 1..3
    std::vector<std::pair<QCheckBox*, bool*>> checks_;
    QCheckBox* chkResults_ = nullptr;
    QCheckBox* chkPrint_ = nullptr;
    QCheckBox* chkHide_ = nullptr;
    QGroupBox* panelFF_ = nullptr;
    std::array<QLineEdit*, 6> legend_{};
    QGroupBox* weighting_ = nullptr;
    QGroupBox* smoothing_ = nullptr;
    QGroupBox* fitDisplay_ = nullptr;
    QRadioButton* weightYes_ = nullptr;
    QRadioButton* weightNo_ = nullptr;
    QRadioButton* smoothYes_ = nullptr;
    QRadioButton* smoothNo_ = nullptr;
    std::array<QRadioButton*, 4> fitDisplayButtons_{};  // index 1..3 = fit display code
    std::array<ColorPanel*, kLineRows + 1> colorDefault_{};
    std::array<ColorPanel*, kLineRows + 1> colorActual_{};
    bool refreshing_ = false;
};

} // namespace zeb
