#include "bilder.h"
#include "kroppstall/form/frmBmi.h"
#include "kroppstall/versjon.h"
#include "kroppstall/win32/hovedvindu.h"

#include <cstdlib>
#include <exception>
#include <string>

// Replaces libstdc++'s default terminate handler for this program: that one writes the exception's
// demangled type to standard error, which a GUI program does not have, and brings the demangler
// (about 36 KB) into the exe. Nothing is lost by ending at once.
void __gnu_cxx::__verbose_terminate_handler() {
    std::abort();
}

// The command line is not read: the program takes nothing from it.
int WINAPI wWinMain(HINSTANCE instans, HINSTANCE /*forrige*/, PWSTR /*kommandolinje*/, int /*visning*/) {
    int kode = 1;
    // An error of any type before the window can report it goes to the same guard as the window's own.
    kroppstall::form::Fang(
        [&] {
            // Read once, so that the enable check and the calculation always use the same format.
            const kroppstall::NumberFormat format = kroppstall::win32::Tallformat();

            kroppstall::win32::Ressurser ressurser;
            ressurser.bilder[{kroppstall::form::Navn::Image1}] = {kroppstall::bilder::Bilde16Side,
                                                                  kroppstall::bilder::Bilde16};

            kroppstall::win32::Hovedvindu vindu(instans, std::move(ressurser));
            kroppstall::form::frmBmi form(vindu, format,
                                          {kroppstall::versjon::Epost, kroppstall::versjon::Hjemmeside});
            vindu.Start(form);
            if (vindu.Avsluttet()) {
                return;
            }
            vindu.VisMidtstilt();
            kode = vindu.Kjor();
        },
        [&](const char* feil) {
            MessageBoxW(nullptr, kroppstall::win32::Bred(std::string("Kjøretidsfeil: ") + feil).c_str(),
                        kroppstall::win32::Bred(kroppstall::versjon::Produktnavn).c_str(),
                        MB_ICONERROR | MB_OK);
            kode = 1;
        });
    return kode;
}
