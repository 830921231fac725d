#include "low/Low.h"
#include <QString>
