#include "tekst.h"

#include "kroppstall/qt/hovedvindu.h"

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

NumberFormat Tallformat() {
    return Tallformat(QLocale::system());
}

} // namespace kroppstall::qt
