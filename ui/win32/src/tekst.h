#pragma once

#include "kroppstall/talltekst.h"

#include <string>
#include <string_view>

namespace kroppstall::win32 {

// The form's texts are UTF-8; Windows' are UTF-16.
std::wstring Bred(std::string_view utf8);
std::string Utf8(std::wstring_view tekst);

// The user's number format as Windows XP reads it (GetLocaleInfoW), which Tallformat falls back to
// where GetLocaleInfoEx is missing.
NumberFormat TallformatXp();

} // namespace kroppstall::win32
