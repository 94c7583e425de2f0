#include "kroppstall/form/farge.h"
#include "kroppstall/qt/hovedvindu.h"
#include "kroppstall/versjon.h"
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

QMessageBox::Icon Ikon(int style) {
    switch (style & 0x70) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

void Hovedvindu::Mangler(Id id, bool finnes) {
    throw Kjoretidsfeil("Kontrollen " + form::IdTekst(id) +
                        (finnes ? " har ikke denne egenskapen" : " finnes ikke"));
}

std::string Hovedvindu::LesTekst(Id boks) {
    return Utf8(Finn<QLineEdit>(boks)->text());
}

void Hovedvindu::SkrivTekst(Id boks, std::string_view tekst) {
    auto* felt = Finn<QLineEdit>(boks);
    if (auto* visning = dynamic_cast<Visningsboks*>(felt)) {
        visning->Vis(Tekst(tekst));
    } else {
        felt->setText(Tekst(tekst));
    }
}

void Hovedvindu::SkrivCaption(Id kontroll, std::string_view caption) {
    if (QAction* punkt = Meny(kontroll)) {
        punkt->setText(Tekst(caption));
    } else if (auto* etikett = qobject_cast<QLabel*>(Kontroll(kontroll))) {
        etikett->setText(Tekst(caption)); // fitted when built, to every caption it can show
    } else {
        Finn<QAbstractButton>(kontroll)->setText(Tekst(caption));
    }
}

void Hovedvindu::SkrivEnabled(Id kontroll, bool enabled) {
    if (QAction* punkt = Meny(kontroll)) {
        punkt->setEnabled(enabled);
    } else {
        Finn<QWidget>(kontroll)->setEnabled(enabled);
    }
}

bool Hovedvindu::LesValue(Id option) {
    return Finn<QRadioButton>(option)->isChecked();
}

void Hovedvindu::SkrivBackColor(Id kontroll, form::Farge farge) {
    auto* w = Finn<QWidget>(kontroll);
    QPalette pal = w->palette();
    pal.setColor(w->backgroundRole(), Farge(farge));
    if (const form::Kontroll* k = form::FinnKontroll(kontroll);
        k != nullptr && k->type == form::Type::TextBox) {
        // The greyed text of a box that only shows results is kept readable on its new background.
        pal.setColor(QPalette::Disabled, QPalette::Text,
                     QtFarge(form::Visningstekst(Rgb(Farge(k->ForeColor)), Rgb(Farge(k->BackColor)),
                                                 Rgb(Farge(farge)))));
    }
    w->setPalette(pal);
}

form::Vindushandtak Hovedvindu::HWnd() {
    return static_cast<form::Vindushandtak>(winId());
}

form::AppInfo Hovedvindu::App() {
    return {static_cast<std::int16_t>(versjon::Major), static_cast<std::int16_t>(versjon::Minor),
            static_cast<std::int16_t>(versjon::Revision), versjon::Opphavsrett};
}

void Hovedvindu::Unload() {
    close();
}

void Hovedvindu::MsgBox(std::string_view prompt, int style) {
    if ((style & 0x7) != 0) {
        throw Kjoretidsfeil("Bare OK-knappen er støttet i meldingsbokser");
    }
    QMessageBox boks(Ikon(style), Tekst(versjon::Produktnavn), Tekst(prompt), QMessageBox::Ok, this);
    boks.exec();
}

} // namespace kroppstall::qt
