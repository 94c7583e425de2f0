#include "tekst.h"

#include "kroppstall/qt/hovedvindu.h"

#include <QApplication>
#include <QLocale>
#include <QPalette>

namespace kroppstall::qt {

using form::Kjoretidsfeil;

QString Tekst(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string Utf8(const QString& s) {
    return s.toUtf8().toStdString();
}

QString UtenAksesstegn(QString tekst) {
    QString ut;
    for (qsizetype i = 0; i < tekst.size(); ++i) {
        if (tekst[i] == u'&' && i + 1 < tekst.size()) {
            ++i;
        }
        ut += tekst[i];
    }
    return ut;
}

form::Farge Rgb(const QColor& farge) {
    return form::Rgb(static_cast<std::uint32_t>(farge.red()), static_cast<std::uint32_t>(farge.green()),
                     static_cast<std::uint32_t>(farge.blue()));
}

QColor QtFarge(form::Farge rgb) {
    return {static_cast<int>(rgb & 0xFFu), static_cast<int>((rgb >> 8) & 0xFFu),
            static_cast<int>((rgb >> 16) & 0xFFu)};
}

NumberFormat Tallformat(const QLocale& locale) {
    return {Utf8(locale.decimalPoint()), Utf8(locale.groupSeparator())};
}

// The layout's system colours are the palette's roles: window background is the text fields' Base,
// window text their Text, button face the Window and button text the ButtonText.
QColor Hovedvindu::Farge(form::Farge farge) const {
    if (!form::ErSystemFarge(farge)) {
        return QtFarge(farge);
    }
    const QPalette pal = QApplication::palette();
    switch (farge) {
    case form::Vindusbakgrunn:
        return pal.color(QPalette::Base);
    case form::Vindustekst:
        return pal.color(QPalette::Text);
    case form::Knappeflate:
        return pal.color(QPalette::Window);
    case form::Knappetekst:
        return pal.color(QPalette::ButtonText);
    default:
        throw Kjoretidsfeil("Ugyldig fargeverdi");
    }
}

} // namespace kroppstall::qt
