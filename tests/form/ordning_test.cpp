#include "kroppstall/form/erstatninger.h"
#include "kroppstall/form/ordning.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kroppstall::form {
namespace {

std::string Navn(const Kontroll* k) {
    std::string n(NavnTekst(k->id.navn));
    return k->id.navn == Navn::Label2 || k->id.navn == Navn::Option1 ? n + std::to_string(k->id.indeks) : n;
}

template <class Rekke>
std::vector<std::string> Navn(const Rekke& rekke) {
    std::vector<std::string> ut;
    std::transform(rekke.begin(), rekke.end(), std::back_inserter(ut),
                   [](const Kontroll* k) { return Navn(k); });
    return ut;
}

struct Rekkefolge {
    const char* navn;
    std::vector<const Kontroll*> rekke;
    std::vector<std::string> forventet;
};

void PrintTo(const Rekkefolge& r, std::ostream* os) {
    *os << r.navn;
}

class Orders : public ::testing::TestWithParam<Rekkefolge> {};

TEST_P(Orders, FollowFromTheLayoutTables) {
    EXPECT_EQ(Navn(GetParam().rekke), GetParam().forventet);
}

INSTANTIATE_TEST_SUITE_P(
    Window, Orders,
    ::testing::Values(
        // Tab moves among the boxes, the button and the options; never to labels or display boxes.
        Rekkefolge{"tab",
                   {Tabrekke.begin(), Tabrekke.end()},
                   {"txtHoyde", "txtVekt", "cmdRegn", "Option10", "Option11"}},
        // Rows from the top, left to right; each label before its box; the heading before the lines.
        Rekkefolge{"reading",
                   {Leserekke.begin(), Leserekke.end()},
                   {"lblHoyde", "txtHoyde", "lblVekt", "txtVekt", "cmdRegn", "lblBmi", "txtBmi",
                    "lblVurdering", "txtVurdering", "Option10", "Option11", "Label25", "Label20", "Label21",
                    "Label22", "Label23", "Label24"}},
        // Tab index order, except that each label comes right before the box it names.
        Rekkefolge{"creation",
                   {Opprettelsesrekke.begin(), Opprettelsesrekke.end()},
                   {"lblHoyde", "txtHoyde", "lblVekt", "txtVekt", "lblBmi", "txtBmi", "lblVurdering",
                    "txtVurdering", "cmdRegn", "Label20", "Label21", "Label22", "Label23", "Label25",
                    "Label24", "Option10", "Option11"}}),
    [](const ::testing::TestParamInfo<Rekkefolge>& i) { return std::string(i.param.navn); });

TEST(Controls, OnlyTheResultBoxesAreDisplaysAndFocusStartsInTheHeightBox) {
    std::vector<std::string> visning, gruppestart;
    for (const auto& k : Kontroller) {
        if (ErVisning(k)) {
            visning.push_back(Navn(&k));
        }
        if (k.type == Type::OptionButton && StarterGruppe(k)) {
            gruppestart.push_back(Navn(&k));
        }
    }
    EXPECT_EQ(visning, (std::vector<std::string>{"txtVurdering", "txtBmi"}));
    EXPECT_EQ(gruppestart, std::vector<std::string>{"Option10"});
    EXPECT_EQ(Navn(Startfokus), "txtHoyde");
}

TEST(Fonts, EveryFaceTheWindowNamesHasAStandInThatWindowsShips) {
    std::vector<std::string_view> flater{FrmBmi.Font.Familie};
    for (const auto& k : Kontroller) {
        if (k.Font) {
            flater.push_back(k.Font->Familie);
        }
    }
    for (const std::string_view flate : flater) {
        const auto e = Erstatninger(flate);
        EXPECT_TRUE(std::any_of(e.begin(), e.end(), [](const Erstatning& x) { return x.FolgerMedWindows; }))
            << flate;
        EXPECT_TRUE(
            std::none_of(e.begin(), e.end(), [flate](const Erstatning& x) { return x.Familie == flate; }))
            << flate << " stands in for itself";
    }
    EXPECT_TRUE(Erstatninger("Courier New").empty());
}

} // namespace
} // namespace kroppstall::form
