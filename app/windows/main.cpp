#include "bilder.h"
#include "kroppstall/form/frmBmi.h"
#include "kroppstall/versjon.h"
#include "kroppstall/win32/hovedvindu.h"

#include <cstdlib>
#include <utility>

// Replaces libstdc++'s default terminate handler for this program: that one writes the exception's
// demangled type to standard error, which a GUI program does not have, and brings the demangler
// (about 36 KB) into the exe. Nothing is lost by ending at once.
void __gnu_cxx::__verbose_terminate_handler() {
    std::abort();
}

// The command line is not read: the program takes nothing from it.
int WINAPI wWinMain(HINSTANCE instans, HINSTANCE /*forrige*/, PWSTR /*kommandolinje*/, int /*visning*/) {
    kroppstall::win32::Ressurser ressurser;
    ressurser.bilder[{kroppstall::form::Navn::Image1}] = {kroppstall::bilder::Bilde16Side,
                                                          kroppstall::bilder::Bilde16};
    const auto vindu = kroppstall::win32::LagHovedvindu(instans, std::move(ressurser));
    return kroppstall::form::KjorProgram(*vindu, &kroppstall::win32::Tallformat,
                                         {kroppstall::versjon::Epost, kroppstall::versjon::Hjemmeside});
}
