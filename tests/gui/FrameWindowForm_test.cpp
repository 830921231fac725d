// The frame window on the real widgets: menus, tool bar states, help, about
// box, the close question and the wake guard.
#include "app/qt/HelpViewer.h"
#include "app/qt/FrameWindowView.h"
#include "gui/GuiTestSupport.h"
#include "platform/qt/QtPlatform.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolButton>
#include <QToolTip>
#include <QTemporaryDir>
#include <QtTest>

using namespace zeb;

class FrameWindowFormTest : public zeb::guitest::GuiTestCase {
    Q_OBJECT
private slots:
    void menusToolBarAndTitle();
    void toolButtonsFollowTheChildWindows();
    void helpOpensTheRightPages();
    void aboutBoxShowsNameAndVersionOnly();
    void tooltipsShowInTheHintColour();
    void closeQuestionNoKeepsTheFrame();
    void wakeGuardSwallowsTheFirstClick();
};

void FrameWindowFormTest::menusToolBarAndTitle() {
    QtPlatform platform;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    FrameWindowView frame(platform, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform));
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QCOMPARE(frame.windowTitle(), QString("ZEB / Static & Dynamic FIT and PLOT "));
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions()) titles << a->text();
    QCOMPARE(titles, QStringList({"&File", "&Window", "&Help"}));
    auto* open = frame.findChild<QToolButton*>("OpenBtn");
    QVERIFY(open);
    QCOMPARE(open->toolTip(), QString("Load new data file"));
    QCOMPARE(frame.findChild<QToolButton*>("ExitBtn")->toolTip(), QString("Exit all"));
    guitest::Screenshot(&frame, "frame_empty");
}

void FrameWindowFormTest::toolButtonsFollowTheChildWindows() {
    QtPlatform platform;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    FrameWindowView frame(platform, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform));
    frame.show();
    auto* cut = frame.findChild<QToolButton*>("CutBtn");
    auto* paste = frame.findChild<QToolButton*>("PasteBtn");
    auto* cascade = frame.findChild<QAction*>("cascadeWindows");
    QVERIFY(!cut->isEnabled());
    QVERIFY(!paste->isEnabled());
    QVERIFY(!cascade->isEnabled());
    auto* sub = frame.addChild(new QWidget);
    QVERIFY(cut->isEnabled());
    QVERIFY(paste->isEnabled());
    QVERIFY(cascade->isEnabled());
    sub->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTRY_VERIFY(!cut->isEnabled());
    QVERIFY(!cascade->isEnabled());
}

void FrameWindowFormTest::helpOpensTheRightPages() {
    QtPlatform platform;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    FrameWindowView frame(platform, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform));
    frame.show();
    platform.showHelp(14);
    auto* viewer = frame.findChild<HelpViewer*>("HelpViewer");
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->browser()->source().toString(), QString("qrc:/help/formats.html"));
    QVERIFY(!viewer->browser()->toPlainText().isEmpty());
    for (int context : {1, 2, 9, 15}) {
        platform.showHelp(context);
        QCOMPARE(viewer->browser()->source().toString(), "qrc:/help/" + HelpViewer::pageForContext(context));
    }
    guitest::Screenshot(viewer, "help_dialogs");
}

void FrameWindowFormTest::aboutBoxShowsNameAndVersionOnly() {
    QtPlatform platform;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    FrameWindowView frame(platform, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform));
    frame.show();
    QString title;
    QStringList texts;
    guitest::WhenModalOpens([&](QWidget* box) {
        title = box->windowTitle();
        for (QLabel* label : box->findChildren<QLabel*>())
            if (!label->text().isEmpty()) texts << label->text();
        guitest::Screenshot(box, "about_box");
        box->findChild<QPushButton*>("OKButton")->click();
    });
    frame.findChild<QAction*>("helpAbout")->trigger();
    QCOMPARE(title, QString("About ZEB-Stat"));
    texts.sort();
    QCOMPARE(texts, QStringList({"4.22 11/98", "ZEB / Static & Dynamic FIT and PLOT"}));
}

void FrameWindowFormTest::tooltipsShowInTheHintColour() {
    QtPlatform platform;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    FrameWindowView frame(platform, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform));
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    auto* open = frame.findChild<QToolButton*>("OpenBtn");
    QToolTip::showText(open->mapToGlobal(open->rect().center()), open->toolTip(), open);
    QTRY_VERIFY(QToolTip::isVisible());
    QWidget* tip = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "qtooltip_label" && w->isVisible()) tip = w;
    QVERIFY(tip);
    QCOMPARE(QToolTip::text(), QString("Load new data file"));
    const QImage picture = tip->grab().toImage();
    // The tip's face (inside its one-pixel border, beside the text) is yellow.
    QCOMPARE(QColor(picture.pixel(picture.width() - 3, picture.height() / 2)), QColor(255, 255, 0));
    QCOMPARE(tip->palette().color(QPalette::ToolTipText), QColor(Qt::black));
    guitest::Screenshot(tip, "tooltip");
    QToolTip::hideText();
}

void FrameWindowFormTest::closeQuestionNoKeepsTheFrame() {
    QtPlatform platform;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    FrameWindowView frame(platform, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform));
    frame.show();
    QString asked;
    guitest::WhenModalOpens([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        asked = box->text();
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
        guitest::Screenshot(box, "close_question");
        box->button(QMessageBox::No)->click();
    });
    QVERIFY(!frame.close());
    QCOMPARE(asked, QString("Finish ZEB-Stat session really ?"));
    QVERIFY(frame.isVisible());
    guitest::WhenModalOpens([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click(); });
    QVERIFY(frame.close());
}

void FrameWindowFormTest::wakeGuardSwallowsTheFirstClick() {
    QtPlatform platform;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    FrameWindowView frame(platform, dir.filePath("zebstat.ini").toStdString(), guitest::PlotWindows(platform));
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    int clicks = 0;
    auto* button = new QPushButton("probe", frame.centralWidget());
    button->show();
    connect(button, &QPushButton::clicked, [&] { ++clicks; });
    frame.wakeEvent(WakeGuard::Event::ScreenSaver);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks, 0);  // the click that ends the screen saver does nothing else
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks, 1);
    frame.wakeEvent(WakeGuard::Event::SuspendRequest);
    frame.wakeEvent(WakeGuard::Event::AppActivated);  // activation ends the guard too
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks, 2);
}

ZEB_GUI_TEST(FrameWindowFormTest)
#include "FrameWindowForm_test.moc"
