// The Win32 backend's events, driven by the window messages that the mouse, the keyboard and
// assistive technology produce, counted by a recording receiver. Runs under Wine with a display.
#include "kroppstall/form/farge.h"
#include "kroppstall/form/ordning.h"
#include "skjemavindu.h"
#include "tekst.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <new>
#include <span>
#include <string>
#include <utility>
#include <vector>

// Set, the next allocation fails, as it would where memory runs out. libstdc++'s operator delete
// frees with free(), so it pairs with this operator new as it does with its own.
bool feilNesteAllokering = false;

void* operator new(std::size_t n) {
    if (feilNesteAllokering) {
        feilNesteAllokering = false;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(n == 0 ? 1 : n)) {
        return p;
    }
    throw std::bad_alloc();
}

namespace kroppstall::win32 {
namespace {

using form::Hendelse;
using form::Id;
using form::Navn;

struct Hendelser final : form::Hendelsesmottaker {
    struct Rad {
        Id kilde;
        Hendelse hendelse;
        bool valgt; // the option's value when its Click arrived
    };
    std::vector<Rad> rader;
    Skjemavindu* vindu = nullptr;

    void Utlos(Id kilde, Hendelse hendelse) override {
        const bool valgt = vindu != nullptr && kilde.navn == Navn::Option1 && vindu->LesValue(kilde);
        rader.push_back({kilde, hendelse, valgt});
    }
    std::vector<Rad> Ta() { return std::exchange(rader, {}); }
};

HWND Kontroll(HWND vindu, Id id) {
    for (std::size_t i = 0; i < form::Kontroller.size(); ++i) {
        if (form::Kontroller[i].id == id) {
            return GetDlgItem(vindu, KontrollId(i));
        }
    }
    return nullptr;
}

constexpr Id Bmi{Navn::Option1, 0};
constexpr Id Kg{Navn::Option1, 1};
constexpr Id Hoyde{Navn::txtHoyde};
constexpr Id Vekt{Navn::txtVekt};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        h.vindu = &vindu;
        vindu.Start(h);
        hwnd = FindWindowW(Klassenavn, nullptr);
        ASSERT_NE(hwnd, nullptr);
        vindu.VisMidtstilt();
        h.Ta();
    }
    void TearDown() override { h.vindu = nullptr; }

    // What IsDialogMessageW in the message loop makes of a key press.
    void Tast(HWND mal, WPARAM tast) {
        MSG m{mal, WM_KEYDOWN, tast, 0, 0, {}};
        IsDialogMessageW(hwnd, &m);
    }
    void Skriv(Id boks, const std::wstring& tekst) {
        for (wchar_t c : tekst) {
            SendMessageW(Kontroll(hwnd, boks), WM_CHAR, c, 0);
        }
    }

    Hendelser h;
    Skjemavindu vindu{GetModuleHandleW(nullptr), {}};
    HWND hwnd = nullptr;
};

TEST_F(MainWindow, StartRaisesInitializeThenLoadBeforeAnythingElse) {
    Hendelser egne;
    Skjemavindu annet{GetModuleHandleW(nullptr), {}};
    annet.Start(egne);
    ASSERT_EQ(egne.rader.size(), 2u);
    EXPECT_EQ(egne.rader[0].hendelse, Hendelse::Initialize);
    EXPECT_EQ(egne.rader[1].hendelse, Hendelse::Load);
}

