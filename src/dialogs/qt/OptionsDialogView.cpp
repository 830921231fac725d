#include "dialogs/qt/OptionsDialogView.h"
#include "plot/qt/QtCanvas.h"

#include "texts/DialogFormTexts.h"
#include "texts/OptionsTexts.h"
#include "settings/PlotSettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zeb {

namespace {

// The rows of the line table: name part, caption.
struct LineRowText {
    const char* name;
    const char* caption;
};
const LineRowText kLineRowTexts[kLineRows + 1] = {
    {"", ""},
    {"Chart", tx::OptionsRowChartFrame},
    {"Zimm", tx::OptionsRowZimmSplines},
    {"CoilMd", tx::OptionsRowCoilMd},
    {"CoilPd", tx::OptionsRowCoilPd},
    {"Rod", tx::OptionsRowThinRod},
    {"Sphere", tx::OptionsRowHardSphere},
    {"UserFF", tx::OptionsRowUser},
};

const char* const kLegendNames[6] = {"concentrationLegendField", "coilMonoLegendField", "coilPolyLegendField", "thinRodLegendField", "hardSphereLegendField", "userDefinedLegendField"};
const char* const kLegendCaptions[6] = {tx::OptionsLegendConc,    tx::OptionsLegendCoilMd,      tx::OptionsLegendCoilPd,
                                        tx::OptionsLegendThinRod, tx::OptionsLegendHardSphere, tx::OptionsLegendUser};

QColor ToQColor(Rgb c) { return QColor(static_cast<int>(RedOf(c)), static_cast<int>(GreenOf(c)), static_cast<int>(BlueOf(c))); }
Rgb FromQColor(const QColor& c) {
    return MakeRgb(static_cast<unsigned>(c.red()), static_cast<unsigned>(c.green()), static_cast<unsigned>(c.blue()));
}

// Screen pixels of a point size, as the font dialog's sizes are kept (96 per inch).
constexpr double kPixelsPerPoint = 96.0 / 72.0;
// The chart's built-in axis font is 380 units high.
constexpr int kBuiltInAxisFontHeight = 380;

std::string Std(const QString& s) { return s.toStdString(); }

} // namespace

// ---- ColorPanel

ColorPanel::ColorPanel(const char* name, QWidget* parent) : QFrame(parent) {
    setObjectName(name);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setLineWidth(1);
    setAutoFillBackground(true);
    setFixedSize(64, 22);
}

void ColorPanel::setColor(Rgb color) {
    color_ = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(color));
    setPalette(pal);
}

void ColorPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit doubleClicked();
    QFrame::mouseDoubleClickEvent(event);
}

// ---- The form

OptionsDialogView::OptionsDialogView(OptionsDialog& logic, QWidget* parent)
    : FormView("OptionsDialog", tx::OptionsCaption, parent), logic_(logic) {
    pages_ = new QTabWidget(this);
    pages_->setObjectName("PageControl");
    pages_->addTab(buildBasicPage(), tx::OptionsPageBasic);
    pages_->addTab(buildDesignPage(), tx::OptionsPageDesign);
    pages_->setCurrentIndex(0);

    QPushButton* ok = button("okButton", tx::FormBtnOk, [this] { logic_.accept(); });
    QPushButton* save = button("saveToFileButton", tx::OptionsSaveIni, [this] { logic_.saveToSettingsFile(); });
    QPushButton* abort = button("abortButton", tx::FormBtnAbort, [this] { logic_.abort(); });
    QPushButton* help = button("helpButton", tx::FormBtnHelp, [this] { logic_.showHelp(); });
    ok->setDefault(true);
    ok->setToolTip(QString::fromStdString(logic_.hintOk));
    save->setToolTip(QString::fromStdString(logic_.hintSaveIni));
    abort->setToolTip(QString::fromStdString(logic_.hintAbort));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {ok, save, abort, help}) buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
}

QCheckBox* OptionsDialogView::check(const char* name, const char* caption, bool& state, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    checks_.emplace_back(box, &state);
    connect(box, &QCheckBox::toggled, this, [this, &state](bool on) {
        if (!refreshing_) state = on;
    });
    return box;
}

