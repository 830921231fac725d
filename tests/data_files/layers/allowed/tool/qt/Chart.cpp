#include "tool/Tool.h"
#include "base/qt/BaseView.h"
#include <QImage>
