#pragma once

#include "kroppstall/form/layout.h"

#include <QColor>

namespace kroppstall::qt {

// Between the layout's RGB colours and Qt's.
form::Farge Rgb(const QColor& farge);
QColor QtFarge(form::Farge rgb);

// The layout's system colours are the application palette's roles: window background is the text
// fields' Base, window text their Text, button face the Window and button text the ButtonText.
form::Farge Systemfarge(form::Farge systemfarge);

// A colour of the layout as Qt draws it, system colours resolved.
QColor Farge(form::Farge farge);

} // namespace kroppstall::qt
