#include "top/qt/TopView.h"
#include "base/qt/BaseView.h"
#include "top/Top.h"
#include "base/Base.h"
#include <QString>