QRadioButton* OptionsDialogView::radio(const char* name, const char* caption, QWidget* parent) {
    auto* b = new QRadioButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QWidget* OptionsDialogView::buildBasicPage() {
    auto* page = new QWidget;
    page->setObjectName("TabBasic");

    auto* sample = new QGroupBox(tx::OptionsGroupSampleName, page);
    sample->setObjectName("GroupSampleName");
    QLineEdit* name = boundEdit("sampleNameField", logic_.sampleNameField);
    name->setParent(sample);
    name->setMaxLength(OptionsDialog::kSampleNameTypedChars);
    name->setMinimumWidth(CharsWidth(name, 40));
    (new QVBoxLayout(sample))->addWidget(name);

    // The two range groups.
    auto rangeGroup = [&](const char* title, const char* boxName, const char* boxCaption, bool& state,
                          const char* minName, const char* minCaption, std::string& minText, const char* maxName,
                          const char* maxCaption, std::string& maxText, QLineEdit** edits, bool x) {
        auto* group = new QGroupBox(title, page);
        group->setObjectName(x ? "GroupXAxis" : "GroupYAxis");
        QCheckBox* box = check(boxName, boxCaption, state, group);
        connect(box, &QCheckBox::clicked, this, [this, x] {
            forward([this, x] { x ? logic_.manualXRangeToggled() : logic_.manualYRangeToggled(); });
        });
        edits[0] = boundEdit(minName, minText);
        edits[1] = boundEdit(maxName, maxText);
        auto* grid = new QGridLayout(group);
        grid->addWidget(box, 0, 0, 1, 2);
        auto* lo = new QLabel(minCaption, group);
        auto* hi = new QLabel(maxCaption, group);
        lo->setBuddy(edits[0]);
        hi->setBuddy(edits[1]);
        grid->addWidget(lo, 1, 0);
        grid->addWidget(edits[0], 1, 1);
        grid->addWidget(hi, 2, 0);
        grid->addWidget(edits[1], 2, 1);
        for (int i = 0; i < 2; ++i) {
            edits[i]->setParent(group);
            edits[i]->setFixedWidth(CharsWidth(edits[i], 14));
        }
        return box;
    };
    chkY_ = rangeGroup(tx::OptionsGroupYAxis, "manualYRangeBox", tx::OptionsYManual, logic_.manualYRangeBox, "yMinField",
                       tx::OptionsYMin, logic_.yMinField, "yMaxField", tx::OptionsYMax, logic_.yMaxField, rangeEdits_ + 2,
                       false);
    chkX_ = rangeGroup(tx::OptionsGroupXAxis, "manualXRangeBox", tx::OptionsXManual, logic_.manualXRangeBox, "xMinField",
                       tx::OptionsXMin, logic_.xMinField, "xMaxField", tx::OptionsXMax, logic_.xMaxField, rangeEdits_,
                       true);

    auto* size = new QGroupBox(tx::OptionsGroupSymbolSize, page);
    size->setObjectName("GroupSymbolSize");
    auto* sizeLayout = new QVBoxLayout(size);
    auto* sizeGroup = new QButtonGroup(size);
    const char* const sizeNames[4] = {"", "smallSymbols", "mediumSymbols", "largeSymbols"};
    const char* const sizeCaptions[4] = {"", tx::OptionsSymbolSmall, tx::OptionsSymbolMiddle, tx::OptionsSymbolLarge};
    for (int i = 1; i <= 3; ++i) {
        symbolSize_[static_cast<std::size_t>(i)] = radio(sizeNames[i], sizeCaptions[i], size);
        sizeGroup->addButton(symbolSize_[static_cast<std::size_t>(i)], i);
        sizeLayout->addWidget(symbolSize_[static_cast<std::size_t>(i)]);
    }
    connect(sizeGroup, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on && !refreshing_) logic_.symbolSizeButton = id;
    });

    auto* details = new QGroupBox(tx::OptionsGroupDetails, page);
    details->setObjectName("GroupPlotDetails");
    auto* detailsLayout = new QVBoxLayout(details);
    detailsLayout->addWidget(check("showFileNameBox", tx::OptionsShowFileName, logic_.showFileNameBox, details));
    detailsLayout->addWidget(check("showErrorBarsBox", tx::OptionsShowErrorBars, logic_.showErrorBarsBox, details));
    detailsLayout->addWidget(check("showSampleNameBox", tx::OptionsShowSampleName, logic_.showSampleNameBox, details));
    chkResults_ = check("showResultsBox", tx::OptionsShowResults, logic_.showResultsBox, details);
    chkPrint_ = check("printResultsBox", tx::OptionsPrintResults, logic_.printResultsBox, details);
    chkHide_ = check("hideInactiveBox", tx::OptionsHideInactive, logic_.hideInactiveBox, details);
    for (QCheckBox* b : {chkResults_, chkPrint_, chkHide_}) detailsLayout->addWidget(b);

    // The legend panel of form-factor plots and the weighting group share one place.
    panelFF_ = new QGroupBox(page);
    panelFF_->setObjectName("formFactorLegendPanel");
    auto* legend = new QGridLayout(panelFF_);
    for (int i = 0; i < 6; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        legend_[k] = boundEdit(kLegendNames[i], logic_.legendEdits[k]);
        legend_[k]->setParent(panelFF_);
        legend_[k]->setMinimumWidth(CharsWidth(legend_[k], 44));
        auto* label = new QLabel(kLegendCaptions[i], panelFF_);
        label->setBuddy(legend_[k]);
        legend->addWidget(label, i, 0);
        legend->addWidget(legend_[k], i, 1);
    }

    auto twoChoices = [&](const char* title, const char* groupName, QRadioButton*& yes, const char* yesName,
                          const char* yesCaption, QRadioButton*& no, const char* noName, const char* noCaption,
                          bool& state) {
        auto* group = new QGroupBox(title, page);
        group->setObjectName(groupName);
        yes = radio(yesName, yesCaption, group);
        no = radio(noName, noCaption, group);
        auto* l = new QHBoxLayout(group);
        l->addWidget(yes);
        l->addWidget(no);
        l->addStretch();
        connect(yes, &QRadioButton::toggled, this, [this, &state](bool on) {
            if (!refreshing_) state = on;
        });
        return group;
    };
    weighting_ = twoChoices(tx::OptionsGroupWeighting, "GroupWeighting", weightYes_, "weightingOn",
                            tx::OptionsWeightingYes, weightNo_, "noWeighting", tx::OptionsWeightingNo, logic_.weightingOn);
    smoothing_ = twoChoices(tx::OptionsGroupSmoothing, "GroupSmoothing", smoothYes_, "smoothingOn",
                            tx::OptionsSmoothingYes, smoothNo_, "noSmoothing", tx::OptionsSmoothingNo,
                            logic_.smoothingOn);

    fitDisplay_ = new QGroupBox(tx::OptionsGroupFitDisplay, page);
    fitDisplay_->setObjectName("GroupFitDisplay");
    auto* fitLayout = new QVBoxLayout(fitDisplay_);
    auto* fitGroup = new QButtonGroup(fitDisplay_);
    fitDisplayButtons_[2] = radio("fitLinesWithinData", tx::OptionsFitLimitOnly, fitDisplay_);
    fitDisplayButtons_[1] = radio("fitLinesEverywhere", tx::OptionsFitAll, fitDisplay_);
    fitDisplayButtons_[3] = radio("fitLinesWithinDataAndQ", tx::OptionsFitLimitAndQ, fitDisplay_);
    for (int code : {2, 1, 3}) {
        fitGroup->addButton(fitDisplayButtons_[static_cast<std::size_t>(code)], code);
        fitLayout->addWidget(fitDisplayButtons_[static_cast<std::size_t>(code)]);
    }
    connect(fitGroup, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on && !refreshing_) logic_.fitDisplayButton = id;
    });

    auto* left = new QVBoxLayout;
    left->addWidget(sample);
    left->addWidget(chkY_->parentWidget());
    left->addWidget(chkX_->parentWidget());
    left->addStretch();
    auto* middle = new QVBoxLayout;
    middle->addWidget(size);
    middle->addWidget(details);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(panelFF_);
    right->addWidget(weighting_);
    right->addWidget(smoothing_);
    right->addWidget(fitDisplay_);
    right->addStretch();
    auto* columns = new QHBoxLayout(page);
    columns->addLayout(left);
    columns->addLayout(middle);
    columns->addLayout(right);
    return page;
}

