#include "kroppstall/talltekst.h"

#include "avrund.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>

namespace kroppstall {

NumberFormat NumberFormat::Norsk() {
    return {",", "\u00A0"};
}
NumberFormat NumberFormat::Engelsk() {
    return {".", ","};
}

namespace {

constexpr std::string_view Nbsp = "\u00A0";
constexpr std::string_view SmalNbsp = "\u202F";
constexpr std::string_view Minus = "\u2212";

bool ErSiffer(char c) {
    return c >= '0' && c <= '9';
}

// Strips one leading piece when the text starts with it.
bool Ta(std::string_view& tekst, std::string_view stykke) {
    if (stykke.empty() || !tekst.starts_with(stykke)) {
        return false;
    }
    tekst.remove_prefix(stykke.size());
    return true;
}

// Blanks that may surround a number; the ones that can also group digits come first.
constexpr std::array<std::string_view, 4> Blanke{" ", Nbsp, SmalNbsp, "\t"};
constexpr std::size_t GrupperendeBlanke = 3;

bool TaBlank(std::string_view& tekst) {
    return std::any_of(Blanke.begin(), Blanke.end(), [&](std::string_view b) { return Ta(tekst, b); });
}

bool TaBlankBakfra(std::string_view& tekst) {
    for (std::string_view blank : Blanke) {
        if (tekst.ends_with(blank)) {
            tekst.remove_suffix(blank.size());
            return true;
        }
    }
    return false;
}

bool ErBlankSkiller(std::string_view skiller) {
    const auto* slutt = Blanke.begin() + GrupperendeBlanke;
    return std::find(Blanke.begin(), slutt, skiller) != slutt;
}

// Locales that group with a (narrow) no-break space are typed with a plain space as often as not.
bool TaGruppeskiller(std::string_view& tekst, std::string_view gruppe) {
    if (ErBlankSkiller(gruppe)) {
        return std::any_of(Blanke.begin(), Blanke.begin() + GrupperendeBlanke,
                           [&](std::string_view b) { return Ta(tekst, b); });
    }
    return Ta(tekst, gruppe);
}

// Reads the whole text as a number in the format; nullopt when it is not one or lies beyond a double.
// Accepts surrounding blanks, a sign, grouping between groups of exactly three whole digits and one
// decimal separator; a point also counts as decimal separator where that cannot be misread.
std::optional<double> LesTall(std::string_view tekst, const NumberFormat& format) {
    while (TaBlank(tekst)) {
    }
    while (TaBlankBakfra(tekst)) {
    }

    std::string normal;
    normal.reserve(tekst.size() + 1);
    if (Ta(tekst, "-") || Ta(tekst, Minus)) {
        normal.push_back('-');
    } else {
        Ta(tekst, "+");
    }

    // Whole part: the first group has any length when ungrouped, 1 to 3 digits when grouped.
    std::size_t antallSiffer = 0;
    std::size_t gruppelengde = 0;
    bool gruppert = false;
    while (!tekst.empty()) {
        if (ErSiffer(tekst.front())) {
            normal.push_back(tekst.front());
            tekst.remove_prefix(1);
            ++antallSiffer;
            ++gruppelengde;
            continue;
        }
        // Where the decimal separator could also begin a group (equal or overlapping separators), it
        // is read as the decimal: the program's own number texts must always read back.
        if (!format.decimal.empty() && tekst.starts_with(format.decimal)) {
            break;
        }
        std::string_view etter = tekst;
        if (!TaGruppeskiller(etter, format.grouping)) {
            break;
        }
        const bool forsteGruppeGyldig = gruppelengde >= 1 && gruppelengde <= 3;
        if (gruppert ? gruppelengde != 3 : !forsteGruppeGyldig) {
            return std::nullopt;
        }
        if (etter.size() < 3 || !ErSiffer(etter[0]) || !ErSiffer(etter[1]) || !ErSiffer(etter[2])) {
            return std::nullopt;
        }
        gruppert = true;
        gruppelengde = 0;
        tekst = etter;
    }
    if (gruppert && gruppelengde != 3) {
        return std::nullopt;
    }

    const bool punktErDesimal = format.decimal == "," && format.grouping != ".";
    if (Ta(tekst, format.decimal) || (punktErDesimal && Ta(tekst, "."))) {
        normal.push_back('.');
        while (!tekst.empty() && ErSiffer(tekst.front())) {
            normal.push_back(tekst.front());
            tekst.remove_prefix(1);
            ++antallSiffer;
        }
    }
    if (!tekst.empty() || antallSiffer == 0) {
        return std::nullopt;
    }

    double verdi = 0.0;
    const char* slutt = normal.data() + normal.size();
    const auto [ptr, feil] = std::from_chars(normal.data(), slutt, verdi, std::chars_format::fixed);
    if (feil != std::errc() || ptr != slutt || !std::isfinite(verdi)) {
        return std::nullopt;
    }
    return verdi;
}

// Plain positional form of a value rounded to `siffer` significant digits, trailing zeros dropped.
template <class T>
std::string Posisjonell(T verdi, int siffer, const NumberFormat& format) {
    std::array<char, 64> buf{};
    const auto res =
        std::to_chars(buf.data(), buf.data() + buf.size(), verdi, std::chars_format::scientific, siffer - 1);
    std::string_view vitenskap(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));

