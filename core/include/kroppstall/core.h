#pragma once

// Every operation of the core gives the same result whichever floating-point rounding mode the
// caller has set, and leaves that mode as it was.

#include "kroppstall/beregning.h" // IWYU pragma: export
#include "kroppstall/bmi.h"       // IWYU pragma: export
#include "kroppstall/grenser.h"   // IWYU pragma: export
#include "kroppstall/talltekst.h" // IWYU pragma: export
