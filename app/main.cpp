#include "kroppstall/form/frmBmi.h"
#include "kroppstall/qt/hovedvindu.h"
#include "kroppstall/versjon.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[]) {
    // QApplication takes Qt's own options; every other argument is ignored.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kroppstall::versjon::Produktnavn));
    QApplication::setApplicationDisplayName(QString::fromUtf8(kroppstall::versjon::Produktnavn));
    QApplication::setApplicationVersion(QString::fromUtf8(kroppstall::versjon::Tekst));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(kroppstall::versjon::AppId));

    QIcon ikon;
    for (const int storrelse : {16, 32, 48}) {
        ikon.addFile(QStringLiteral(":/icons/kroppstall-%1.png").arg(storrelse), QSize(storrelse, storrelse));
    }
    QApplication::setWindowIcon(ikon);
    kroppstall::qt::Ressurser ressurser{
        ikon, {{{kroppstall::form::Navn::Image1}, QPixmap(QStringLiteral(":/icons/bilde-16.png"))}}};

    // Read once, so that the enable check and the calculation always use the same format.
    const kroppstall::NumberFormat format = kroppstall::qt::Tallformat(QLocale::system());

    kroppstall::qt::Hovedvindu vindu(std::move(ressurser));
    kroppstall::form::frmBmi form(vindu, format,
                                  {kroppstall::versjon::Epost, kroppstall::versjon::Hjemmeside});
    vindu.Start(form);
    if (vindu.Avsluttet()) {
        return 1;
    }
    vindu.VisMidtstilt();
    return QApplication::exec();
}
