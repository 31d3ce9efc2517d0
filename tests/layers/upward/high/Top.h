#pragma once

#include "low/Base.h"
#include <vector>
