#include "avrundingsmodus.h"
#include "kroppstall/core.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace kroppstall {
namespace {

const NumberFormat Norsk = NumberFormat::Norsk();

TEST(Bmi, IsRoundedToTenthsWithTiesToEvenAndClassified) {
    struct Case {
        const char* vekt;
        const char* hoyde;
        const char* bmi;
        const char* vurdering;
    };
    const std::vector<Case> tabell{
        Case{"70", "175", "22,9", "Normalvekt"},
        Case{"80", "180", "24,7", "Normalvekt"},
        Case{"45", "170", "15,6", "Undervekt"},
        Case{"60", "180", "18,5", "Normalvekt"}, // 185.185... rounds onto the limit itself
        Case{"53,4", "170", "18,5", "Normalvekt"},
        Case{"73", "200", "18,2", "Undervekt"},           // exactly 182.5 goes to the even 182
        Case{"75", "200", "18,8", "Normalvekt"},          // exactly 187.5 goes to 188
        Case{"87", "200", "21,7", "Normalvekt"},          // 217.49999999999997: 217.5 in x87 math
        Case{"61,25", "140", "31,2", "Kraftig overvekt"}, // exactly 312.5 goes to 312
        Case{"72,2", "170", "25", "Overvekt"},
        Case{"86,7", "170", "30", "Kraftig overvekt"},
        Case{"115,6", "170", "40", "Sykelig overvekt"},
        Case{"70", "11", "5785,1", "Sykelig overvekt"},
        Case{"70", "299", "7,8", "Undervekt"},
        Case{"70", "175,4", "22,9", "Normalvekt"},
        Case{"499,99", "11", "41321,5", "Sykelig overvekt"},
        Case{"10,01", "299", "1,1", "Undervekt"},
    };
    IHverAvrundingsmodus([&] {
        for (const Case& c : tabell) {
            SCOPED_TRACE(std::string(c.vekt) + " kg, " + c.hoyde + " cm");
            const BmiResultat r = RegnBmi(LesVekt(c.vekt, Norsk), LesHoyde(c.hoyde, Norsk), Norsk);
            EXPECT_EQ(r.BmiTekst, c.bmi);
            EXPECT_EQ(r.VurderingTekst, c.vurdering);
            EXPECT_EQ(BeregnBmi(LesVekt(c.vekt, Norsk), LesHoyde(c.hoyde, Norsk)), LesVekt(c.bmi, Norsk));
        }
    });
}

TEST(Bmi, EachClassLimitBelongsToTheClassAbove) {
    struct Case {
        int tideler;
        const char* vurdering;
    };
    for (const Case& c :
         {Case{11, "Undervekt"}, Case{184, "Undervekt"}, Case{185, "Normalvekt"}, Case{249, "Normalvekt"},
          Case{250, "Overvekt"}, Case{299, "Overvekt"}, Case{300, "Kraftig overvekt"},
          Case{399, "Kraftig overvekt"}, Case{400, "Sykelig overvekt"}, Case{413223, "Sykelig overvekt"}}) {
        SCOPED_TRACE(c.tideler);
        EXPECT_EQ(Vurder(c.tideler / 10.0), c.vurdering);
        // The assessment box and the BMI limit table name each class with the same words.
        const std::string navn = std::string(" = ") + c.vurdering;
        EXPECT_TRUE(std::any_of(BmiGrensetekster.begin(), BmiGrensetekster.end(),
                                [&](std::string_view linje) { return linje.ends_with(navn); }));
    }
}

TEST(Bmi, AnInvalidPairGivesTwoEmptyTexts) {
    struct Case {
        const char* vekt;
        const char* hoyde;
    };
    IHverAvrundingsmodus([] {
        for (const Case& c : {Case{"10", "175"}, Case{"500", "175"}, Case{"", "175"}, Case{"70", "10"},
                              Case{"70", "300"}, Case{"70", ""}, Case{"abc", "175"}, Case{"70", "10,5"}}) {
            SCOPED_TRACE(std::string(c.vekt) + " kg, " + c.hoyde + " cm");
            EXPECT_EQ(RegnBmi(LesVekt(c.vekt, Norsk), LesHoyde(c.hoyde, Norsk), Norsk), BmiResultat{});
        }
    });
}

TEST(Bmi, FollowsTheUsersDecimalSeparator) {
    const NumberFormat engelsk = NumberFormat::Engelsk();
    const BmiResultat r = RegnBmi(LesVekt("70", engelsk), LesHoyde("175", engelsk), engelsk);
    EXPECT_EQ(r.BmiTekst, "22.9");
    EXPECT_EQ(r.VurderingTekst, "Normalvekt");
}

} // namespace
} // namespace kroppstall
