// ZEBstat, the desktop program. It evaluates no command-line arguments.
#include "app/texts/CommonTexts.h"
#include "app/qt/Resources.h"
#include "app/qt/TMainFormView.h"
#include "dialogs/qt/DialogForms.h"
#include "plot/qt/TFitF1View.h"
#include "platform/qt/QtPlatform.h"
#include "settings/SettingsFile.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <QStyleFactory>

#include <clocale>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
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
    zeb::TMainFormView::setChildFactory(
        [&platform](zeb::TMainFormView& f) -> QWidget* { return new zeb::TFitF1View(f, platform); });
    zeb::TMainFormView frame(platform, settingsPath);
    frame.show();
    return app.exec();
}
