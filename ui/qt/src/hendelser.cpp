#include "kroppstall/versjon.h"
#include "skjemavindu.h"
#include "tekst.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace kroppstall::qt {

int Skjemavindu::Kjor() {
    return QApplication::exec();
}

void Skjemavindu::MeldOgAvslutt(std::string_view feiltekst) {
    QMessageBox::critical(this, Tekst(versjon::Produktnavn), Tekst(feiltekst));
    hide();
    QCoreApplication::exit(1);
}

void Skjemavindu::keyPressEvent(QKeyEvent* hendelse) {
    const bool enter = hendelse->key() == Qt::Key_Return || hendelse->key() == Qt::Key_Enter;
    const bool umodifisert = (hendelse->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    // Text boxes and option buttons pass Enter on; it presses the default button while that is enabled.
    if (enter && umodifisert && standardknapp_ != nullptr && standardknapp_->isEnabled()) {
        standardknapp_->click();
        return;
    }
    QMainWindow::keyPressEvent(hendelse);
}

} // namespace kroppstall::qt
