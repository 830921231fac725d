#include "app/qt/Resources.h"

#include <QtGlobal>

static void initResourcesOnce() {
    Q_INIT_RESOURCE(app);
    Q_INIT_RESOURCE(help);
}

namespace zeb {

void InitGuiResources() {
    static const bool done = (initResourcesOnce(), true);
    (void)done;
}

} // namespace zeb
