#include "kroppstall/form/erstatninger.h"

#include <array>

namespace kroppstall::form {

namespace {

// Liberation Sans, Arial, Nimbus Sans and FreeSans share Arial's widths; Microsoft Sans Serif's are
// close to them. Tahoma is narrower, but it is the face every Windows has.
constexpr std::array<Erstatning, 6> SansSerifErstatninger{{
    {"Liberation Sans"},
    {"Arial", true},
    {"Nimbus Sans"},
    {"FreeSans"},
    {"DejaVu Sans"},
    {"Tahoma", true},
}};
constexpr std::array<Erstatning, 5> TahomaErstatninger{{
    {"Liberation Sans"},
    {"Arial", true},
    {"Nimbus Sans"},
    {"FreeSans"},
    {"DejaVu Sans"},
}};

} // namespace

std::span<const Erstatning> Erstatninger(std::string_view familie) {
    if (familie == "Microsoft Sans Serif") {
        return SansSerifErstatninger;
    }
    if (familie == "Tahoma") {
        return TahomaErstatninger;
    }
    return {};
}

} // namespace kroppstall::form
