#pragma once

#include "kroppstall/form/layout.h"

#include <QColor>
#include <QString>
#include <string>
#include <string_view>

namespace kroppstall::qt {

// The form's texts are UTF-8; Qt's are UTF-16.
QString Tekst(std::string_view s);
std::string Utf8(const QString& s);

// The caption as shown: "&&" stands for one ampersand; a single one only marks the access key.
QString UtenAksesstegn(QString tekst);

// Between the layout's RGB colours and Qt's.
form::Farge Rgb(const QColor& farge);
QColor QtFarge(form::Farge rgb);

} // namespace kroppstall::qt
