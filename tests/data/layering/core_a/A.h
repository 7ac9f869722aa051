#pragma once
#include "core_b/B.h"
