#include "bilder.h"
#include "kroppstall/form/frmBmi.h"
#include "kroppstall/qt/hovedvindu.h"
#include "kroppstall/qt/stil.h"
#include "kroppstall/versjon.h"
#include "linux/skjerm.h"

#include <QApplication>
#include <cstdio>
#include <fontconfig/fontconfig.h>
#include <memory>
#include <string>
#include <system_error>
#include <thread>

namespace {

// Reading fontconfig's configuration is the longest single step before the window can show text, and
// it needs nothing from Qt: it runs on a second thread while Qt connects to the display. Qt's own
// FcInit then finds it done. Without a thread it is simply left to Qt.
class Skriftoppsett {
public:
    Skriftoppsett() {
        try {
            trad_ = std::thread([] { static_cast<void>(FcInit()); });
        } catch (const std::system_error&) {
        }
    }
    ~Skriftoppsett() { Vent(); }
    Skriftoppsett(const Skriftoppsett&) = delete;
    Skriftoppsett& operator=(const Skriftoppsett&) = delete;

    void Vent() {
        if (trad_.joinable()) {
            trad_.join();
        }
    }

private:
    std::thread trad_;
};

} // namespace

int main(int argc, char* argv[]) {
    // The program takes nothing from its command line: Qt is handed only the program's name, so that
    // none of its own options (-qwindowgeometry, -style, -reverse ...) can change the window. The
    // environment still chooses the platform, as a desktop expects; only where the first platform
    // Qt would try cannot work is Qt told the one that can, as -platform, so that nothing the
    // program starts inherits the choice.
    char navn[] = "kroppstall";
    char plattformvalg[] = "-platform";

    Skriftoppsett skrifter;
    auto skjerm = std::make_unique<kroppstall::app::Skjermsjekk>();
    if (!skjerm->Feil().empty()) {
        std::fprintf(stderr, "%s\n", skjerm->Feil().c_str());
        return 1;
    }
    std::string plattform = skjerm->Plattform();
    const bool valgt = !plattform.empty();
    int qtArgc = valgt ? 3 : 1;
    char* qtArgv[] = {argc > 0 && argv[0] != nullptr ? argv[0] : navn, valgt ? plattformvalg : nullptr,
                      valgt ? plattform.data() : nullptr, nullptr};
    QApplication app(qtArgc, qtArgv);
    skjerm.reset();
    skrifter.Vent();
    QApplication::setStyle(new kroppstall::qt::Stil);
    QApplication::setApplicationName(QString::fromUtf8(kroppstall::versjon::Produktnavn));
    QApplication::setApplicationDisplayName(QString::fromUtf8(kroppstall::versjon::Produktnavn));
    QApplication::setApplicationVersion(QString::fromUtf8(kroppstall::versjon::Tekst));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(kroppstall::versjon::AppId));

    // Built from the icon script's pixel tables: nothing to decode at start-up.
    namespace bilder = kroppstall::bilder;
    using kroppstall::qt::Bilde;
    QIcon ikon;
    ikon.addPixmap(Bilde<bilder::Bilde16Side>(bilder::Bilde16));
    ikon.addPixmap(Bilde<bilder::Bilde32Side>(bilder::Bilde32));
    ikon.addPixmap(Bilde<bilder::Bilde48Side>(bilder::Bilde48));
    QApplication::setWindowIcon(ikon);
    kroppstall::qt::Ressurser ressurser{ikon, {{{kroppstall::form::Navn::Image1}, ikon}}};

    const auto vindu = kroppstall::qt::LagHovedvindu(std::move(ressurser));
    return kroppstall::form::KjorProgram(*vindu, &kroppstall::qt::Tallformat,
                                         {kroppstall::versjon::Epost, kroppstall::versjon::Hjemmeside});
}
