// The plot options form on the real widgets: its two pages and what each mode
// shows, typing a range, a range that is not a number, the colour panels, the
// font dialog and the help button.
#include "texts/PlotTexts.h"
#include "dialogs/OptionsDialog.h"
#include "dialogs/qt/DialogForms.h"
#include "dialogs/qt/OptionsDialogView.h"
#include "gui/FormTestSupport.h"
#include "gui/GuiTestSupport.h"
#include "platform/qt/QtPlatform.h"
#include "plot/AxisCaptions.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace zeb;
using namespace zeb::formtest;

namespace {

// Clicks a button; check boxes and radio buttons on their indicator, since only
// the indicator and the caption take a click.
void ClickOption(QWidget* form, const char* name) {
    auto* b = Child<QAbstractButton>(form, name);
    QVERIFY2(b, name);
    if (qobject_cast<QPushButton*>(b))
        QTest::mouseClick(b, Qt::LeftButton);
    else
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
}

bool OptionShown(QWidget* form, const char* name) { return Child<QWidget>(form, name)->isVisible(); }

struct Setup {
    QTemporaryDir dir;
    std::string ini = dir.filePath("zebstat.ini").toStdString();
    QtPlatform platform;
    GlobalDefaults defaults;
    PlotSettings s;
    OptionsWindowInfo info;
    Setup() {
        s.sampleName = "PS in toluene";
        s.manualX = {0, 0.0, 3.7e10};
        s.manualY = {0, 1.5e-6, 2.25e-6};
        SelectAxisTitles(s, 1, 11);
    }
};

} // namespace

class OptionsFormTest : public zeb::guitest::GuiTestCase {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterDialogForms(); }
    void measurementPlotPagesAndATypedRange();
    void aRangeThatIsNoNumberKeepsTheFormOpen();
    void formFactorModeShowsTheLegendPanel();
    void colourPanelsFontDialogAndHelp();
};

void OptionsFormTest::measurementPlotPagesAndATypedRange() {
    Setup t;
    OptionsDialog logic(t.platform, t.s, t.info, t.defaults, t.ini);
    WhenOpens("OptionsDialog", [&](QWidget* form) {
        QCOMPARE(form->windowTitle(), QString("ZEB-Stat: Plot Options"));
        auto* pages = Child<QTabWidget>(form, "PageControl");
        QCOMPARE(pages->count(), 2);
        QCOMPARE(pages->tabText(0), QString("Basic Options"));
        QCOMPARE(pages->tabText(1), QString("Chart Design"));
        QCOMPARE(pages->currentIndex(), 0);
        QVERIFY(!OptionShown(form, "formFactorLegendPanel"));
        QVERIFY(OptionShown(form, "GroupWeighting"));
        QVERIFY(OptionShown(form, "GroupSmoothing"));
        QVERIFY(OptionShown(form, "GroupFitDisplay"));
        QVERIFY(Child<QRadioButton>(form, "mediumSymbols")->isChecked());
        QVERIFY(Child<QRadioButton>(form, "noSmoothing")->isChecked());
        QVERIFY(Child<QRadioButton>(form, "fitLinesEverywhere")->isChecked());
        QVERIFY(Child<QCheckBox>(form, "printResultsBox")->isEnabled());
        QCOMPARE(Child<QPushButton>(form, "saveToFileButton")->toolTip(),
                 QString::fromStdString("Settings are saved into " + t.ini +
                                        ". \nUsing them when loading a new file or in next session."));
        auto* xmin = Child<QLineEdit>(form, "xMinField");
        auto* xmax = Child<QLineEdit>(form, "xMaxField");
        QCOMPARE(xmax->text(), QString("3.700E2"));
        QVERIFY(xmin->isReadOnly());
        guitest::Screenshot(form, "dialog_OptionsDialog_basic");

        ClickOption(form, "manualXRangeBox");
        QVERIFY(!xmin->isReadOnly());
        TypeInto(xmin, "5");
        TypeInto(xmax, "1");
        ClickOption(form, "smallSymbols");
        ClickOption(form, "smoothingOn");
        ClickOption(form, "fitLinesWithinDataAndQ");
        ClickOption(form, "hideInactiveBox");

        pages->setCurrentIndex(1);
        QCOMPARE(Child<QLineEdit>(form, "yLabelField")->text(), QString::fromUtf8(tx::YCaptionZimm));
        QVERIFY(Child<QLineEdit>(form, "lineWidthChartDefault")->isReadOnly());
        QCOMPARE(Child<QLineEdit>(form, "lineWidthRodDefault")->text(), QString("32"));
        QCOMPARE(Child<QLineEdit>(form, "lineWidthRodActual")->toolTip(),
                 QString("For changing line width, edit the integer value shown."));
        QCOMPARE(Child<ColorPanel>(form, "lineColorRodDefault")->color(), 0xFF0000u);
        guitest::Screenshot(form, "dialog_OptionsDialog_design");
        TypeInto(Child<QLineEdit>(form, "yLabelField"), "Kc/R in mol/g");
        TypeInto(Child<QLineEdit>(form, "lineWidthChartActual"), "40");
        ClickOption(form, "okButton");
    });
    t.platform.runModal(logic);
    QCOMPARE(logic.modalResult, OptionsDialog::kResultOk);
    QCOMPARE(int(t.s.manualX.on), 1);
    QCOMPARE(t.s.manualX.minimum, 1e8);
    QCOMPARE(t.s.manualX.maximum, 5e8);
    QCOMPARE(int(t.s.symbolSize), 1);
    QCOMPARE(int(t.s.smoothing), 2);
    QCOMPARE(int(t.s.fitDisplay), 3);
    QCOMPARE(int(t.s.hideInactive), 1);
    QCOMPARE(t.s.yTitle, std::string("Kc/R in mol/g"));
    QCOMPARE(t.s.lines.row(1).width, 40);
    QVERIFY(!QFile::exists(QString::fromStdString(t.ini)));
}

