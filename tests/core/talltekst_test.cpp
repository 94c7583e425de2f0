#include "avrundingsmodus.h"
#include "kroppstall/core.h"

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kroppstall {
namespace {

const NumberFormat Norsk = NumberFormat::Norsk();
const NumberFormat Engelsk = NumberFormat::Engelsk();

struct LesCase {
    std::string tekst;
    double vekt;
    std::int32_t hoyde;
};

void SjekkLesing(const std::vector<LesCase>& tilfeller, const NumberFormat& format) {
    IHverAvrundingsmodus([&] {
        for (const auto& c : tilfeller) {
            SCOPED_TRACE("text \"" + c.tekst + "\"");
            EXPECT_EQ(LesVekt(c.tekst, format), c.vekt);
            EXPECT_EQ(LesHoyde(c.tekst, format), c.hoyde);
        }
    });
}

TEST(Conversion, ReadsNumbersInTheNorwegianFormat) {
    SjekkLesing({{"70", 70.0, 70},
                 {"70,5", 70.5, 70},
                 {"70.5", 70.5, 70}, // a typed point is read as the decimal separator
                 {"175,4", 175.4, 175},
                 {"174,5", 174.5, 174},
                 {"175,5", 175.5, 176},
                 {"10,5", 10.5, 10},
                 {"10,6", 10.6, 11},
                 {"299,5", 299.5, 300},
                 {",5", 0.5, 0},
                 {"5,", 5.0, 5},
                 {" 80\t", 80.0, 80},
                 {" 1 000 ", 1000.0, 1000},
                 {"12\u00A0", 12.0, 12},
                 {"\u00A080\u202F", 80.0, 80},
                 {"+80", 80.0, 80},
                 {"-80", -80.0, -80},
                 {"\u221280", -80.0, -80},
                 {"1\u00A0000", 1000.0, 1000},
                 {"1 000,25", 1000.25, 1000},
                 {"12 345 678", 12345678.0, 12345678},
                 {"99999999999", 99999999999.0, 0},
                 {"2147483647", 2147483647.0, 2147483647},
                 {"2147483647,5", 2147483647.5, 0},
                 {"-2147483648", -2147483648.0, INT32_MIN},
                 {"-2147483648,6", -2147483648.6, 0}},
                Norsk);
}

TEST(Conversion, ReadsNumbersInTheEnglishFormat) {
    SjekkLesing({{"70", 70.0, 70}, {"70.5", 70.5, 70}, {"1,000.5", 1000.5, 1000}, {"175.5", 175.5, 176}},
                Engelsk);
}

TEST(Conversion, RejectsTextsThatAreNotNumbersInTheFormat) {
    const std::string lang(5000, '7');
    for (const std::string& tekst : std::vector<std::string>{"",
                                                             " ",
                                                             "abc",
                                                             "7o",
                                                             "o7",
                                                             "1o0",
                                                             "1e2",
                                                             "0x10",
                                                             "inf",
                                                             "nan",
                                                             "70,5,1",
                                                             "70,,5",
                                                             "1,2.3",
                                                             "--5",
                                                             "+-5",
                                                             "5-",
                                                             "- 5",
                                                             ",",
                                                             ".",
                                                             "1 00",
                                                             "1 0000",
                                                             "10 000 0",
                                                             "1 000,5 0",
                                                             "\u0663",
                                                             lang + "," + lang,
                                                             std::string("7\0"
                                                                         "0",
                                                                         3),
                                                             "\xff\xfe",
                                                             "7\xc2",
                                                             "\xe2\x88"}) {
        SCOPED_TRACE("text \"" + tekst + "\"");
        EXPECT_EQ(LesVekt(tekst, Norsk), 0.0);
        EXPECT_EQ(LesHoyde(tekst, Norsk), 0);
    }
    // Where the point groups digits it is never also a decimal mark, and a comma never a decimal
    // mark in the English format: no silent misreading in either direction.
    EXPECT_EQ(LesVekt("70,5", Engelsk), 0.0);
    EXPECT_EQ(LesVekt("1.5", NumberFormat{",", "."}), 0.0);
    EXPECT_EQ(LesVekt("1.500", NumberFormat{",", "."}), 1500.0);
}

TEST(Conversion, TheDecimalSeparatorWinsWhereItCouldAlsoBeginAGroup) {
    // Equal separators, and a grouping that starts with the decimal separator: found by fuzzing,
    // where "22,9" had read as 0 and so its own text never came back.
    SjekkLesing({{"22,9", 22.9, 23}, {"1,500", 1.5, 2}, {"174,5", 174.5, 174}, {"80", 80.0, 80}},
                NumberFormat{",", ","});
    SjekkLesing({{"3932\t2", 3932.2, 3932}, {"1\t2000", 1.2, 1}}, NumberFormat{"\t", "\t2"});
    SjekkLesing({{"1 5", 1.5, 2}, {"1\u00A05", 0.0, 0}}, NumberFormat{" ", " "});
    for (const NumberFormat& f :
         {NumberFormat{",", ","}, NumberFormat{"\t", "\t2"}, NumberFormat{" ", "\u00A0"}}) {
        for (const double verdi : {229 / 10.0, 57851 / 10.0, 11 / 10.0}) {
            EXPECT_EQ(LesVekt(TallTilTekst(verdi, f), f), verdi) << TallTilTekst(verdi, f);
        }
    }
}

TEST(Conversion, ANumberBeyondTheRangeOfADoubleGivesZero) {
    const std::string stor = "1" + std::string(400, '0');
    EXPECT_EQ(LesVekt(stor, Norsk), 0.0);
    EXPECT_EQ(LesHoyde(stor, Norsk), 0);
    EXPECT_EQ(LesVekt(std::string(400, '9') + ",5", Engelsk), 0.0);
}

TEST(Validity, EveryBoundIsExclusive) {
    struct Case {
        double vekt;
        std::int32_t hoyde;
        bool gyldig;
    };
    const std::vector<Case> tabell{Case{10, 175, false},
                                   Case{10.01, 175, true},
                                   Case{499.99, 175, true},
                                   Case{500, 175, false},
                                   Case{70, 10, false},
                                   Case{70, 11, true},
                                   Case{70, 299, true},
                                   Case{70, 300, false},
                                   Case{0, 175, false},
                                   Case{70, 0, false},
                                   Case{std::nan(""), 175, false},
                                   Case{-70, -175, false}};
    IHverAvrundingsmodus([&] {
        for (const Case& c : tabell) {
            SCOPED_TRACE(std::to_string(c.vekt) + " kg, " + std::to_string(c.hoyde) + " cm");
            EXPECT_EQ(ErGyldig(c.vekt, c.hoyde), c.gyldig);
        }
        EXPECT_FALSE(ErGyldig(LesVekt("", Norsk), LesHoyde("175", Norsk)));
        EXPECT_TRUE(ErGyldig(LesVekt("70", Norsk), LesHoyde("10,6", Norsk)));
        EXPECT_FALSE(ErGyldig(LesVekt("70", Norsk), LesHoyde("10,5", Norsk)));
        EXPECT_TRUE(ErGyldig(LesVekt("70", Norsk), LesHoyde("299,4", Norsk)));
        EXPECT_FALSE(ErGyldig(LesVekt("70", Norsk), LesHoyde("299,5", Norsk)));
    });
}

TEST(Rounding, HalfwayValuesGoToTheEvenNeighbour) {
    struct Case {
        double x;
        int n;
        double ventet;
    };
    const std::vector<Case> tabell{
        Case{228.57142857142858, 0, 229},
        Case{182.5, 0, 182},
        Case{187.5, 0, 188},
        Case{184.87654791937933, 2, 184.88},
        Case{0.5, 0, 0},
        Case{1.5, 0, 2},
        Case{2.5, 0, 2},
        Case{-2.5, 0, -2},
        Case{-3.5, 0, -4},
        Case{59.90178, 1, 59.9},
        Case{4503599627370497.0, 0, 4503599627370497.0},
        Case{0.25, 1, 0.2},
        Case{0.05, 1, 0}, // 0.05 * 10 is exactly 0.5 only when the product is rounded to nearest
        Case{0.15, 1, 0.2},
        Case{73.9, 1, 73.9},
        Case{99.6, 1, 99.6}};
    IHverAvrundingsmodus([&] {
        for (const Case& c : tabell) {
            SCOPED_TRACE(std::to_string(c.x) + " to " + std::to_string(c.n) + " decimals");
            EXPECT_EQ(Avrund(c.x, c.n), c.ventet);
        }
    });
}

TEST(Rounding, DoesNotDependOnTheRoundingModeOfTheFloatingPointEnvironment) {
    const int gammel = std::fegetround();
    std::fesetround(FE_UPWARD);
    const double ned = Avrund(182.5, 0);
    const double opp = Avrund(182.4, 0);
    std::fesetround(gammel);
    EXPECT_EQ(ned, 182.0);
    EXPECT_EQ(opp, 182.0);
}

TEST(NumberText, DoublesAreWrittenPlainWithTheFormatsSeparator) {
    struct Case {
        double verdi;
        const char* norsk;
        const char* engelsk;
    };
    const std::vector<Case> tabell{
        Case{229 / 10.0, "22,9", "22.9"},       Case{250 / 10.0, "25", "25"},
        Case{57851 / 10.0, "5785,1", "5785.1"}, Case{413223 / 10.0, "41322,3", "41322.3"},
        Case{11 / 10.0, "1,1", "1.1"},          Case{0.0, "0", "0"},
        Case{0.1 + 0.2, "0,3", "0.3"},          Case{1e20, "100000000000000000000", "100000000000000000000"},
        Case{0.00012, "0,00012", "0.00012"},    Case{-7.5, "-7,5", "-7.5"}};
    IHverAvrundingsmodus([&] {
        for (const Case& c : tabell) {
            EXPECT_EQ(TallTilTekst(c.verdi, Norsk), c.norsk);
            EXPECT_EQ(TallTilTekst(c.verdi, Engelsk), c.engelsk);
        }
    });
}

TEST(NumberText, SinglesAreRoundedToSevenSignificantDigits) {
    struct Case {
        float verdi;
        const char* norsk;
        const char* engelsk;
    };
    const std::vector<Case> tabell{Case{59.9f, "59,9", "59.9"},
                                   Case{129.2f, "129,2", "129.2"},
                                   Case{56.0f, "56", "56"},
                                   Case{0.0f, "0", "0"},
                                   Case{80.6f, "80,6", "80.6"},
                                   Case{1.1f, "1,1", "1.1"},
                                   Case{179.90178f, "179,9018", "179.9018"},
                                   Case{46339.99f, "46339,99", "46339.99"}};
    IHverAvrundingsmodus([&] {
        for (const Case& c : tabell) {
            EXPECT_EQ(EnkelTilTekst(c.verdi, Norsk), c.norsk);
            EXPECT_EQ(EnkelTilTekst(c.verdi, Engelsk), c.engelsk);
        }
    });
}

} // namespace
} // namespace kroppstall
