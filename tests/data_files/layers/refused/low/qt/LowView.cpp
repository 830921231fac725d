#include "low/qt/LowView.h"
#include "high/qt/HighView.h"
#include "high/High.h"
