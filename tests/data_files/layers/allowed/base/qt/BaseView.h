#pragma once
#include <QWidget>
#include "base/Base.h"
