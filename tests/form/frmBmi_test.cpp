#include "kroppstall/form/frmBmi.h"
#include "opptaker.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kroppstall::form {
namespace {

using Logg = std::vector<std::string>;
using test::Opptaker;

const Kontakt Tindrel{"tindrel@example.org", "https://tindrel.example.org/"};

enum class Format { Norsk, Engelsk };

NumberFormat Lag(Format f) {
    return f == Format::Norsk ? NumberFormat::Norsk() : NumberFormat::Engelsk();
}

struct Vindu {
    Opptaker rt;
    frmBmi form;

    explicit Vindu(Format f = Format::Norsk) : form(rt, Lag(f), Tindrel) {}

    void Skriv(const std::string& vekt, const std::string& hoyde) {
        rt.e.tekst[{Navn::txtVekt}] = vekt;
        rt.e.tekst[{Navn::txtHoyde}] = hoyde;
    }
    void Velg(bool kg) { rt.e.value[{Navn::Option1, 1}] = kg; }
    Logg Ta() { return rt.Ta(); }
};

Logg Sjekk(const std::string& verdi) {
    return {"LesTekst txtVekt(0)", "LesTekst txtHoyde(0)", "SkrivEnabled cmdRegn(0) \"" + verdi + "\"",
            "SkrivEnabled Option1(0) \"" + verdi + "\"", "SkrivEnabled Option1(1) \"" + verdi + "\""};
}

Logg Regn(const std::string& bmi, const std::string& vurdering, const std::array<std::string, 6>& grenser) {
    Logg l{"LesTekst txtVekt(0)", "LesTekst txtHoyde(0)", "LesValue Option1(1)",
           "SkrivTekst txtBmi(0) \"" + bmi + "\"", "SkrivTekst txtVurdering(0) \"" + vurdering + "\""};
    for (std::size_t i = 0; i < grenser.size(); ++i) {
        l.push_back("SkrivCaption Label2(" + std::to_string(i) + ") \"" + grenser[i] + "\"");
    }
    return l;
}

const std::array<std::string, 6> BmiTabell{"Under 18,5 = Undervekt",     "18,5 - 24,9 = Normalvekt",
                                           "25 - 29,9 = Overvekt",       "30 - 39,9 = Kraftig overvekt",
                                           "Over 40 = Sykelig overvekt", "BMI grenseverdier"};

// ---- The input check ----------------------------------------------------------------------------

struct Inndata {
    const char* navn;
    Format format;
    const char* vekt;
    const char* hoyde;
    bool gyldig;
};

void PrintTo(const Inndata& i, std::ostream* os) {
    *os << i.navn;
}

class InputCheck : public ::testing::TestWithParam<Inndata> {};

TEST_P(InputCheck, SetsCalculateAndBothOptionsTogetherAfterReadingBothBoxes) {
    const Inndata& c = GetParam();
    Vindu v(c.format);
    v.Skriv(c.vekt, c.hoyde);
    const Logg forventet = Sjekk(c.gyldig ? "-1" : "0");

    v.form.txtHoyde_Change();
    EXPECT_EQ(v.Ta(), forventet) << "txtHoyde_Change";
    v.form.txtVekt_Change();
    EXPECT_EQ(v.Ta(), forventet) << "txtVekt_Change";
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, InputCheck,
    ::testing::Values(Inndata{"weight_10", Format::Norsk, "10", "180", false},
                      Inndata{"weight_10comma5", Format::Norsk, "10,5", "180", true},
                      Inndata{"height_11", Format::Norsk, "80", "11", true},
                      Inndata{"height_300", Format::Norsk, "80", "300", false},
                      // The check reads the boxes in the form's own format: a comma is no decimal
                      // separator in the English one.
                      Inndata{"english_weight_10point5", Format::Engelsk, "10.5", "180", true},
                      Inndata{"english_weight_10comma5", Format::Engelsk, "10,5", "180", false}),
    [](const ::testing::TestParamInfo<Inndata>& i) { return std::string(i.param.navn); });

// ---- Calculate and the unit options -------------------------------------------------------------

struct Beregning {
    const char* navn;
    Format format;
    bool kg;
    const char* vekt;
    const char* hoyde;
    std::string bmi, vurdering;
    std::array<std::string, 6> grenser;
};

void PrintTo(const Beregning& b, std::ostream* os) {
    *os << b.navn;
}

class Calculate : public ::testing::TestWithParam<Beregning> {};

TEST_P(Calculate, ReadsTextsAndUnitThenWritesBoxesAndLabelsInOrder) {
    const Beregning& c = GetParam();
    const Logg forventet = Regn(c.bmi, c.vurdering, c.grenser);
    for (const int kilde : {0, 1, 2}) {
        Vindu v(c.format);
        v.Skriv(c.vekt, c.hoyde);
        v.Velg(c.kg);
        if (kilde == 0) {
            v.form.cmdRegn_Click();
        } else {
            // Either option recalculates with whichever unit is now selected; its Index is unused.
            v.form.Option1_Click(static_cast<std::int16_t>(kilde - 1));
        }
        EXPECT_EQ(v.Ta(), forventet) << "source " << kilde;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Results, Calculate,
    ::testing::Values(
        Beregning{"bmi_table_180_80", Format::Norsk, false, "80", "180", "24,7", "Normalvekt", BmiTabell},
        Beregning{"kg_table_180_80",
                  Format::Norsk,
                  true,
                  "80",
                  "180",
                  "24,7",
                  "Normalvekt",
                  {"Under 59,9 = Undervekt", "59,9 - 80,6 = Normalvekt", "80,6 - 96,8 = Overvekt",
                   "96,8 - 129,2 = Kraftig overvekt", "Over 129,2 = Sykelig overvekt", "Kg. grenseverdier"}},
        Beregning{"english_kg_table_180_80",
                  Format::Engelsk,
                  true,
                  "80",
                  "180",
                  "24.7",
                  "Normalvekt",
                  {"Under 59.9 = Undervekt", "59.9 - 80.6 = Normalvekt", "80.6 - 96.8 = Overvekt",
                   "96.8 - 129.2 = Kraftig overvekt", "Over 129.2 = Sykelig overvekt", "Kg. grenseverdier"}},
        Beregning{"fraction_typed_in_weight", Format::Norsk, false, "53,4", "170", "18,5", "Normalvekt",
                  BmiTabell},
        Beregning{"invalid_weight_empties_result_boxes", Format::Norsk, false, "", "180", "", "", BmiTabell},
        Beregning{"invalid_height_empties_result_boxes", Format::Norsk, false, "80", "300", "", "",
                  BmiTabell}),
    [](const ::testing::TestParamInfo<Beregning>& i) { return std::string(i.param.navn); });

TEST(Calculate, ResultsStayWhenInputsTurnInvalid) {
    Vindu v;
    v.Skriv("80", "180");
    v.Velg(true);
    v.form.cmdRegn_Click();
    v.Skriv("8", "180");
    v.Ta();

    v.form.txtVekt_Change();
    v.Skriv("8", "");
    v.form.txtHoyde_Change();

    Logg forventet = Sjekk("0");
    const Logg andre = Sjekk("0");
    forventet.insert(forventet.end(), andre.begin(), andre.end());
    EXPECT_EQ(v.Ta(), forventet);
    EXPECT_EQ(v.rt.e.tekst[{Navn::txtBmi}], "24,7");
    EXPECT_EQ(v.rt.e.tekst[{Navn::txtVurdering}], "Normalvekt");
}

// ---- Resume-next and trapped-nothing handlers ---------------------------------------------------

TEST(ResumeNext, FailedWriteSkipsOnlyThatWriteInCalculate) {
    Vindu v;
    v.Skriv("80", "180");
    v.rt.feiler = {"SkrivTekst txtBmi(0)", "SkrivCaption Label2(2)"};
    v.form.cmdRegn_Click();
    EXPECT_EQ(v.Ta(), Regn("24,7", "Normalvekt", BmiTabell));
    EXPECT_EQ(v.rt.e.tekst[{Navn::txtVurdering}], "Normalvekt");
}

TEST(ResumeNext, FailedReadCountsAsZeroAndDisablesInInputCheck) {
    Vindu v;
    v.Skriv("80", "180");
    v.rt.feiler = {"LesTekst txtVekt(0)"};
    v.form.txtHoyde_Change();
    EXPECT_EQ(v.Ta(), Sjekk("0"));
}

TEST(TrapsNothing, ErrorsLeaveFormLoadAndTheAboutMenu) {
    Vindu v;
    v.rt.feiler = {"SkrivCaption mnuOmD(0)"};
    EXPECT_THROW(v.form.Form_Load(), Kjoretidsfeil);
    EXPECT_EQ(v.Ta(), (Logg{"App", "SkrivCaption mnuOmD(0) \"Versjon 1.0.5\""}));

    v.rt.feiler = {"HWnd"};
    EXPECT_THROW(v.form.mnuOmD_Click(4), Kjoretidsfeil);
    EXPECT_EQ(v.Ta(), Logg{"HWnd"});
}

// What the backends' default error handling is told, whatever was thrown.
TEST(TrapsNothing, EveryEscapingErrorReachesTheDefaultHandlingAsOneLine) {
    struct Rad {
        std::function<void()> handling;
        std::vector<std::string> meldt;
    };
    const std::vector<Rad> tabell{
        {[] {}, {}},
        {[] { throw Kjoretidsfeil("Kontrollen finnes ikke"); }, {"Kontrollen finnes ikke"}},
        {[] { throw 42; }, {"Ukjent feil"}},
    };
    for (const Rad& rad : tabell) {
        std::vector<std::string> meldt;
        Fang(rad.handling, [&](const char* melding) { meldt.emplace_back(melding); });
        EXPECT_EQ(meldt, rad.meldt);
    }
}

// ---- Start-up, File and About -------------------------------------------------------------------

TEST(FormInitialize, InitialisesTheCommonControlsAndNothingElse) {
    Vindu v;
    v.form.Form_Initialize();
    EXPECT_EQ(v.Ta(), Logg{"InitCommonControls"});
}

TEST(TrapsNothing, AFailedCommonControlsCallLeavesFormInitialize) {
    Vindu v;
    v.rt.feiler = {"InitCommonControls"};
    EXPECT_THROW(v.form.Form_Initialize(), Kjoretidsfeil);
}

TEST(FormLoad, FillsAboutCaptionsThenTintsResultBoxes) {
    Vindu v;
    v.form.Form_Load();
    EXPECT_EQ(v.Ta(),
              (Logg{"App", "SkrivCaption mnuOmD(0) \"Versjon 1.0.5\"",
                    "SkrivCaption mnuOmD(2) \"Copyright © 2024-2026 Tindrel\"",
                    "SkrivBackColor txtBmi(0) \"16316664\"", "SkrivBackColor txtVurdering(0) \"16316664\""}));
    static_assert(frmBmi::Resultatfarge == 0x00F8F8F8);
}

TEST(FileMenu, ExitUnloadsTheForm) {
    Vindu v;
    v.form.mnuFilAvslutt_Click();
    EXPECT_EQ(v.Ta(), Logg{"Unload"});
}

TEST(AboutMenu, MailOpensMailtoOwnedByTheFormAndStaysSilentOnSuccess) {
    Vindu v;
    v.form.mnuOmD_Click(4);
    EXPECT_EQ(v.Ta(), (Logg{"HWnd", "ApneEpost 4660 \"mailto:tindrel@example.org\""}));
    ASSERT_EQ(v.rt.epostVenter.size(), 1U);
    v.rt.epostVenter[0](true);
    EXPECT_EQ(v.Ta(), Logg{});
}

TEST(AboutMenu, MailFailureShowsTheWarningBox) {
    Vindu v;
    v.form.mnuOmD_Click(4);
    v.Ta();
    ASSERT_EQ(v.rt.epostVenter.size(), 1U);
    v.rt.epostVenter[0](false);
    EXPECT_EQ(v.Ta(), Logg{"MsgBox 48 \"Det oppstod en feil ved åpning av epost programmet.\""});
}

TEST(AboutMenu, HomePageOpensWithoutAnyCheck) {
    Vindu v;
    v.form.mnuOmD_Click(5);
    EXPECT_EQ(v.Ta(), Logg{"ApneNettside \"https://tindrel.example.org/\""});
}

TEST(AboutMenu, OtherIndexesDoNothing) {
    for (const std::int16_t i : std::array<std::int16_t, 6>{0, 1, 2, 3, -1, 6}) {
        Vindu v;
        v.form.mnuOmD_Click(i);
        EXPECT_EQ(v.Ta(), Logg{}) << "Index " << i;
        EXPECT_TRUE(v.rt.epostVenter.empty());
    }
}

// ---- Event binding ------------------------------------------------------------------------------

struct Utlosning {
    Id kilde;
    Hendelse hendelse;
    std::string forsteKall; // empty: the event has no handler
};

TEST(EventBinding, DeliversBoundEventsToTheirHandlersAndIgnoresTheRest) {
    const std::vector<Utlosning> tabell{
        {{Navn::frmBmi}, Hendelse::Initialize, "InitCommonControls"},
        {{Navn::frmBmi}, Hendelse::Load, "App"},
        {{Navn::txtHoyde}, Hendelse::Change, "LesTekst txtVekt(0)"},
        {{Navn::txtVekt}, Hendelse::Change, "LesTekst txtVekt(0)"},
        {{Navn::txtBmi}, Hendelse::Change, ""},
        {{Navn::cmdRegn}, Hendelse::Click, "LesTekst txtVekt(0)"},
        {{Navn::Option1, 1}, Hendelse::Click, "LesTekst txtVekt(0)"},
        {{Navn::Label2, 0}, Hendelse::Click, ""},
        {{Navn::mnuFilAvslutt}, Hendelse::Click, "Unload"},
        {{Navn::mnuOmD, 5}, Hendelse::Click, "ApneNettside \"https://tindrel.example.org/\""},
        {{Navn::mnuFil}, Hendelse::Click, ""},
    };
    for (const auto& rad : tabell) {
        Vindu v;
        v.form.Utlos(rad.kilde, rad.hendelse);
        const Logg l = v.Ta();
        const std::string forste = l.empty() ? "" : l.front();
        EXPECT_EQ(forste, rad.forsteKall) << IdTekst(rad.kilde);
    }
}

TEST(EventBinding, ChangeOfEitherBoxRunsTheWholeInputCheck) {
    Vindu v;
    v.Skriv("80", "180");
    v.form.Utlos({Navn::txtVekt}, Hendelse::Change);
    EXPECT_EQ(v.Ta(), Sjekk("-1"));
}

} // namespace
} // namespace kroppstall::form
