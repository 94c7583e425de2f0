#include "kroppstall/form/farge.h"
#include "kroppstall/form/kjoretid.h"

#include <gtest/gtest.h>
#include <utility>

namespace kroppstall::form {
namespace {

struct Par {
    const char* navn;
    Farge tekst, bakgrunn;
};

void PrintTo(const Par& p, std::ostream* os) {
    *os << p.navn;
}

class Readable : public ::testing::TestWithParam<Par> {};

// Enough contrast, and not much more of a change than it takes: for text, and for edges.
TEST_P(Readable, ReachesTheRatioWithTheLeastChange) {
    const Par& p = GetParam();
    for (const auto& [regel, minste] : {std::pair{&Lesbar, MinsteKontrast}, {&Synlig, MinsteKantkontrast}}) {
        const Farge ut = regel(p.tekst, p.bakgrunn);
        EXPECT_GE(Kontrast(ut, p.bakgrunn), minste);
        if (Kontrast(p.tekst, p.bakgrunn) >= minste) {
            EXPECT_EQ(ut, p.tekst);
        } else {
            const Farge mal = Kontrast(0, p.bakgrunn) >= Kontrast(Hvit, p.bakgrunn) ? Farge{0} : Hvit;
            if (ut != mal) { // black or white is as far as it can go
                EXPECT_GE(Kontrast(ut, p.bakgrunn), minste + Lesemargin);
            }
            EXPECT_LT(Kontrast(ut, p.bakgrunn), minste + Lesemargin + 0.2);
            EXPECT_LT(Kontrast(ut, mal), Kontrast(p.tekst, mal)); // moved towards black or white, not away
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Schemes, Readable,
    ::testing::Values(Par{"black_on_white", 0, Hvit},
                      Par{"light_grey_on_result_grey", Rgb(0xA6, 0xA6, 0xA6), Rgb(248, 248, 248)},
                      Par{"dark_theme_text_on_white_fill", Rgb(0xEE, 0xEE, 0xEC), Hvit},
                      Par{"high_contrast_yellow_on_white", Rgb(255, 255, 0), Hvit},
                      Par{"high_contrast_green_on_result_grey", Rgb(0x3F, 0xF2, 0x3F), Rgb(248, 248, 248)},
                      Par{"grey_on_black", Rgb(0x60, 0x60, 0x60), 0},
                      Par{"mid_grey_text_on_mid_grey", Rgb(0x80, 0x80, 0x80), Rgb(0x77, 0x77, 0x77)},
                      Par{"dark_theme_edge_on_window", Rgb(0x23, 0x23, 0x23), Rgb(0x32, 0x32, 0x32)},
                      Par{"light_edge_on_light_grey", Rgb(0x9F, 0x9F, 0x9F), Rgb(0xEF, 0xEF, 0xEF)}),
    [](const ::testing::TestParamInfo<Par>& i) { return std::string(i.param.navn); });

TEST(ResultText, IsWindowsGreyForBlackOnWhiteAndReadableOnTheResultBoxes) {
    EXPECT_EQ(Visningstekst(0, Hvit, Rgb(248, 248, 248)), Rgb(0x6D, 0x6D, 0x6D));
    EXPECT_GE(Kontrast(Visningstekst(Hvit, Rgb(0x24, 0x24, 0x24), Rgb(248, 248, 248)), Rgb(248, 248, 248)),
              MinsteKontrast);
}

TEST(Underlay, TheLimitLinesAndHeadingLieOnTheWhiteBoxAndNothingElseLiesOnAFill) {
    for (const auto& k : Kontroller) {
        const Kontroll* u = Underlag(k);
        if (k.id.navn == Navn::Label2) {
            ASSERT_NE(u, nullptr) << IdTekst(k.id);
            EXPECT_EQ(u->id.navn, Navn::Shape2);
            EXPECT_EQ(u->FillColor, Hvit);
        } else {
            EXPECT_EQ(u, nullptr) << IdTekst(k.id);
        }
    }
}

} // namespace
} // namespace kroppstall::form
