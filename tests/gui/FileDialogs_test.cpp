// The program's file dialogs on the real widgets: the filters keep the case of
// the patterns they are given (so a proposed "File1.RAT" stays so), and the
// columns of the detail view show sizes and dates whole, also at scale 2.
#include "texts/ExportTexts.h"
#include "gui/FormTestSupport.h"
#include "gui/GuiTestSupport.h"
#include "platform/qt/QtPlatform.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTreeView>

#include <filesystem>
#include <fstream>

using namespace zeb;
using namespace zeb::formtest;

namespace {

bool IsFileDialog(QWidget* w) { return qobject_cast<QFileDialog*>(w) != nullptr; }

} // namespace

class FileDialogsTest : public zeb::guitest::GuiTestCase {
    Q_OBJECT
private slots:
    void filtersKeepTheGivenPatternFirst();
    void ratioSaveDialogKeepsTheProposedNameAsItIs();
    void columnsShowSizesAndDatesWholeAtScale2();
};

void FileDialogsTest::filtersKeepTheGivenPatternFirst() {
    const struct {
        const char* filter;
        QStringList shown;
    } cases[] = {
        {"RAT-Files (*.RAT)|*.RAT|All Files (*.*)|*.*|", {"RAT-Files (*.RAT *.rat)", "All Files (*.*)"}},
        {"SVG-Files (*.svg)|*.svg|", {"SVG-Files (*.svg *.SVG)"}},
        {"Data|*.sta;*.PLT|", {"Data (*.sta *.STA *.PLT *.plt)"}},
        {"Mixed|*.Zeb|", {"Mixed (*.Zeb *.zeb *.ZEB)"}},
    };
    for (const auto& c : cases) QCOMPARE(QtPlatform::qtFilters(c.filter), c.shown);
}

void FileDialogsTest::ratioSaveDialogKeepsTheProposedNameAsItIs() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QtPlatform platform;
    FileDialogRequest request;
    request.filter = tx::RatioSaveFilter;
    request.proposedName = tx::RatioProposedName;
    request.initialDir = dir.path().toStdString();
    request.overwritePrompt = true;
    QString shownName, shownFilter;
    WhenOpens(IsFileDialog, [&](QWidget* w) {
        auto* files = qobject_cast<QFileDialog*>(w);
        shownName = files->findChild<QLineEdit*>("fileNameEdit")->text();
        shownFilter = files->selectedNameFilter();
        static_cast<QDialog*>(files)->accept();  // as the Save button does
    });
    const std::optional<std::string> name = platform.saveFileName(request);
    QCOMPARE(shownName, QString("File1.RAT"));
    QCOMPARE(shownFilter, QString("RAT-Files (*.RAT *.rat)"));
    QVERIFY(name);
    QCOMPARE(QString::fromStdString(*name), dir.filePath("File1.RAT"));
}

void FileDialogsTest::columnsShowSizesAndDatesWholeAtScale2() {
    QScreen* screen = nullptr;
    for (QScreen* s : QGuiApplication::screens())
        if (s->name() == guitest::kScreenRatio2) screen = s;
    if (!screen) QSKIP("no screen of ratio 2 in this run");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    std::ofstream(dir.filePath("ps-toluene.sta").toStdString(), std::ios::binary) << std::string(10 * 1024, 'x');
    std::ofstream(dir.filePath("large.plx").toStdString(), std::ios::binary) << "x";
    std::filesystem::resize_file(dir.filePath("large.plx").toStdString(), 123'456'789);
    QWidget owner;
    owner.setScreen(screen);
    owner.move(screen->availableGeometry().topLeft() + QPoint(20, 20));
    owner.resize(900, 600);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    QtPlatform platform;
    platform.setParentWidget(&owner);
    FileDialogRequest request;
    request.filter = "All Files (*.*)|*.*|";
    request.initialDir = dir.path().toStdString();
    bool fits = false;
    qreal ratio = 0;
    QString widths;  // width/needed of each column
    WhenOpens(IsFileDialog, [&](QWidget* w) {
        ratio = w->devicePixelRatioF();
        auto* tree = w->findChild<QTreeView*>("treeView");
        QVERIFY(tree);
        const QAbstractItemView* view = tree;  // what each column's contents need
        const auto columnsFit = [tree, view] {
            if (tree->model()->rowCount(tree->rootIndex()) < 2) return false;
            int total = 0;
            for (int column = 0; column < tree->header()->count(); ++column) {
                if (tree->isColumnHidden(column)) continue;
                if (tree->columnWidth(column) < view->sizeHintForColumn(column)) return false;
                total += tree->columnWidth(column);
            }
            return total <= tree->viewport()->width();  // every column in sight
        };
        fits = QTest::qWaitFor(columnsFit, guitest::kWindowWaitMs);
        for (int column = 0; column < tree->header()->count(); ++column)  // what a failure shows
            widths += QString(" %1/%2").arg(tree->columnWidth(column)).arg(view->sizeHintForColumn(column));
        widths += QString(" in %1").arg(tree->viewport()->width());
        guitest::Screenshot(w, "file_dialog_scale2");
    });
    QVERIFY(!platform.openFileName(request));  // closed without a choice
    QCOMPARE(ratio, 2.0);
    QVERIFY2(fits, qPrintable(widths));
}

ZEB_GUI_TEST(FileDialogsTest)
#include "FileDialogs_test.moc"
