#include "kroppstall/qt/hovedvindu.h"
#include "kroppstall/versjon.h"
#include "tekst.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace kroppstall::qt {

void Hovedvindu::Utlos(form::Id kilde, form::Hendelse hendelse) {
    if (mottaker_ != nullptr) {
        Kjor([&] { mottaker_->Utlos(kilde, hendelse); });
    }
}

void Hovedvindu::Kjor(const std::function<void()>& handling) {
    if (avsluttet_) {
        return;
    }
    form::Fang(handling, [this](const char* feil) { Standardfeil(feil); });
}

void Hovedvindu::Standardfeil(const char* melding) {
    avsluttet_ = true;
    QMessageBox::critical(this, Tekst(versjon::Produktnavn),
                          QStringLiteral("Kjøretidsfeil: ") + QString::fromUtf8(melding));
    hide();
    QCoreApplication::exit(1);
}

void Hovedvindu::keyPressEvent(QKeyEvent* hendelse) {
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