TEST_F(MainWindow, EveryWayOfSelectingAnOptionRaisesOneClickAfterItIsSelected) {
    vindu.SkrivEnabled(Bmi, true);
    vindu.SkrivEnabled(Kg, true);
    const HWND kg = Kontroll(hwnd, Kg);
    const HWND bmi = Kontroll(hwnd, Bmi);

    SendMessageW(kg, BM_CLICK, 0, 0); // what a screen reader's default action sends
    auto r = h.Ta();
    ASSERT_EQ(r.size(), 1u) << "BM_CLICK";
    EXPECT_EQ(r[0].kilde, Kg);
    EXPECT_TRUE(r[0].valgt);

    SendMessageW(kg, BM_CLICK, 0, 0);
    EXPECT_TRUE(h.Ta().empty()) << "clicking the selected option again changes nothing";

    SetFocus(kg);
    h.Ta();
    Tast(kg, VK_LEFT); // focus moves first, then the dialog manager clicks
    r = h.Ta();
    ASSERT_EQ(r.size(), 1u) << "arrow key";
    EXPECT_EQ(r[0].kilde, Bmi);
    EXPECT_TRUE(r[0].valgt);
    EXPECT_EQ(GetFocus(), bmi);

    Tast(bmi, VK_RIGHT);
    r = h.Ta();
    ASSERT_EQ(r.size(), 1u) << "arrow key back";
    EXPECT_EQ(r[0].kilde, Kg);

    // A mouse click: button down and up on the other option.
    SendMessageW(bmi, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(bmi, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    r = h.Ta();
    ASSERT_EQ(r.size(), 1u) << "mouse";
    EXPECT_EQ(r[0].kilde, Bmi);
    EXPECT_TRUE(r[0].valgt);
    EXPECT_FALSE(vindu.LesValue(Kg));
}

TEST_F(MainWindow, TabEntersTheOptionGroupAtTheSelectedOption) {
    vindu.SkrivEnabled({Navn::cmdRegn}, true);
    vindu.SkrivEnabled(Bmi, true);
    vindu.SkrivEnabled(Kg, true);
    SendMessageW(Kontroll(hwnd, Kg), BM_CLICK, 0, 0);
    const HWND regn = Kontroll(hwnd, {Navn::cmdRegn});
    SetFocus(regn);
    Tast(regn, VK_TAB);
    EXPECT_EQ(GetFocus(), Kontroll(hwnd, Kg));
    Tast(GetFocus(), VK_TAB);
    EXPECT_EQ(GetFocus(), Kontroll(hwnd, Hoyde));
}

TEST_F(MainWindow, EditsOfTheInputBoxesRaiseChangeAndTheProgramsOwnWritesDoNot) {
    Skriv(Hoyde, L"18");
    Skriv(Vekt, L"8");
    auto r = h.Ta();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].kilde, Hoyde);
    EXPECT_EQ(r[2].kilde, Vekt);
    EXPECT_EQ(r[2].hendelse, Hendelse::Change);

    vindu.SkrivTekst(Hoyde, "180"); // a write through the run-time is never an edit
    vindu.SkrivTekst({Navn::txtBmi}, "24,7");
    vindu.SkrivTekst({Navn::txtVurdering}, "Normalvekt");
    EXPECT_TRUE(h.Ta().empty());
    EXPECT_EQ(vindu.LesTekst({Navn::txtVurdering}), "Normalvekt");
}

struct Grense {
    Id boks;
    const wchar_t* inn;
    const char* ut;
};

