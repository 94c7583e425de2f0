#include "farger.h"

#include "kroppstall/form/farge.h"

#include <QApplication>
#include <QPalette>

namespace kroppstall::qt {

form::Farge Rgb(const QColor& farge) {
    return form::Rgb(static_cast<std::uint32_t>(farge.red()), static_cast<std::uint32_t>(farge.green()),
                     static_cast<std::uint32_t>(farge.blue()));
}

QColor QtFarge(form::Farge rgb) {
    return {static_cast<int>(rgb & 0xFFu), static_cast<int>((rgb >> 8) & 0xFFu),
            static_cast<int>((rgb >> 16) & 0xFFu)};
}

form::Farge Systemfarge(form::Farge systemfarge) {
    const QPalette pal = QApplication::palette();
    switch (systemfarge) {
    case form::Vindusbakgrunn:
        return Rgb(pal.color(QPalette::Base));
    case form::Vindustekst:
        return Rgb(pal.color(QPalette::Text));
    case form::Knappetekst:
        return Rgb(pal.color(QPalette::ButtonText));
    default:
        return Rgb(pal.color(QPalette::Window)); // button face
    }
}

QColor Farge(form::Farge farge) {
    return QtFarge(form::Los(farge, &Systemfarge));
}

} // namespace kroppstall::qt
