#pragma once

#include "kroppstall/form/kjoretid.h"
#include "kroppstall/form/layout.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>

namespace kroppstall::form {

// What both backends read off the layout tables, each fact in one place. The orders are worked out
// when the program is compiled: they are data, pointers into Kontroller.

// A text box that only shows what the program writes: no Change handler, and disabled from the start.
constexpr bool ErVisning(const Kontroll& k) {
    return k.type == Type::TextBox && !k.Enabled && !ErBundet(k.id.navn, Hendelse::Change);
}

// Can ever hold the focus: input boxes, buttons and options; labels and display boxes never do.
constexpr bool KanFokus(const Kontroll& k) {
    const bool styring =
        k.type == Type::TextBox || k.type == Type::CommandButton || k.type == Type::OptionButton;
    return styring && k.TabIndex != IngenTab && !ErVisning(k);
}

// The first option of its control array by tab index: where the option group starts.
constexpr bool StarterGruppe(const Kontroll& k) {
    return std::none_of(Kontroller.begin(), Kontroller.end(), [&k](const Kontroll& a) {
        return a.id.navn == k.id.navn && a.TabIndex < k.TabIndex;
    });
}

namespace detail {

// Stable: equal keys keep the table's order.
template <class Iterator, class For>
constexpr void Sorter(Iterator fra, Iterator til, For foran) {
    for (auto i = fra; i != til; ++i) {
        std::rotate(std::upper_bound(fra, i, *i, foran), i, std::next(i));
    }
}

template <class Hvilke>
constexpr std::size_t Antall(Hvilke hvilke) {
    return static_cast<std::size_t>(std::count_if(Kontroller.begin(), Kontroller.end(), hvilke));
}

constexpr bool HarTabIndeks(const Kontroll& k) {
    return k.TabIndex != IngenTab;
}

// The controls that `hvilke` picks, in the order `foran` puts them.
template <std::size_t N, class Hvilke, class For>
constexpr std::array<const Kontroll*, N> Utvalg(Hvilke hvilke, For foran) {
    std::array<const Kontroll*, N> rekke{};
    std::size_t n = 0;
    for (const auto& k : Kontroller) {
        if (hvilke(k)) {
            rekke[n++] = &k;
        }
    }
    Sorter(rekke.begin(), rekke.end(), foran);
    return rekke;
}

constexpr bool EtterTabIndeks(const Kontroll* a, const Kontroll* b) {
    return a->TabIndex < b->TabIndex;
}

inline constexpr std::size_t AntallMedTabIndeks = Antall(HarTabIndeks);

constexpr auto LagTabrekke() {
    return Utvalg<Antall(KanFokus)>(KanFokus, EtterTabIndeks);
}

constexpr auto LagLeserekke() {
    auto rekke = Utvalg<AntallMedTabIndeks>(
        HarTabIndeks, [](const Kontroll* a, const Kontroll* b) { return a->Rekt.Top < b->Rekt.Top; });
    for (auto rad = rekke.begin(); rad != rekke.end();) {
        int bunn = (*rad)->Rekt.Top + (*rad)->Rekt.Height;
        auto slutt = std::next(rad);
        for (; slutt != rekke.end() && (*slutt)->Rekt.Top < bunn; ++slutt) {
            bunn = std::max(bunn, (*slutt)->Rekt.Top + (*slutt)->Rekt.Height);
        }
        Sorter(rad, slutt, [](const Kontroll* a, const Kontroll* b) { return a->Rekt.Left < b->Rekt.Left; });
        rad = slutt;
    }
    return rekke;
}

constexpr auto LagOpprettelsesrekke() {
    auto rekke = Utvalg<AntallMedTabIndeks>(HarTabIndeks, EtterTabIndeks);
    const auto plass = [&rekke](Navn n) {
        return std::find_if(rekke.begin(), rekke.end(), [n](const Kontroll* k) { return k->id == Id{n}; });
    };
    for (const auto& e : Etiketter) {
        const auto etikett = plass(e.label), boks = plass(e.boks);
        if (etikett == rekke.end() || boks == rekke.end()) {
            continue;
        }
        if (etikett < boks) {
            std::rotate(etikett, std::next(etikett), boks); // the label moves up to just before the box
        } else {
            std::rotate(boks, etikett, std::next(etikett)); // the label moves back to the box's place
        }
    }
    return rekke;
}

} // namespace detail

// The Image control that `id` names. The program hands the backend its pictures by id: one for
// anything else is a fault of its start-up, reported as a run-time error.
inline const Kontroll& Bildekontroll(Id id) {
    const Kontroll* k = FinnKontroll(id);
    if (k == nullptr || k->type != Type::Image) {
        throw Kjoretidsfeil("Kontrollen " + IdTekst(id) + " kan ikke vise et bilde");
    }
    return *k;
}

// The controls that can hold the focus, by rising tab index: the order Tab moves in.
inline constexpr auto Tabrekke = detail::LagTabrekke();
// Where the focus starts: the first enabled control of the tab order.
inline constexpr const Kontroll* Startfokus =
    *std::find_if(Tabrekke.begin(), Tabrekke.end(), [](const Kontroll* k) { return k->Enabled; });
// Reading order for screen readers: rows from the top, where controls whose heights overlap share a
// row, left to right within a row. Shapes, lines and the picture have no tab index: decoration.
inline constexpr auto Leserekke = detail::LagLeserekke();
// Every control with a tab index by rising tab index, but each label just before the box it names:
// Windows names a box after the label created right before it, and labels take no focus.
inline constexpr auto Opprettelsesrekke = detail::LagOpprettelsesrekke();

} // namespace kroppstall::form
