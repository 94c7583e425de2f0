#pragma once

#include "kroppstall/win32/hovedvindu.h"

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace kroppstall::win32 {

// Control ids: the control's place in the layout table after a base clear of IDOK and IDCANCEL,
// which the dialog manager sends for Enter and Esc.
inline constexpr WORD ForsteKontrollId = 100;
constexpr WORD KontrollId(std::size_t tabellplass) {
    return static_cast<WORD>(ForsteKontrollId + tabellplass);
}
// Menu item ids: the item's place in the menu table after this base.
inline constexpr UINT ForsteMenyId = 1000;
inline constexpr wchar_t Klassenavn[] = L"KroppstallFrmBmi";

// The Win32 window that LagHovedvindu makes: one top-level window with a child window for every control of
// the layout that Windows has a class for; shapes, lines and the picture it paints itself.
class Skjemavindu final : public form::Vert {
public:
    Skjemavindu(HINSTANCE instans, Ressurser ressurser);
    ~Skjemavindu() override;
    Skjemavindu(const Skjemavindu&) = delete;
    Skjemavindu& operator=(const Skjemavindu&) = delete;

    void VisMidtstilt() override;
    int Kjor() override;

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
    // The window class and the styles of a control of each type; no class: the form paints it.
    struct Kontrolltype {
        const wchar_t* klasse;
        DWORD stil;
        DWORD utvidet;
    };
    static const Kontrolltype& TypeFor(form::Type type);

    static LRESULT CALLBACK Vindusprosedyre(HWND hwnd, UINT melding, WPARAM w, LPARAM l);
    LRESULT Behandle(UINT melding, WPARAM w, LPARAM l);
    void Bygg() override;
    void MeldOgAvslutt(std::string_view feiltekst) override;
    void LagVindu();
    void ByggKontroll(const form::Kontroll& k, std::size_t tabellplass);
    void ByggMenyer();
    void Tegn(HDC dc);
    LRESULT Farg(HDC dc, HWND kontroll);
    void Kommando(WORD id, WORD varsel, HWND kilde);
    void Velg(const form::Kontroll& option);

    int Piksler(int twips) const;
    HBRUSH Pensel(COLORREF farge);
    HFONT Skrift(const form::Skrift& skrift);
    HWND Finn(form::Id id) const;
    const form::Kontroll* KontrollFor(HWND hwnd) const;

    HINSTANCE instans_;
    Ressurser ressurser_;
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
    int avslutningskode_ = 0;
    bool skriver_ = false; // the program's own text writes raise no Change
};

} // namespace kroppstall::win32
