#pragma once

#include "core/FrenchDate.h"

namespace corvane {

// The local date and time now.
LocalDateTime LocalNow();

} // namespace corvane