TEST_F(MainWindow, InputBoxesRefuseCharactersBeyondTheirLengthTypedOrPasted) {
    const auto lim = [this](const Grense& g) {
        SetWindowTextW(Kontroll(hwnd, g.boks), L"");
        ASSERT_TRUE(OpenClipboard(hwnd));
        EmptyClipboard();
        const std::wstring tekst = g.inn;
        HGLOBAL minne = GlobalAlloc(GMEM_MOVEABLE, (tekst.size() + 1) * sizeof(wchar_t));
        std::memcpy(GlobalLock(minne), tekst.c_str(), (tekst.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(minne);
        SetClipboardData(CF_UNICODETEXT, minne);
        CloseClipboard();
        SendMessageW(Kontroll(hwnd, g.boks), WM_PASTE, 0, 0);
        EXPECT_EQ(vindu.LesTekst(g.boks), g.ut) << "pasted";
    };
    const std::vector<Grense> tabell{{Hoyde, L"1234", "123"}, {Vekt, L"12,345", "12,3"}};
    for (const auto& g : tabell) {
        Skriv(g.boks, g.inn);
        EXPECT_EQ(vindu.LesTekst(g.boks), g.ut) << "typed";
        lim(g);
    }
    // A pasted line break ends what the box takes, as on Linux.
    for (const auto& g : std::vector<Grense>{{Vekt, L"80\n", "80"},
                                             {Hoyde, L"80\r\n", "80"},
                                             {Vekt, L"1\n80", "1"},
                                             {Hoyde, L"1805\n", "180"}}) {
        lim(g);
    }
}

TEST_F(MainWindow, EnterPressesCalculateOnlyWhileItIsEnabled) {
    const LRESULT standard = SendMessageW(hwnd, DM_GETDEFID, 0, 0);
    EXPECT_EQ(HIWORD(standard), DC_HASDEFID);
    EXPECT_EQ(GetDlgItem(hwnd, LOWORD(standard)), Kontroll(hwnd, {Navn::cmdRegn}));

    const HWND hoyde = Kontroll(hwnd, Hoyde);
    SetFocus(hoyde);
    Tast(hoyde, VK_RETURN);
    EXPECT_TRUE(h.Ta().empty());
    vindu.SkrivEnabled({Navn::cmdRegn}, true);
    Tast(hoyde, VK_RETURN);
    const auto r = h.Ta();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].kilde, Id{Navn::cmdRegn});
    EXPECT_EQ(r[0].hendelse, Hendelse::Click);
}

