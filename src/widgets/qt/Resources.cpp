#include "widgets/qt/Resources.h"

#include <QFont>
#include <QStringList>
#include <QtGlobal>

static void initResourcesOnce() {
    Q_INIT_RESOURCE(widgets);
    Q_INIT_RESOURCE(help);
}

namespace zeb {

void InitGuiResources() {
    static const bool done = [] {
        initResourcesOnce();
        // Texts are set in Arial; Liberation Sans has the same metrics and is what
        // Linux systems ship (fonts-liberation).
        QFont::insertSubstitutions("Arial", QStringList() << "Liberation Sans" << "Arimo" << "Helvetica");
        return true;
    }();
    (void)done;
}

} // namespace zeb
