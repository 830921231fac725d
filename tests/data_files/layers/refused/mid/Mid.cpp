#include "low/Low.h"
#include <QString>
#include "low/qt/LowView.h"
