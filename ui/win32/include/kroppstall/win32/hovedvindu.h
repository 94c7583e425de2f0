#pragma once

#include "kroppstall/core.h"
#include "kroppstall/form/vert.h"

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <windows.h>

namespace kroppstall::win32 {

// A picture for an Image control: 0xAARRGGBB words, top row first.
struct Bilde {
    int side = 0;
    std::span<const std::uint32_t> piksler;
};

// Pictures come from the program, which embeds them; the backend only places them.
struct Ressurser {
    int ikongruppe = 1; // icon group resource of the executable; missing means no icon
    std::map<form::Id, Bilde> bilder;
};

// The user's number format, read from the system's user locale, with UTF-8 separators.
NumberFormat Tallformat();

// The one window, built from the layout tables only, standing in for the forms run-time: run it
// with form::KjorProgram.
std::unique_ptr<form::Vert> LagHovedvindu(HINSTANCE instans, Ressurser ressurser);

} // namespace kroppstall::win32