QWidget* OptionsDialogView::buildDesignPage() {
    auto* page = new QWidget;
    page->setObjectName("TabChartDesign");
    auto* titles = new QGridLayout;
    auto title = [&](int row, const char* caption, const char* editName, std::string& text, const char* buttonName,
                     std::function<void()> handler) {
        QLineEdit* edit = boundEdit(editName, text);
        edit->setParent(page);
        edit->setMaxLength(static_cast<int>(kAxisTitleChars));
        edit->setMinimumWidth(CharsWidth(edit, 44));
        auto* label = new QLabel(caption, page);
        label->setBuddy(edit);
        QPushButton* b = button(buttonName, tx::OptionsDefaultTitle, std::move(handler));
        b->setParent(page);
        titles->addWidget(label, row, 0);
        titles->addWidget(edit, row, 1);
        titles->addWidget(b, row, 2);
    };
    title(0, tx::OptionsXTitle, "xLabelField", logic_.xLabelField, "defaultXLabelButton", [this] { logic_.restoreDefaultXLabel(); });
    title(1, tx::OptionsYTitle, "yLabelField", logic_.yLabelField, "defaultYLabelButton", [this] { logic_.restoreDefaultYLabel(); });
    auto* font = new QPushButton(tx::OptionsChartFont, page);
    font->setObjectName("chartFontButton");
    font->setAutoDefault(false);
    connect(font, &QPushButton::clicked, this, [this] { chooseFont(); });

    auto* lines = new QGroupBox(tx::OptionsLineProperties, page);
    lines->setObjectName("linePropertiesPanel");
    auto* grid = new QGridLayout(lines);
    grid->addWidget(new QLabel(tx::OptionsColumnDefault, lines), 0, 1);
    grid->addWidget(new QLabel(tx::OptionsColumnActual, lines), 0, 2);
    const QString hintWidth = tx::OptionsHintWidth;
    auto widthFields = [&](int r, int gridRow) {
        const std::size_t i = static_cast<std::size_t>(r);
        const std::string base = std::string("lineWidth") + kLineRowTexts[r].name;
        QLineEdit* def = readOnlyEdit((base + "Default").c_str(), logic_.widthDefault[i]);
        QLineEdit* act = boundEdit((base + "Actual").c_str(), logic_.widthActual[i]);
        for (QLineEdit* e : {def, act}) {
            e->setParent(lines);
            e->setFixedWidth(CharsWidth(e, 7));
        }
        act->setToolTip(hintWidth);
        grid->addWidget(new QLabel(kLineRowTexts[r].caption, lines), gridRow, 0);
        grid->addWidget(def, gridRow, 1);
        grid->addWidget(act, gridRow, 2);
    };
    widthFields(kLineFrame, 1);
    widthFields(kLineFitCurves, 2);
    auto* ffTitle = new QLabel(tx::OptionsFormFactorPlot, lines);
    QFont bold = ffTitle->font();
    bold.setBold(true);
    ffTitle->setFont(bold);
    grid->addWidget(ffTitle, 3, 0);
    grid->addWidget(new QLabel(tx::OptionsColumnWidth, lines), 3, 1, 1, 2, Qt::AlignCenter);
    grid->addWidget(new QLabel(tx::OptionsColumnColor, lines), 3, 3, 1, 2, Qt::AlignCenter);
    for (int r = kLineFirstFormFactor; r <= kLineRows; ++r) {
        const std::size_t i = static_cast<std::size_t>(r);
        const int gridRow = 4 + r - kLineFirstFormFactor;
        widthFields(r, gridRow);
        const std::string base = std::string("lineColor") + kLineRowTexts[r].name;
        colorDefault_[i] = new ColorPanel((base + "Default").c_str(), lines);
        colorActual_[i] = new ColorPanel((base + "Actual").c_str(), lines);
        colorDefault_[i]->setToolTip(tx::OptionsHintDefaultColor);
        colorActual_[i]->setToolTip(tx::OptionsHintActualColor);
        grid->addWidget(colorDefault_[i], gridRow, 3);
        grid->addWidget(colorActual_[i], gridRow, 4);
        connect(colorDefault_[i], &ColorPanel::doubleClicked, this,
                [this, r] { forward([this, r] { logic_.copyDefaultColor(r); }); });
        connect(colorActual_[i], &ColorPanel::doubleClicked, this, [this, r] { chooseColor(r); });
    }
    grid->setColumnStretch(5, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(titles);
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(font);
    fontRow->addStretch();
    layout->addLayout(fontRow);
    layout->addWidget(lines);
    layout->addStretch();
    return page;
}

void OptionsDialogView::refresh() {
    refreshing_ = true;
    FormView::refresh();
    for (auto& [box, state] : checks_) box->setChecked(*state);
    // A range is typed only while its box is checked.
    for (int i = 0; i < 4; ++i) SetReadOnlyLook(rangeEdits_[i], !(i < 2 ? logic_.manualXRangeBox : logic_.manualYRangeBox));
    for (int i = 1; i <= 3; ++i) symbolSize_[static_cast<std::size_t>(i)]->setChecked(logic_.symbolSizeButton == i);
    if (logic_.symbolSizeButton < 1 || logic_.symbolSizeButton > 3)
        for (int i = 1; i <= 3; ++i) {
            QRadioButton* b = symbolSize_[static_cast<std::size_t>(i)];
            b->setAutoExclusive(false);
            b->setChecked(false);
            b->setAutoExclusive(true);
        }
    for (QCheckBox* b : {chkResults_, chkPrint_, chkHide_}) b->setEnabled(logic_.measurementChecksEnabled);
    panelFF_->setVisible(logic_.formFactorLegendPanelVisible);
    for (std::size_t i = 0; i < legend_.size(); ++i) legend_[i]->setEnabled(logic_.legendEnabled[i]);
    for (QGroupBox* g : {weighting_, smoothing_, fitDisplay_}) g->setVisible(logic_.measurementGroupsVisible);
    (logic_.weightingOn ? weightYes_ : weightNo_)->setChecked(true);
    (logic_.smoothingOn ? smoothYes_ : smoothNo_)->setChecked(true);
    const int fit = logic_.fitDisplayButton >= 1 && logic_.fitDisplayButton <= 3 ? logic_.fitDisplayButton : 1;
    fitDisplayButtons_[static_cast<std::size_t>(fit)]->setChecked(true);
    for (int r = kLineFirstFormFactor; r <= kLineRows; ++r) {
        const std::size_t i = static_cast<std::size_t>(r);
        colorDefault_[i]->setColor(logic_.colorDefault[i]);
        colorActual_[i]->setColor(logic_.colorActual[i]);
    }
    refreshing_ = false;
}

bool OptionsDialogView::escapeHandler() {
    logic_.abort();
    return true;
}

QFont OptionsDialogView::DialogFont(const LogFont& f) {
    // The face the chart draws with: the named one, else the substitutes the
    // chart's canvas takes. The dialog is given that family by name, so that it
    // selects it (and its bold style) in its lists.
    QFont q;
    q.setFamilies(QtCanvas::FontFamilies(f.faceName));
    // A height of 0 is the chart's built-in size.
    const int height = f.height != 0 ? f.height : kBuiltInAxisFontHeight / OptionsDialog::kFontDialogDivisor;
    // Negative: the character height; positive: the cell height (about 1.15 of it).
    const double pixels = height < 0 ? -height : height / 1.15;
    q.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    q.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight == 0 ? 400 : f.weight, 100, 900)));
    q.setItalic(f.italic != 0);
    q.setUnderline(f.underline != 0);
    q.setStrikeOut(f.strikeOut != 0);
    q.setFamilies({QFontInfo(q).family()});
    return q;
}

