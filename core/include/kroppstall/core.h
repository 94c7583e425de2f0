#pragma once

#include "kroppstall/bmi.h"       // IWYU pragma: export
#include "kroppstall/grenser.h"   // IWYU pragma: export
#include "kroppstall/talltekst.h" // IWYU pragma: export
