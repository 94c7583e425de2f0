#include "kroppstall/form/erstatninger.h"
#include "kroppstall/form/kjoretid.h"
#include "kroppstall/form/ordning.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kroppstall::form {
namespace {

template <class Rekke>
std::vector<std::string> Navnene(const Rekke& rekke) {
    std::vector<std::string> ut;
    std::transform(rekke.begin(), rekke.end(), std::back_inserter(ut),
                   [](const Kontroll* k) { return IdTekst(k->id); });
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
    EXPECT_EQ(Navnene(GetParam().rekke), GetParam().forventet);
}

INSTANTIATE_TEST_SUITE_P(
    Window, Orders,
    ::testing::Values(
        // Tab moves among the boxes, the button and the options; never to labels or display boxes.
        Rekkefolge{"tab",
                   {Tabrekke.begin(), Tabrekke.end()},
                   {"txtHoyde(0)", "txtVekt(0)", "cmdRegn(0)", "Option1(0)", "Option1(1)"}},
        // Rows from the top, left to right; each label before its box; the heading before the lines.
        Rekkefolge{"reading",
                   {Leserekke.begin(), Leserekke.end()},
                   {"lblHoyde(0)", "txtHoyde(0)", "lblVekt(0)", "txtVekt(0)", "cmdRegn(0)", "lblBmi(0)",
                    "txtBmi(0)", "lblVurdering(0)", "txtVurdering(0)", "Option1(0)", "Option1(1)",
                    "Label2(5)", "Label2(0)", "Label2(1)", "Label2(2)", "Label2(3)", "Label2(4)"}},
        // Tab index order, except that each label comes right before the box it names.
        Rekkefolge{"creation",
                   {Opprettelsesrekke.begin(), Opprettelsesrekke.end()},
                   {"lblHoyde(0)", "txtHoyde(0)", "lblVekt(0)", "txtVekt(0)", "lblBmi(0)", "txtBmi(0)",
                    "lblVurdering(0)", "txtVurdering(0)", "cmdRegn(0)", "Label2(0)", "Label2(1)", "Label2(2)",
                    "Label2(3)", "Label2(5)", "Label2(4)", "Option1(0)", "Option1(1)"}}),
    [](const ::testing::TestParamInfo<Rekkefolge>& i) { return std::string(i.param.navn); });

TEST(Controls, OnlyTheResultBoxesAreDisplaysAndFocusStartsInTheHeightBox) {
    std::vector<std::string> visning, gruppestart;
    for (const auto& k : Kontroller) {
        if (ErVisning(k)) {
            visning.push_back(IdTekst(k.id));
        }
        if (k.type == Type::OptionButton && StarterGruppe(k)) {
            gruppestart.push_back(IdTekst(k.id));
        }
    }
    EXPECT_EQ(visning, (std::vector<std::string>{"txtVurdering(0)", "txtBmi(0)"}));
    EXPECT_EQ(gruppestart, std::vector<std::string>{"Option1(0)"});
    EXPECT_EQ(IdTekst(Startfokus->id), "txtHoyde(0)");
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
