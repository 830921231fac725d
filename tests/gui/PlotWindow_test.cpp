// The plot window on the real widgets: a file loaded through the frame's open
// command, the menus that take the frame's place, orders and plot types
// switched through the menus, the k buttons and the result fields.
#include "app/qt/TMainFormView.h"
#include "gui/GuiTestSupport.h"
#include "plot/TFitF1.h"
#include "plot/qt/TFitF1View.h"
#include "platform/qt/QtPlatform.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include <deque>

using namespace zeb;

namespace {

// The real platform, with the file dialogs answered by the test.
class TestPlatform : public QtPlatform {
public:
    std::deque<std::optional<std::string>> openAnswers;
    std::optional<std::string> openFileName(const FileDialogRequest&) override {
        if (openAnswers.empty()) return std::nullopt;
        auto a = openAnswers.front();
        openAnswers.pop_front();
        return a;
    }
};

QString example(const char* name) { return QString(ZEBSTAT_SOURCE_DIR) + "/examples/" + name; }

} // namespace

class PlotWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        TMainFormView::setChildFactory([this](TMainFormView& f) -> QWidget* { return new TFitF1View(f, platform_); });
    }
    void loadsAnExampleAndSwitchesOrdersAndTypes();
    void cancelledFileDialogClosesTheNewWindow();

private:
    TestPlatform platform_;
};

void PlotWindowTest::loadsAnExampleAndSwitchesOrdersAndTypes() {
    // A copy, since a review dialog answered with Change would write into the file.
    QTemporaryDir dir;
    const QString file = dir.filePath("ps-toluene.sta");
    QVERIFY(QFile::copy(example("ps-toluene.sta"), file));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    platform_.openAnswers.push_back(file.toStdString());

    TMainFormView frame(platform_, dir.filePath("zebstat.ini").toStdString());
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.loadNewFile();
    QTRY_COMPARE(frame.mdiArea()->subWindowList().size(), 1);
    auto* view = qobject_cast<TFitF1View*>(frame.mdiArea()->subWindowList().front()->widget());
    QVERIFY(view);
    QTRY_VERIFY(!view->core().awaitingFirstData());
    QCOMPARE(view->windowTitle(), QString("ps-toluene"));
    QVERIFY(!view->findChild<QWidget*>("LabelLoading")->isVisible());

    // The plot window's menus take the place of the frame's File menu.
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions()) titles << a->text();
    QCOMPARE(titles, QStringList({"&File", "&Edit", "&Plot-Type", "&q²-Dep.", "&c-Dep.", "Plot-&Options",
                                  "C&alculation", "For&m-Factor:Pz", "&Window", "&Help"}));
    QVERIFY(view->action("PLOTTYP_ZIMM")->isChecked());
    QVERIFY(view->action("ID_BER_Q_KEINE")->isChecked());
    QVERIFY(view->action("PLOTTYP_DI")->isEnabled());

    view->action("ID_BER_Q_1")->trigger();
    view->action("ID_BER_C_1")->trigger();
    QVERIFY(view->action("ID_BER_Q_1")->isChecked());
    QVERIFY(!view->action("ID_BER_Q_KEINE")->isChecked());
    auto* mwc = view->findChild<QLineEdit*>("EditIDC_MWC");
    const double mw = mwc->text().toDouble();
    QVERIFY2(mw > 0.8e6 && mw < 1.2e6, qPrintable(mwc->text()));
    QCOMPARE(view->findChild<QLabel*>("LabelIDC_B_Mwc")->text(), QString("Mw(c):[g/mol]"));
    QVERIFY(view->action("ID_BER_AUSWERTUNG")->isEnabled());
    guitest::Screenshot(view, "plot_window_zimm");

    // k buttons change the k field but never the result.
    auto* editK = view->findChild<QLineEdit*>("EditIDC_EING_K");
    const QString kBefore = editK->text();
    view->findChild<QPushButton*>("BtnIDC_K_KL")->click();
    QVERIFY(editK->text() != kBefore);
    QCOMPARE(mwc->text().toDouble(), mw);

    view->action("PLOTTYP_DI")->trigger();
    QVERIFY(view->action("PLOTTYP_DI")->isChecked());
    QCOMPARE(view->findChild<QLabel*>("LabelIDC_B_Mwc")->text(), QString("Dz(c):[µm²/s]"));
    const double dz = mwc->text().toDouble();
    QVERIFY2(dz > 12 && dz < 17, qPrintable(mwc->text()));
    guitest::Screenshot(view, "plot_window_d1");

    // Ctrl+F6 from the frame sets the c order to "no".
    view->setFocus();
    QTest::keyClick(view, Qt::Key_F6, Qt::ControlModifier);
    QVERIFY(view->action("ID_BER_C_KEINE")->isChecked());
    view->closeWithoutQuestion();
}

void PlotWindowTest::cancelledFileDialogClosesTheNewWindow() {
    QTemporaryDir dir;
    TMainFormView frame(platform_, dir.filePath("zebstat.ini").toStdString());
    frame.show();
    frame.loadNewFile();  // no answer queued: the dialog is cancelled
    QTRY_COMPARE(frame.mdiArea()->subWindowList().size(), 0);
}

QTEST_MAIN(PlotWindowTest)
#include "PlotWindow_test.moc"
