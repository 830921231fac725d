#pragma once
#include <QWidget>
#include "low/Low.h"
