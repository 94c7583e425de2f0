#pragma once

#include "kroppstall/talltekst.h"

#include <QLocale>
#include <QString>
#include <QValidator>
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

// What a single-line box keeps of an insertion, as Windows' edit boxes do: the inserted text up to
// its first line break, so that "80" copied with its newline pastes as "80". Every way in (keys,
// menu, middle click, drop, a screen reader) ends in the box's validator, with the cursor after
// the insertion; the box's own text never holds a line break.
class Enlinje final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& tekst, int& markor) const override;
};

} // namespace kroppstall::qt
