#include "tekst.h"

#include "kroppstall/qt/hovedvindu.h"

#include <algorithm>

namespace kroppstall::qt {

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

NumberFormat Tallformat(const QLocale& locale) {
    return {Utf8(locale.decimalPoint()), Utf8(locale.groupSeparator())};
}

QValidator::State Enlinje::validate(QString& tekst, int& markor) const {
    const auto slutt = tekst.cbegin() + std::clamp<qsizetype>(markor, 0, tekst.size());
    const auto brudd = std::find_if(tekst.cbegin(), slutt, [](QChar c) { return c == u'\r' || c == u'\n'; });
    if (brudd != slutt) {
        markor = static_cast<int>(brudd - tekst.cbegin());
        tekst.remove(markor, slutt - brudd);
    }
    return Acceptable;
}

NumberFormat Tallformat() {
    return Tallformat(QLocale::system());
}

} // namespace kroppstall::qt