    std::string ut;
    if (vitenskap.starts_with('-')) {
        ut.push_back('-');
        vitenskap.remove_prefix(1);
    }
    const std::size_t e = vitenskap.find('e');
    if (e == std::string_view::npos) { // inf or nan: nothing to lay out
        ut.append(vitenskap);
        return ut;
    }
    std::string sifre;
    for (char c : vitenskap.substr(0, e)) {
        if (c != '.') {
            sifre.push_back(c);
        }
    }
    int eksponent = 0;
    std::string_view eks = vitenskap.substr(e + 1);
    Ta(eks, "+");
    std::from_chars(eks.data(), eks.data() + eks.size(), eksponent);

    while (sifre.size() > 1 && sifre.back() == '0') {
        sifre.pop_back();
    }
    if (sifre == "0") {
        ut.push_back('0');
        return ut;
    }
    const long heleLengde = static_cast<long>(eksponent) + 1; // digits before the decimal separator
    const long antall = static_cast<long>(sifre.size());
    if (heleLengde <= 0) {
        ut += "0";
        ut += format.decimal;
        ut.append(static_cast<std::size_t>(-heleLengde), '0');
        ut += sifre;
    } else if (heleLengde >= antall) {
        ut += sifre;
        ut.append(static_cast<std::size_t>(heleLengde - antall), '0');
    } else {
        ut.append(sifre, 0, static_cast<std::size_t>(heleLengde));
        ut += format.decimal;
        ut.append(sifre, static_cast<std::size_t>(heleLengde));
    }
    return ut;
}

} // namespace

double LesVekt(std::string_view tekst, const NumberFormat& format) {
    // std::from_chars scales by powers of ten in floating point, in the current mode.
    const detail::TilNaermeste naermeste;
    return LesTall(tekst, format).value_or(0.0);
}

std::int32_t LesHoyde(std::string_view tekst, const NumberFormat& format) {
    const detail::TilNaermeste naermeste;
    const std::optional<double> tall = LesTall(tekst, format);
    if (!tall) {
        return 0;
    }
    const double hel = Avrund(*tall, 0);
    constexpr double Minst = std::numeric_limits<std::int32_t>::min();
    constexpr double Storst = std::numeric_limits<std::int32_t>::max();
    if (!(hel >= Minst && hel <= Storst)) {
        return 0;
    }
    return static_cast<std::int32_t>(hel);
}

bool ErGyldig(double vekt, std::int32_t hoyde) {
    return vekt > 10 && vekt < 500 && hoyde > 10 && hoyde < 300;
}

double Avrund(double x, int n) {
    const detail::TilNaermeste naermeste;
    return detail::Avrund(x, n);
}

std::string TallTilTekst(double verdi, const NumberFormat& format) {
    const detail::TilNaermeste naermeste;
    return Posisjonell(verdi, 15, format);
}

std::string EnkelTilTekst(float verdi, const NumberFormat& format) {
    const detail::TilNaermeste naermeste;
    return Posisjonell(verdi, 7, format);
}

} // namespace kroppstall
