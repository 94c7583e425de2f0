#pragma once

#include "kroppstall/form/layout.h"

#include <string>

namespace kroppstall::win32 {

// "Label2(3)": a control as error texts name it.
std::string Navngi(form::Id id);

} // namespace kroppstall::win32
