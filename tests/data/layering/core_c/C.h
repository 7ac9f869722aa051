#pragma once
#include "ui_x/X.h"
