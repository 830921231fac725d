#include "widgets/qt/Resources.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStringList>
#include <QToolTip>
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

void UseHintColour() {
    const QColor hint(255, 255, 0);
    // Tooltips take their own palette; widgets that paint a tip (a style's tip
    // panel) take the application's.
    QPalette tips = QToolTip::palette();
    QPalette app = QApplication::palette();
    for (QPalette* p : {&tips, &app}) {
        p->setColor(QPalette::ToolTipBase, hint);
        p->setColor(QPalette::ToolTipText, Qt::black);
    }
    QToolTip::setPalette(tips);
    QApplication::setPalette(app);
}

} // namespace zeb
