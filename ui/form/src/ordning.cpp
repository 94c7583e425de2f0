#include "kroppstall/form/ordning.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace kroppstall::form {

namespace {

std::vector<const Kontroll*> MedTabIndeks() {
    std::vector<const Kontroll*> rekke;
    for (const auto& k : Kontroller) {
        if (k.TabIndex != IngenTab) {
            rekke.push_back(&k);
        }
    }
    std::stable_sort(rekke.begin(), rekke.end(),
                     [](const Kontroll* a, const Kontroll* b) { return a->TabIndex < b->TabIndex; });
    return rekke;
}

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

bool ErVisning(const Kontroll& k) {
    return k.type == Type::TextBox && !k.Enabled && !ErBundet(k.id.navn, Hendelse::Change);
}

bool KanFokus(const Kontroll& k) {
    const bool styring =
        k.type == Type::TextBox || k.type == Type::CommandButton || k.type == Type::OptionButton;
    return styring && k.TabIndex != IngenTab && !ErVisning(k);
}

bool StarterGruppe(const Kontroll& k) {
    return std::none_of(Kontroller.begin(), Kontroller.end(), [&k](const Kontroll& a) {
        return a.id.navn == k.id.navn && a.TabIndex < k.TabIndex;
    });
}

std::vector<const Kontroll*> Tabrekke() {
    std::vector<const Kontroll*> rekke = MedTabIndeks();
    std::erase_if(rekke, [](const Kontroll* k) { return !KanFokus(*k); });
    return rekke;
}

const Kontroll* Startfokus() {
    for (const Kontroll* k : Tabrekke()) {
        if (k->Enabled) {
            return k;
        }
    }
    return nullptr;
}

std::vector<const Kontroll*> Leserekke() {
    std::vector<const Kontroll*> rekke;
    for (const auto& k : Kontroller) {
        if (k.TabIndex != IngenTab) {
            rekke.push_back(&k);
        }
    }
    std::stable_sort(rekke.begin(), rekke.end(),
                     [](const Kontroll* a, const Kontroll* b) { return a->Rekt.Top < b->Rekt.Top; });
    for (auto rad = rekke.begin(); rad != rekke.end();) {
        int bunn = (*rad)->Rekt.Top + (*rad)->Rekt.Height;
        auto slutt = std::next(rad);
        for (; slutt != rekke.end() && (*slutt)->Rekt.Top < bunn; ++slutt) {
            bunn = std::max(bunn, (*slutt)->Rekt.Top + (*slutt)->Rekt.Height);
        }
        std::stable_sort(rad, slutt,
                         [](const Kontroll* a, const Kontroll* b) { return a->Rekt.Left < b->Rekt.Left; });
        rad = slutt;
    }
    return rekke;
}

std::vector<const Kontroll*> Opprettelsesrekke() {
    std::vector<const Kontroll*> rekke = MedTabIndeks();
    const auto plass = [&rekke](Navn n) {
        return std::find_if(rekke.begin(), rekke.end(), [n](const Kontroll* k) { return k->id == Id{n}; });
    };
    for (const auto& e : Etiketter) {
        const auto etikett = plass(e.label);
        if (etikett == rekke.end() || plass(e.boks) == rekke.end()) {
            continue;
        }
        const Kontroll* label = *etikett;
        rekke.erase(etikett);
        rekke.insert(plass(e.boks), label);
    }
    return rekke;
}

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
