#pragma once

#include "kroppstall/form/kjoretid.h"
#include "tekst.h"

#include <cstring>
#include <string>
#include <windows.h>

namespace kroppstall::win32 {

// A function of a system library, looked up when it is first needed rather than when the program
// loads; nullptr where the library or the function is missing. One FARPROC is cast to the function's
// real type; GCC warns about the cast itself.
template <class Funksjon>
Funksjon FinnFunksjon(const wchar_t* bibliotek, const char* funksjon) {
    HMODULE modul = LoadLibraryW(bibliotek);
    FARPROC adresse = modul != nullptr ? GetProcAddress(modul, funksjon) : nullptr;
    Funksjon f = nullptr;
    static_assert(sizeof f == sizeof adresse);
    std::memcpy(&f, &adresse, sizeof f);
    return f;
}

// The same, where a missing library or function is a run-time error at that call.
template <class Funksjon>
Funksjon KrevFunksjon(const wchar_t* bibliotek, const char* funksjon) {
    const auto f = FinnFunksjon<Funksjon>(bibliotek, funksjon);
    if (f == nullptr) {
        throw form::Kjoretidsfeil("Fant ikke " + std::string(funksjon) + " i " + Utf8(bibliotek));
    }
    return f;
}

} // namespace kroppstall::win32
