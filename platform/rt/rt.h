#pragma once

// The object runtime in one include.
#include "rt/Associations.h"
#include "rt/Class.h"
#include "rt/Fields.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/Object.h"
#include "rt/Ref.h"
#include "rt/Runtime.h"
#include "rt/Selector.h"
#include "rt/SignatureMismatch.h"
#include "rt/UnrecognizedSelector.h"
#include "rt/Weak.h"