void OptionsFormTest::aRangeThatIsNoNumberKeepsTheFormOpen() {
    Setup t;
    OptionsDialog logic(t.platform, t.s, t.info, t.defaults, t.ini);
    SeenMessage invalid;
    bool stayedOpen = false, focused = false;
    WhenOpens("OptionsDialog", [&](QWidget* form) {
        ClickOption(form, "manualYRangeBox");
        auto* ymax = Child<QLineEdit>(form, "yMaxField");
        TypeInto(ymax, "2.5e-6x");
        AnswerMessage(invalid);
        ClickOption(form, "saveToFileButton");
        stayedOpen = form->isVisible();
        focused = form->focusWidget() == ymax;
        QCOMPARE(ymax->text(), QString("2.5e-6x"));
        // Unchecked, the field shows the range in use again.
        ClickOption(form, "manualYRangeBox");
        QCOMPARE(ymax->text(), QString("2.250E-6"));
        QVERIFY(ymax->isReadOnly());
        ClickOption(form, "saveToFileButton");
    });
    t.platform.runModal(logic);
    QCOMPARE(invalid.text, QString("Invalid input for floating point number."));
    QCOMPARE(invalid.caption, QString("ZEBStat: Information"));
    QCOMPARE(invalid.icon, QMessageBox::Critical);
    QVERIFY(stayedOpen);
    QVERIFY(focused);
    QCOMPARE(logic.modalResult, OptionsDialog::kResultYes);
    QVERIFY(QFile::exists(QString::fromStdString(t.ini)));
}

void OptionsFormTest::formFactorModeShowsTheLegendPanel() {
    Setup t;
    t.s.formFactorMode = true;
    t.s.legend = {"c = .0010 g/dm³", "Coil, mono disperse, Rg = 40.00 nm", "", "Thin rod, L = 138.56 nm", "", ""};
    t.info.representation = 11;
    t.info.curves = {1, 3};
    OptionsDialog logic(t.platform, t.s, t.info, t.defaults, t.ini);
    WhenOpens("OptionsDialog", [&](QWidget* form) {
        QVERIFY(OptionShown(form, "formFactorLegendPanel"));
        QVERIFY(!OptionShown(form, "GroupWeighting"));
        QVERIFY(!OptionShown(form, "GroupSmoothing"));
        QVERIFY(!OptionShown(form, "GroupFitDisplay"));
        QVERIFY(!Child<QCheckBox>(form, "showResultsBox")->isEnabled());
        QVERIFY(Child<QLineEdit>(form, "concentrationLegendField")->isEnabled());
        QVERIFY(Child<QLineEdit>(form, "coilMonoLegendField")->isEnabled());
        QVERIFY(!Child<QLineEdit>(form, "coilPolyLegendField")->isEnabled());
        QVERIFY(Child<QLineEdit>(form, "thinRodLegendField")->isEnabled());
        QCOMPARE(Child<QLineEdit>(form, "thinRodLegendField")->text(), QString("Thin rod, L = 138.56 nm"));
        guitest::Screenshot(form, "dialog_OptionsDialog_formfactor");
        TypeInto(Child<QLineEdit>(form, "thinRodLegendField"), "Rod");
        ClickOption(form, "okButton");
    });
    t.platform.runModal(logic);
    QCOMPARE(t.s.legend[3], std::string("Rod"));
}

