#include "texts/LowTexts.h"
#include "texts/HighTexts.h"
