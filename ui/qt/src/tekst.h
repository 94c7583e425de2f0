#pragma once

#include "kroppstall/talltekst.h"

#include <QLocale>
#include <QString>
#include <string>
#include <string_view>

namespace kroppstall::qt {

// The form's texts are UTF-8; Qt's are UTF-16.
QString Tekst(std::string_view s);
std::string Utf8(const QString& s);

// The caption as shown: "&&" stands for one ampersand; a single one only marks the access key.
QString UtenAksesstegn(QString tekst);

// The number format of a Qt locale, with UTF-8 separators.
NumberFormat Tallformat(const QLocale& locale);

} // namespace kroppstall::qt
