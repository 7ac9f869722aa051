#pragma once
#include "core_a/A.h"
#include <QString>
