#pragma once

#include "low/Base.h"
#include "high/Top.h"