bool OptionsDialogView::SameDialogFont(const QFont& a, const QFont& b) {
    const QFontInfo x(a), y(b);
    return x.family() == y.family() && x.pixelSize() == y.pixelSize() && x.bold() == y.bold() &&
           x.italic() == y.italic() && a.underline() == b.underline() && a.strikeOut() == b.strikeOut();
}

LogFont OptionsDialogView::FromDialogFont(const QFont& q, const LogFont& keep) {
    LogFont f = keep;
    const double pixels = q.pixelSize() > 0 ? q.pixelSize() : q.pointSizeF() * kPixelsPerPoint;
    f.height = -std::max(1, static_cast<int>(std::lround(pixels)));
    f.width = 0;
    f.escapement = f.orientation = 0;
    f.weight = q.weight();
    f.italic = q.italic() ? 1 : 0;
    f.underline = q.underline() ? 1 : 0;
    f.strikeOut = q.strikeOut() ? 1 : 0;
    f.faceName = Std(q.family());
    return f;
}

void OptionsDialogView::chooseFont() {
    const LogFont start = logic_.FontForDialog();
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, DialogFont(start), this, tx::OptionsChartFont,
                                              QFontDialog::ScalableFonts | QFontDialog::DontUseNativeDialog);
    // OK without a change keeps the font as it is (its cell height and width).
    if (!ok || SameDialogFont(chosen, DialogFont(start))) return;
    forward([&] { logic_.FontDialogAccepted(FromDialogFont(chosen, start)); });
}

void OptionsDialogView::chooseColor(int row) {
    // The custom colours are the built-in colours of the form-factor rows.
    int index = 0;
    for (const std::string& entry : logic_.CustomColors()) {
        const auto eq = entry.find('=');
        if (eq == std::string::npos) continue;
        const Rgb c = static_cast<Rgb>(std::strtoul(entry.c_str() + eq + 1, nullptr, 16));
        QColorDialog::setCustomColor(index++, ToQColor(c));
    }
    const QColor chosen = QColorDialog::getColor(ToQColor(logic_.ColorForDialog(row)), this, QString(),
                                                 QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid()) return;
    forward([&] { logic_.ColorDialogAccepted(row, FromQColor(chosen)); });
}

} // namespace zeb
