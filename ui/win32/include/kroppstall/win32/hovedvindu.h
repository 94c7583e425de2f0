#pragma once

#include "kroppstall/core.h"
#include "kroppstall/form/kjoretid.h"

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <windows.h>

namespace kroppstall::win32 {

// A picture for an Image control: 0xAARRGGBB words, top row first.
struct Bilde {
    int side = 0;
    std::span<const std::uint32_t> piksler;
};

// Pictures come from the program, which embeds them; the backend only places them.
struct Ressurser {
    int ikongruppe = 1; // icon group resource of the executable; missing means no icon
    std::map<form::Id, Bilde> bilder;
};

// Control ids: the control's place in the layout table after a base clear of IDOK and IDCANCEL,
// which the dialog manager sends for Enter and Esc.
inline constexpr WORD ForsteKontrollId = 100;
constexpr WORD KontrollId(std::size_t tabellplass) {
    return static_cast<WORD>(ForsteKontrollId + tabellplass);
}
// Menu item ids: the item's place in the menu table after this base.
inline constexpr UINT ForsteMenyId = 1000;
inline constexpr wchar_t Klassenavn[] = L"KroppstallFrmBmi";

std::wstring Bred(std::string_view utf8);
std::string Utf8(std::wstring_view tekst);

// The user's number format, read from the system's user locale.
NumberFormat Tallformat();
// The same as Windows XP reads it (GetLocaleInfoW), which Tallformat falls back to there.
NumberFormat TallformatXp();

// The one window, built from the layout tables only, standing in for the forms run-time.
class Hovedvindu final : public form::Kjoretid {
public:
    Hovedvindu(HINSTANCE instans, Ressurser ressurser);
    ~Hovedvindu() override;
    Hovedvindu(const Hovedvindu&) = delete;
    Hovedvindu& operator=(const Hovedvindu&) = delete;

    // Raises Initialize, builds the window with every control and menu, then raises Load.
    void Start(form::Hendelsesmottaker& mottaker);
    // Shows the window centred on the work area, with the focus where the tab order starts.
    void VisMidtstilt();
    // The message loop; returns the process exit code once the window is gone.
    int Kjor();
    // True once the default error handling has ended the program.
    bool Avsluttet() const { return avsluttet_; }
    // The default error handling: an error no handler traps is reported, and the program ends.
    void Standardfeil(const std::string& melding);

    void InitCommonControls() override;
    std::string LesTekst(form::Id boks) override;
    void SkrivTekst(form::Id boks, std::string_view tekst) override;
    void SkrivCaption(form::Id kontroll, std::string_view caption) override;
    void SkrivEnabled(form::Id kontroll, bool enabled) override;
    bool LesValue(form::Id option) override;
    void SkrivBackColor(form::Id kontroll, form::Farge farge) override;
    form::Vindushandtak HWnd() override;
    form::AppInfo App() override;
    void Unload() override;
    void MsgBox(std::string_view prompt, int style) override;
    void ApneEpost(form::Vindushandtak eier, std::string_view url, std::function<void(bool)> ferdig) override;
    void ApneNettside(std::string_view url) override;

private:
    static LRESULT CALLBACK Vindusprosedyre(HWND hwnd, UINT melding, WPARAM w, LPARAM l);
    LRESULT Behandle(UINT melding, WPARAM w, LPARAM l);
    void Bygg();
    void ByggKontroll(const form::Kontroll& k, int nummer);
    void ByggMenyer();
    void Tegn(HDC dc);
    LRESULT Farg(HDC dc, HWND kontroll);
    void Kommando(WORD id, WORD varsel, HWND kilde);
    void Utlos(form::Id kilde, form::Hendelse hendelse);
    void Trygt(const std::function<void()>& handling);

    int Piksler(int twips) const;
    COLORREF Farge(form::Farge farge) const;
    HBRUSH Pensel(COLORREF farge);
    HFONT Skrift(const form::Skrift& skrift);
    HWND Finn(form::Id id) const;
    const form::Kontroll* KontrollFor(HWND hwnd) const;

    HINSTANCE instans_;
    Ressurser ressurser_;
    form::Hendelsesmottaker* mottaker_ = nullptr;
    HWND hwnd_ = nullptr;
    HMENU menylinje_ = nullptr;
    HWND startfokus_ = nullptr;
    HWND sistFokus_ = nullptr;
    HICON ikonStor_ = nullptr;
    HICON ikonLiten_ = nullptr;
    std::map<form::Id, HWND> kontroller_;
    std::map<HWND, std::size_t> tabellplass_; // index into the control table
    std::map<form::Id, form::Farge> bakfarger_;
    std::map<form::Id, bool> valgt_; // option values as last seen, to raise one Click per selection
    std::map<form::Id, HICON> bilder_;
    std::map<form::Id, std::pair<HMENU, UINT>> menyer_;
    std::map<std::wstring, HFONT> skrifter_;
    std::map<COLORREF, HBRUSH> pensler_;
    WORD standardknapp_ = 0;
    int dpi_ = 96;
    int exitkode_ = 0;
    bool skriver_ = false; // the program's own text writes raise no Change
    bool avsluttet_ = false;
};

} // namespace kroppstall::win32
