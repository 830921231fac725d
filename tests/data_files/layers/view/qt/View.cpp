#include "high/High.h"
#include <QWidget>
