#include "kroppstall/form/layout.h"

namespace kroppstall::form {

std::string_view NavnTekst(Navn navn) {
    switch (navn) {
    case Navn::frmBmi:
        return "frmBmi";
    case Navn::Option1:
        return "Option1";
    case Navn::cmdRegn:
        return "cmdRegn";
    case Navn::txtVurdering:
        return "txtVurdering";
    case Navn::txtBmi:
        return "txtBmi";
    case Navn::txtVekt:
        return "txtVekt";
    case Navn::txtHoyde:
        return "txtHoyde";
    case Navn::Image1:
        return "Image1";
    case Navn::Label2:
        return "Label2";
    case Navn::Line2:
        return "Line2";
    case Navn::Line1:
        return "Line1";
    case Navn::Shape1:
        return "Shape1";
    case Navn::lblVurdering:
        return "lblVurdering";
    case Navn::lblBmi:
        return "lblBmi";
    case Navn::lblVekt:
        return "lblVekt";
    case Navn::lblHoyde:
        return "lblHoyde";
    case Navn::Shape2:
        return "Shape2";
    case Navn::mnuFil:
        return "mnuFil";
    case Navn::mnuFilAvslutt:
        return "mnuFilAvslutt";
    case Navn::mnuOm:
        return "mnuOm";
    case Navn::mnuOmD:
        return "mnuOmD";
    }
    return "?";
}

} // namespace kroppstall::form
