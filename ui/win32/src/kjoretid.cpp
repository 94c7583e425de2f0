#include "farger.h"
#include "kroppstall/versjon.h"
#include "senbinding.h"
#include "skjemavindu.h"
#include "tekst.h"

#include <algorithm>

namespace kroppstall::win32 {

using form::Id;
using form::Kjoretidsfeil;

namespace {

UINT Ikon(form::Meldingsikon ikon) {
    switch (ikon) {
    case form::Meldingsikon::Stopp:
        return MB_ICONHAND;
    case form::Meldingsikon::Sporsmal:
        return MB_ICONQUESTION;
    case form::Meldingsikon::Utrop:
        return MB_ICONEXCLAMATION;
    case form::Meldingsikon::Informasjon:
        return MB_ICONASTERISK;
    case form::Meldingsikon::Ingen:
        break;
    }
    return 0;
}

} // namespace

void Skjemavindu::InitCommonControls() {
    using InitCommonControlsType = void(WINAPI*)();
    KrevFunksjon<InitCommonControlsType>(L"comctl32.dll", "InitCommonControls")();
}

std::string Skjemavindu::LesTekst(Id boks) {
    const HWND h = Finn(boks);
    const int lengde = GetWindowTextLengthW(h);
    std::wstring tekst(static_cast<std::size_t>(lengde) + 1, L'\0');
    const int lest = GetWindowTextW(h, tekst.data(), lengde + 1);
    tekst.resize(static_cast<std::size_t>(std::max(lest, 0)));
    return Utf8(tekst);
}

void Skjemavindu::SkrivTekst(Id boks, std::string_view tekst) {
    const HWND h = Finn(boks);
    skriver_ = true;
    const BOOL ok = SetWindowTextW(h, Bred(tekst).c_str());
    skriver_ = false;
    if (!ok) {
        throw Kjoretidsfeil("Kunne ikke skrive teksten i " + form::IdTekst(boks));
    }
}

void Skjemavindu::SkrivCaption(Id kontroll, std::string_view caption) {
    if (const auto m = menyer_.find(kontroll); m != menyer_.end()) {
        std::wstring tekst = Bred(caption);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING;
        info.dwTypeData = tekst.data();
        if (!SetMenuItemInfoW(m->second.first, m->second.second, TRUE, &info)) {
            throw Kjoretidsfeil("Kunne ikke skrive menyteksten " + form::IdTekst(kontroll));
        }
        if (hwnd_ != nullptr) {
            DrawMenuBar(hwnd_);
        }
        return;
    }
    if (!SetWindowTextW(Finn(kontroll), Bred(caption).c_str())) {
        throw Kjoretidsfeil("Kunne ikke skrive teksten i " + form::IdTekst(kontroll));
    }
}

void Skjemavindu::SkrivEnabled(Id kontroll, bool enabled) {
    if (const auto m = menyer_.find(kontroll); m != menyer_.end()) {
        EnableMenuItem(m->second.first, m->second.second, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
        return;
    }
    EnableWindow(Finn(kontroll), enabled ? TRUE : FALSE);
}

bool Skjemavindu::LesValue(Id option) {
    return SendMessageW(Finn(option), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Skjemavindu::SkrivBackColor(Id kontroll, form::Farge farge) {
    const HWND h = Finn(kontroll);
    static_cast<void>(Farge(farge)); // refuse an unknown system colour now, not at paint time
    bakfarger_[kontroll] = farge;
    InvalidateRect(h, nullptr, TRUE);
}

form::Vindushandtak Skjemavindu::HWnd() {
    return reinterpret_cast<form::Vindushandtak>(hwnd_);
}

form::AppInfo Skjemavindu::App() {
    return {static_cast<std::int16_t>(versjon::Major), static_cast<std::int16_t>(versjon::Minor),
            static_cast<std::int16_t>(versjon::Revision), versjon::Opphavsrett};
}

void Skjemavindu::Unload() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

void Skjemavindu::MsgBox(std::string_view prompt, int style) {
    MessageBoxW(hwnd_, Bred(prompt).c_str(), Bred(versjon::Produktnavn).c_str(),
                MB_OK | Ikon(form::MsgBoxIkon(style)));
}

} // namespace kroppstall::win32
