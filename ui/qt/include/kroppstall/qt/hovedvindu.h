#pragma once

#include "kroppstall/core.h"
#include "kroppstall/form/vert.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>

namespace kroppstall::qt {

// Pictures come from the program, which embeds them; the backend only places them.
struct Ressurser {
    QIcon ikon;
    // For the layout's Image controls: one picture at several sizes, of which the control draws the
    // largest that fits its device pixels.
    std::map<form::Id, QIcon> bilder;
};

// A square picture from a table of 0xAARRGGBB words, top row first. That is QImage's own ARGB32
// layout, so nothing is decoded: no image reader and none of its plugins are needed.
template <int Side, std::size_t N>
QPixmap Bilde(const std::array<std::uint32_t, N>& punkter) {
    static_assert(N == std::size_t{Side} * Side, "a square picture, Side words a row");
    return QPixmap::fromImage(
        QImage(reinterpret_cast<const uchar*>(punkter.data()), Side, Side, QImage::Format_ARGB32));
}

// The user's number format, read from the system's locale, with UTF-8 separators.
NumberFormat Tallformat();

// The one window, built from the layout tables only, standing in for the forms run-time: run it
// with form::KjorProgram.
std::unique_ptr<form::Vert> LagHovedvindu(Ressurser ressurser);

} // namespace kroppstall::qt
