#pragma once
#include "top/Top.h"