TEST_F(MainWindow, EscapeAndStrayCommandsRaiseNothing) {
    const HWND hoyde = Kontroll(hwnd, Hoyde);
    Tast(hoyde, VK_ESCAPE);
    SendMessageW(hwnd, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(h.Ta().empty());
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(MainWindow, ClosingTheWindowEndsTheLoopWithExitCodeZero) {
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(vindu.Kjor(), 0);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(MainWindow, ResultBoxesTakeTheirBackColourAndStayDisabled) {
    vindu.SkrivBackColor({Navn::txtBmi}, form::Rgb(248, 248, 248));
    const HWND bmi = Kontroll(hwnd, {Navn::txtBmi});
    HDC dc = GetDC(bmi);
    auto* pensel = reinterpret_cast<HBRUSH>(
        SendMessageW(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(bmi)));
    LOGBRUSH lb{};
    GetObjectW(pensel, sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, RGB(248, 248, 248));
    EXPECT_EQ(GetBkColor(dc), RGB(248, 248, 248));
    EXPECT_EQ(GetTextColor(dc), RGB(0x6D, 0x6D, 0x6D));
    ReleaseDC(bmi, dc);
    EXPECT_FALSE(IsWindowEnabled(bmi));
}

BOOL CALLBACK LukkHvisBoks(HWND w, LPARAM /*l*/) {
    wchar_t klasse[16] = {};
    GetClassNameW(w, klasse, 16);
    if (std::wcscmp(klasse, L"#32770") == 0) {
        PostMessageW(w, WM_COMMAND, IDOK, 0);
    }
    return TRUE;
}

// Closes the modal box that the default error handling shows, from its own modal loop.
void CALLBACK LukkFeilboks(HWND /*hwnd*/, UINT /*melding*/, UINT_PTR /*id*/, DWORD /*tid*/) {
    EnumThreadWindows(GetCurrentThreadId(), LukkHvisBoks, 0);
}

TEST_F(MainWindow, AFailureWhileAResultBoxPaintsGetsTheDefaultErrorHandling) {
    const HWND bmi = Kontroll(hwnd, {Navn::txtBmi});
    vindu.SkrivTekst({Navn::txtBmi}, "longer than a short string");
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, LukkFeilboks);
    feilNesteAllokering = true;
    RedrawWindow(bmi, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    feilNesteAllokering = false;
    KillTimer(nullptr, timer);
    EXPECT_TRUE(vindu.Avsluttet());
    EXPECT_FALSE(IsWindow(hwnd));
}

// A picture handed in for a control that shows none: building the window fails, and the failure
// reaches the default error handling instead of escaping Start.
TEST_F(MainWindow, AFailureWhileBuildingGetsTheDefaultErrorHandlingAndNoLoad) {
    const std::uint32_t punkt = 0xFF000000u;
    Ressurser feil;
    feil.bilder[{Navn::Label2, 0}] = {1, std::span<const std::uint32_t>(&punkt, 1)};
    Hendelser egne;
    Skjemavindu annet{GetModuleHandleW(nullptr), feil};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, LukkFeilboks);
    annet.Start(egne);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(annet.Avsluttet());
    ASSERT_EQ(egne.rader.size(), 1u);
    EXPECT_EQ(egne.rader[0].hendelse, Hendelse::Initialize);
}

struct Fargeskjema {
    const char* navn;
    COLORREF vindu, vindustekst, knappeflate, knappetekst, gratekst;
};

void PrintTo(const Fargeskjema& s, std::ostream* os) {
    *os << s.navn;
}

// The system colours of the scheme while a test runs, and the machine's own again afterwards.
class Schemes : public ::testing::TestWithParam<Fargeskjema> {
protected:
    void SetUp() override {
        const Fargeskjema& s = GetParam();
        const COLORREF nye[5] = {s.vindu, s.vindustekst, s.knappeflate, s.knappetekst, s.gratekst};
        for (int i = 0; i < 5; ++i) {
            for_[i] = GetSysColor(hvilke[i]);
        }
        SetSysColors(5, hvilke, nye);
    }
    void TearDown() override { SetSysColors(5, hvilke, for_); }

private:
    const int hvilke[5] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_GRAYTEXT};
    COLORREF for_[5] = {};
};

// Every text of the window stands out from what it is drawn on, whatever the system colours; the
// limit lines and heading lie on the limit box's white fill.
TEST_P(Schemes, EveryTextStandsOutAndTheLimitBoxStaysWhite) {
    {
        Hendelser h;
        Skjemavindu vindu{GetModuleHandleW(nullptr), {}};
        vindu.Start(h);
        const HWND hwnd = FindWindowW(Klassenavn, nullptr);
        ASSERT_NE(hwnd, nullptr);
        for (const auto& k : form::Kontroller) {
            if (k.type != form::Type::Label && k.type != form::Type::TextBox) {
                continue;
            }
            if (form::ErVisning(k)) {
                vindu.SkrivBackColor(k.id, form::Rgb(248, 248, 248));
            }
            const HWND w = Kontroll(hwnd, k.id);
            HDC dc = GetDC(w);
            const UINT melding =
                k.type == form::Type::TextBox && IsWindowEnabled(w) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
            SendMessageW(hwnd, melding, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(w));
            const COLORREF tekst = GetTextColor(dc), bak = GetBkColor(dc);
            ReleaseDC(w, dc);
            EXPECT_GE(form::Kontrast(tekst, bak), form::MinsteKontrast) << form::IdTekst(k.id);
            if (k.id.navn == Navn::Label2) {
                EXPECT_EQ(bak, RGB(255, 255, 255)) << form::IdTekst(k.id);
            }
        }
    }
}

// The client area's pixels as the screen shows them, 0x00RRGGBB, row by row.
struct Bilde {
    int bredde = 0, hoyde = 0;
    std::vector<std::uint32_t> p;
    COLORREF Ved(LONG x, LONG y) const {
        const std::uint32_t v = p[static_cast<std::size_t>(y * bredde + x)];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
};

Bilde Ta(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r;
    GetClientRect(hwnd, &r);
    Bilde b{r.right, r.bottom, std::vector<std::uint32_t>(static_cast<std::size_t>(r.right * r.bottom))};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), b.bredde, -b.hoyde, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC skjerm = GetDC(hwnd);
    HDC minne = CreateCompatibleDC(skjerm);
    HBITMAP kart = CreateCompatibleBitmap(skjerm, b.bredde, b.hoyde);
    HGDIOBJ gammel = SelectObject(minne, kart);
    BitBlt(minne, 0, 0, b.bredde, b.hoyde, skjerm, 0, 0, SRCCOPY);
    SelectObject(minne, gammel);
    GetDIBits(minne, kart, 0, static_cast<UINT>(b.hoyde), b.p.data(), &info, DIB_RGB_COLORS);
    DeleteObject(kart);
    DeleteDC(minne);
    ReleaseDC(hwnd, skjerm);
    return b;
}

// The commonest colour in `r`.
COLORREF Bakgrunn(const Bilde& b, RECT r) {
    std::map<COLORREF, int> antall;
    for (LONG y = r.top; y < r.bottom; ++y) {
        for (LONG x = r.left; x < r.right; ++x) {
            ++antall[b.Ved(x, y)];
        }
    }
    return std::max_element(antall.begin(), antall.end(), [](auto a, auto c) { return a.second < c.second; })
        ->first;
}

// What focus changes around control `r`, `uten` to `med`, that stands out by 3:1 from both the
// control's own background and the window above it: the weakest contrast found at the middle of the
// four sides of its outline (0 where a side has none), so that a ring passes and a caret does not.
double Fokusring(const Bilde& uten, const Bilde& med, RECT r) {
    const COLORREF eget = Bakgrunn(uten, r), vindu = Bakgrunn(uten, {r.left, r.top - 3, r.right, r.top - 1});
    std::vector<std::pair<POINT, double>> ring;
    RECT omriss{r.right, r.bottom, r.left, r.top};
    for (LONG y = r.top - 2; y < r.bottom + 2; ++y) {
        for (LONG x = r.left - 2; x < r.right + 2; ++x) {
            const COLORREF p = med.Ved(x, y);
            const double k = std::min(form::Kontrast(p, eget), form::Kontrast(p, vindu));
            if (p != uten.Ved(x, y) && k >= form::MinsteKantkontrast) {
                ring.push_back({{x, y}, k});
                omriss = {std::min(omriss.left, x), std::min(omriss.top, y), std::max(omriss.right, x),
                          std::max(omriss.bottom, y)};
            }
        }
    }
    if (omriss.right - omriss.left < 8 || omriss.bottom - omriss.top < 8) {
        return 0.0;
    }
    const auto side = [&ring](LONG x, LONG y) {
        double best = 0.0;
        for (const auto& [p, k] : ring) {
            if (std::abs(p.x - x) <= 2 && std::abs(p.y - y) <= 2) {
                best = std::max(best, k);
            }
        }
        return best;
    };
    const LONG mx = (omriss.left + omriss.right) / 2, my = (omriss.top + omriss.bottom) / 2;
    return std::min(
        {side(omriss.left, my), side(omriss.right, my), side(mx, omriss.top), side(mx, omriss.bottom)});
}

// Once the keyboard has moved the focus, every control it reaches shows it by a ring that stands out
// from the control and the window around it.
TEST_P(Schemes, FocusMovedByKeyboardShowsOnEveryControl) {
    Hendelser h;
    Skjemavindu vindu{GetModuleHandleW(nullptr), {}};
    vindu.Start(h);
    const HWND hwnd = FindWindowW(Klassenavn, nullptr);
    ASSERT_NE(hwnd, nullptr);
    for (const Id id : {Id{Navn::cmdRegn}, Bmi, Kg}) {
        vindu.SkrivEnabled(id, true);
    }
    vindu.VisMidtstilt(); // the focus in the height box, as at start
    const auto tast = [hwnd](WPARAM t) {
        MSG m{GetFocus(), WM_KEYDOWN, t, 0, 0, {}};
        IsDialogMessageW(hwnd, &m);
        return Ta(hwnd);
    };
    // Each control seen without and with the focus, its selection the same in both.
    const Bilde start = Ta(hwnd), vekt = tast(VK_TAB), regn = tast(VK_TAB), bmi = tast(VK_TAB),
                kg = tast(VK_RIGHT), hoyde = tast(VK_TAB);
    const struct {
        Id id;
        const Bilde &uten, &med;
    } tabell[] = {{Vekt, start, vekt},
                  {{Navn::cmdRegn}, vekt, regn},
                  {Bmi, regn, bmi},
                  {Kg, hoyde, kg},
                  {Hoyde, kg, hoyde}};
    for (const auto& t : tabell) {
        RECT r;
        GetWindowRect(Kontroll(hwnd, t.id), &r);
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
        const double ring = Fokusring(t.uten, t.med, r);
        std::printf("     %s %s: focus ring %.2f:1\n", GetParam().navn, form::IdTekst(t.id).c_str(), ring);
        EXPECT_GE(ring, form::MinsteKantkontrast) << form::IdTekst(t.id);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Window, Schemes,
    ::testing::Values(
        Fargeskjema{"standard", RGB(255, 255, 255), 0, RGB(240, 240, 240), 0, RGB(109, 109, 109)},
        Fargeskjema{"high_contrast_black", 0, RGB(255, 255, 255), 0, RGB(255, 255, 255), RGB(63, 242, 63)},
        Fargeskjema{"high_contrast_white", RGB(255, 255, 255), 0, RGB(255, 255, 255), 0, RGB(96, 0, 0)},
        Fargeskjema{"dark", RGB(32, 32, 32), RGB(238, 238, 236), RGB(53, 53, 53), RGB(238, 238, 236),
                    RGB(145, 145, 145)}),
    [](const ::testing::TestParamInfo<Fargeskjema>& i) { return std::string(i.param.navn); });

// The user's own separators, set as the regional settings set them and put back afterwards. Neither
// the fallbacks (".", ",") nor any locale's separators match them, so a read that fails, or that
// misses the user's settings, cannot pass, whatever locale the test runs in.
class UsersNumberFormat : public ::testing::Test {
protected:
    static constexpr const char* Desimal = "\u00B7";    // middle dot
    static constexpr const char* Gruppering = "\u2019"; // right single quotation mark

    void SetUp() override {
        for (Innstilling& i : innstillinger_) {
            wchar_t gammel[16] = {};
            ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, i.hva, gammel, 16), 0);
            ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, i.hva, i.ny));
            i.gammel = gammel;
        }
    }
    void TearDown() override {
        for (const Innstilling& i : innstillinger_) {
            if (!i.gammel.empty()) {
                SetLocaleInfoW(LOCALE_USER_DEFAULT, i.hva, i.gammel.c_str());
            }
        }
    }

