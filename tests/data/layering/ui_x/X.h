#pragma once
#include "core_c/C.h"