void OptionsFormTest::colourPanelsFontDialogAndHelp() {
    Setup t;
    t.s.lines.row(5).color = 0x00123456;
    t.s.axisFont.height = -300;
    OptionsDialog logic(t.platform, t.s, t.info, t.defaults, t.ini);
    std::vector<int> help;
    t.platform.helpHandler = [&help](int context) { help.push_back(context); };
    int fontDialogPixels = 0;
    WhenOpens("OptionsDialog", [&](QWidget* form) {
        Child<QTabWidget>(form, "PageControl")->setCurrentIndex(1);
        auto* def = Child<ColorPanel>(form, "lineColorRodDefault");
        auto* act = Child<ColorPanel>(form, "lineColorRodActual");
        QCOMPARE(act->color(), 0x123456u);
        QTest::mouseDClick(def, Qt::LeftButton);
        QCOMPARE(act->color(), 0xFF0000u);

        // The font dialog, cancelled: the working copy stays.
        WhenOpens([](QWidget* w) { return qobject_cast<QFontDialog*>(w) != nullptr; },
                  [&](QWidget* w) {
                      auto* dialog = qobject_cast<QFontDialog*>(w);
                      const QFont f = dialog->currentFont();
                      fontDialogPixels = f.pixelSize() > 0 ? f.pixelSize() : qRound(f.pointSizeF() * 96.0 / 72.0);
                      dialog->reject();
                  });
        ClickOption(form, "chartFontButton");
        QCOMPARE(logic.workingFont().height, -300);
        // It opens on the bold face the chart draws with; OK without a change keeps the font.
        QFont opened;
        WhenOpens([](QWidget* w) { return qobject_cast<QFontDialog*>(w) != nullptr; },
                  [&](QWidget* w) {
                      auto* dialog = qobject_cast<QFontDialog*>(w);
                      opened = dialog->currentFont();
                      dialog->accept();
                  });
        ClickOption(form, "chartFontButton");
        QCOMPARE(QFontInfo(opened).family(), QString("Liberation Sans"));
        QVERIFY(opened.bold());
        QCOMPARE(logic.workingFont().height, -300);
        QCOMPARE(logic.workingFont().weight, 700);
        // Accepted with a 24-pixel font: 24 × 15 units high.
        WhenOpens([](QWidget* w) { return qobject_cast<QFontDialog*>(w) != nullptr; },
                  [&](QWidget* w) {
                      auto* dialog = qobject_cast<QFontDialog*>(w);
                      QFont f = dialog->currentFont();
                      f.setPixelSize(24);
                      f.setStyleName(QString());  // the style follows italic and weight, as a click on a style sets them
                      f.setItalic(true);
                      dialog->setCurrentFont(f);
                      dialog->accept();
                  });
        ClickOption(form, "chartFontButton");

        ClickOption(form, "helpButton");
        ClickOption(form, "okButton");
    });
    t.platform.runModal(logic);
    QCOMPARE(fontDialogPixels, 20);
    QCOMPARE(help, std::vector<int>{9});
    QCOMPARE(t.s.lines.row(5).color, 0xFF0000u);
    QCOMPARE(t.s.axisFont.height, -360);
    QCOMPARE(int(t.s.axisFont.italic), 1);
}

ZEB_GUI_TEST(OptionsFormTest)
#include "OptionsForm_test.moc"
