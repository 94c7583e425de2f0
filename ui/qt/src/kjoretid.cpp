#include "farger.h"
#include "kroppstall/form/farge.h"
#include "kroppstall/versjon.h"
#include "skjemavindu.h"
#include "tegning.h"
#include "tekst.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>

namespace kroppstall::qt {

using form::Id;
using form::Kjoretidsfeil;

namespace {

QMessageBox::Icon Ikon(form::Meldingsikon ikon) {
    switch (ikon) {
    case form::Meldingsikon::Stopp:
        return QMessageBox::Critical;
    case form::Meldingsikon::Sporsmal:
        return QMessageBox::Question;
    case form::Meldingsikon::Utrop:
        return QMessageBox::Warning;
    case form::Meldingsikon::Informasjon:
        return QMessageBox::Information;
    case form::Meldingsikon::Ingen:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void Skjemavindu::Mangler(Id id, bool finnes) {
    throw Kjoretidsfeil("Kontrollen " + form::IdTekst(id) +
                        (finnes ? " har ikke denne egenskapen" : " finnes ikke"));
}

std::string Skjemavindu::LesTekst(Id boks) {
    return Utf8(Finn<QLineEdit>(boks)->text());
}

void Skjemavindu::SkrivTekst(Id boks, std::string_view tekst) {
    auto* felt = Finn<QLineEdit>(boks);
    if (auto* visning = dynamic_cast<Visningsboks*>(felt)) {
        visning->Vis(Tekst(tekst));
    } else {
        felt->setText(Tekst(tekst));
    }
}

void Skjemavindu::SkrivCaption(Id kontroll, std::string_view caption) {
    if (QAction* punkt = Meny(kontroll)) {
        punkt->setText(Tekst(caption));
    } else if (auto* etikett = qobject_cast<QLabel*>(Kontroll(kontroll))) {
        etikett->setText(Tekst(caption)); // fitted when built, to every caption it can show
    } else {
        Finn<QAbstractButton>(kontroll)->setText(Tekst(caption));
    }
}

void Skjemavindu::SkrivEnabled(Id kontroll, bool enabled) {
    if (QAction* punkt = Meny(kontroll)) {
        punkt->setEnabled(enabled);
    } else {
        Finn<QWidget>(kontroll)->setEnabled(enabled);
    }
}

bool Skjemavindu::LesValue(Id option) {
    return Finn<QRadioButton>(option)->isChecked();
}

void Skjemavindu::SkrivBackColor(Id kontroll, form::Farge farge) {
    auto* w = Finn<QWidget>(kontroll);
    static_cast<void>(form::Los(farge, &Systemfarge)); // an unknown system colour fails here
    if (const form::Kontroll* k = form::FinnKontroll(kontroll); k != nullptr && TypeFor(k->type).viserTekst) {
        Fargelegg(*w, *k, farge);
    }
}

form::Vindushandtak Skjemavindu::HWnd() {
    return static_cast<form::Vindushandtak>(winId());
}

form::AppInfo Skjemavindu::App() {
    return {static_cast<std::int16_t>(versjon::Major), static_cast<std::int16_t>(versjon::Minor),
            static_cast<std::int16_t>(versjon::Revision), versjon::Opphavsrett};
}

void Skjemavindu::Unload() {
    close();
}

void Skjemavindu::MsgBox(std::string_view prompt, int style) {
    QMessageBox boks(Ikon(form::MsgBoxIkon(style)), Tekst(versjon::Produktnavn), Tekst(prompt),
                     QMessageBox::Ok, this);
    boks.exec();
}

} // namespace kroppstall::qt
