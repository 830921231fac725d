// ZEBstat, the desktop program. Files given on the command line open in plot
// windows of their own; without arguments the program starts with its frame
// alone.
#include "app/CommandLine.h"
#include "texts/CommonTexts.h"
#include "texts/FrameTexts.h"
#include "widgets/qt/Resources.h"
#include "app/qt/FrameWindowView.h"
#include "dialogs/qt/DialogForms.h"
#include "plotwindow/qt/PlotWindowView.h"
#include "platform/qt/QtPlatform.h"
#include "settings/SettingsFile.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <QStyleFactory>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    // Usage and version need no display.
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        const zeb::StartRequest asked = zeb::ParseCommandLine({argv[i]}, "/");
        if (asked.action == zeb::StartRequest::Action::Usage) {
            std::fputs(zeb::DesktopUsage(), stdout);
            return 0;
        }
        if (asked.action == zeb::StartRequest::Action::Version) {
            std::printf("zebstat %s\n", ZEBSTAT_VERSION);
            return 0;
        }
    }
    // Without a window system Qt would abort; say what to do instead.
    const std::string noDisplay =
        zeb::MissingDisplay(std::vector<std::string>(argv + 1, argv + argc), [](const char* name) { return std::getenv(name); });
    if (!noDisplay.empty()) {
        std::fprintf(stderr, zeb::tx::NoDisplay, noDisplay.c_str());
        return 1;
    }
    QApplication app(argc, argv);
    // Qt has taken its own options out of the arguments.
    std::vector<std::string> args;
    for (const QString& a : QCoreApplication::arguments().mid(1)) args.push_back(a.toStdString());
    const zeb::StartRequest start = zeb::ParseCommandLine(args, QDir::currentPath().toStdString());
    switch (start.action) {
    case zeb::StartRequest::Action::Usage: std::fputs(zeb::DesktopUsage(), stdout); return 0;
    case zeb::StartRequest::Action::Version: std::printf("zebstat %s\n", ZEBSTAT_VERSION); return 0;
    case zeb::StartRequest::Action::BadUsage:
        std::fprintf(stderr, "zebstat: %s\n%s", start.problem.c_str(), zeb::DesktopUsage());
        return 2;
    case zeb::StartRequest::Action::Run: break;
    }
    zeb::InitGuiResources();
    // The application title. No display name: the window system would append it
    // to every caption, and the captions are the program's own.
    QApplication::setApplicationName(zeb::tx::AppTitle);
    // Installed, the icon theme holds the icon with its 16-pixel drawing, and the
    // desktop entry of this name tells a Wayland desktop the icon and the name.
    QApplication::setWindowIcon(QIcon::fromTheme("io.github.zebstat.zebstat", QIcon(":/app/zebstat.svg")));
    QGuiApplication::setDesktopFileName("io.github.zebstat.zebstat");
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    // Numbers are written and read with a point whatever the user's regional settings say.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());

    zeb::QtPlatform platform;
    zeb::RegisterDialogForms();
    // Beside the program, or in the user's configuration folder when the
    // program's folder is not writable.
    const std::string settingsPath =
        zeb::SettingsFilePath(QFileInfo(QCoreApplication::applicationFilePath()).absoluteFilePath().toStdString());
    zeb::FrameWindowView frame(platform, settingsPath,
                             [&platform](zeb::FrameWindowView& f) -> QWidget* { return new zeb::PlotWindowView(f, platform); });
    frame.show();
    QStringList files;
    for (const std::string& f : start.files) files << QString::fromStdString(f);
    frame.openFiles(files);
    return app.exec();
}