private:
    struct Innstilling {
        LCTYPE hva;
        const wchar_t* ny;
        std::wstring gammel; // empty until the new value is set
    };
    Innstilling innstillinger_[2] = {{LOCALE_SDECIMAL, L"\u00B7", {}}, {LOCALE_STHOUSAND, L"\u2019", {}}};
};

TEST_F(UsersNumberFormat, ReadsTheUsersSeparators) {
    const NumberFormat f = Tallformat();
    EXPECT_FALSE(f.decimal.empty());
    EXPECT_NE(f.decimal, f.grouping);
    EXPECT_EQ(f.decimal, Desimal);
    EXPECT_EQ(f.grouping, Gruppering);
}

// Windows XP has no GetLocaleInfoEx; its fallback must read the same separators.
TEST_F(UsersNumberFormat, ReadsTheSameSeparatorsWithoutGetLocaleInfoEx) {
    const NumberFormat ny = Tallformat();
    const NumberFormat xp = TallformatXp();
    EXPECT_EQ(xp.decimal, ny.decimal);
    EXPECT_EQ(xp.grouping, ny.grouping);
    EXPECT_EQ(xp.decimal, Desimal);
    EXPECT_EQ(xp.grouping, Gruppering);
}

} // namespace
} // namespace kroppstall::win32
