#pragma once
#include "low/qt/LowView.h"
#include "high/High.h"
