// A picture of the program as a user sees it, for the README: the frame with
// one plot window holding the Zimm evaluation of examples/ps-toluene.plx
// (q order 1, c order 1), drawn on the offscreen platform.
//
//   zebstat-window-screenshot EXAMPLE.plx OUT.png [WIDTH HEIGHT]
#include "app/qt/FrameWindowView.h"
#include "dialogs/qt/DialogForms.h"
#include "platform/qt/QtPlatform.h"
#include "plotwindow/PlotWindow.h"
#include "plotwindow/qt/PlotWindowView.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyleFactory>
#include <QTemporaryDir>

#include <clocale>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) {
        std::fputs("usage: zebstat-window-screenshot EXAMPLE.plx OUT.png [WIDTH HEIGHT]\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "1");
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR")) qputenv("QT_QPA_FONTDIR", "/usr/share/fonts/truetype");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    const QString example = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    const int width = argc == 5 ? std::atoi(argv[3]) : 760;
    const int height = argc == 5 ? std::atoi(argv[4]) : 540;

    QTemporaryDir settings;
    zeb::QtPlatform platform;
    zeb::RegisterDialogForms();
    zeb::FrameWindowView frame(platform, settings.filePath("zebstat.ini").toStdString(),
                             [&platform](zeb::FrameWindowView& f) -> QWidget* { return new zeb::PlotWindowView(f, platform); });
    frame.resize(width, height);
    frame.show();
    frame.openFiles({example});

    // Until the window holds its data (at most half a minute on a busy machine).
    zeb::PlotWindowView* view = nullptr;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        const auto windows = frame.mdiArea()->subWindowList();
        if (windows.isEmpty()) continue;
        view = qobject_cast<zeb::PlotWindowView*>(windows.front()->widget());
        if (view && !view->core().awaitingFirstData() && !view->core().loading()) break;
        view = nullptr;
    }
    if (!view) {
        std::fprintf(stderr, "%s did not load\n", argv[1]);
        return 1;
    }
    frame.mdiArea()->subWindowList().front()->showMaximized();
    view->action("qOrder1")->trigger();
    view->action("cOrder1")->trigger();
    for (int i = 0; i < 20; ++i) QApplication::processEvents(QEventLoop::AllEvents, 20);

    const QImage picture = frame.grab().toImage().convertToFormat(QImage::Format_RGB888);
    if (!picture.save(out, "PNG", 0)) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%s: %d x %d\n", argv[2], picture.width(), picture.height());
    return 0;  // the frame goes without its close question
}
