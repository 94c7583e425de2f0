#include "farger.h"
#include "kroppstall/versjon.h"
#include "skjemavindu.h"
#include "tekst.h"

namespace kroppstall::win32 {

using form::Hendelse;
using form::Id;
using form::Kjoretidsfeil;
using form::Navn;
using form::Type;

int Skjemavindu::Kjor() {
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        if (hwnd_ != nullptr && IsDialogMessageW(hwnd_, &m)) {
            continue;
        }
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return avslutningskode_;
}

LRESULT CALLBACK Skjemavindu::Vindusprosedyre(HWND hwnd, UINT melding, WPARAM w, LPARAM l) {
    if (melding == WM_NCCREATE) {
        auto* opprett = reinterpret_cast<CREATESTRUCTW*>(l);
        auto* selv = static_cast<Skjemavindu*>(opprett->lpCreateParams);
        selv->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(selv));
    }
    auto* selv = reinterpret_cast<Skjemavindu*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (selv == nullptr) {
        return DefWindowProcW(hwnd, melding, w, l);
    }
    // No exception may unwind through user32's frames.
    LRESULT svar = 0;
    form::Fang([&] { svar = selv->Behandle(melding, w, l); },
               [selv](const char* feil) { selv->Standardfeil(feil); });
    return svar;
}

LRESULT Skjemavindu::Behandle(UINT melding, WPARAM w, LPARAM l) {
    switch (melding) {
    case WM_COMMAND:
        Kommando(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l));
        return 0;
    case DM_GETDEFID:
        if (standardknapp_ != 0) {
            return MAKELRESULT(standardknapp_, DC_HASDEFID);
        }
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        return Farg(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
    case WM_ERASEBKGND: {
        // In the form's colour as it is now; the class has no brush of its own, which would outlive
        // the window that made it.
        RECT r;
        GetClientRect(hwnd_, &r);
        FillRect(reinterpret_cast<HDC>(w), &r, Pensel(Farge(form::FrmBmi.BackColor)));
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        Tegn(dc);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_ACTIVATE:
        // Give the focus back where it was when the user returns to the window.
        if (LOWORD(w) == WA_INACTIVE) {
            sistFokus_ = GetFocus();
        } else if (sistFokus_ != nullptr && IsChild(hwnd_, sistFokus_)) {
            SetFocus(sistFokus_);
            return 0;
        }
        break;
    case WM_CLOSE:
        Unload();
        return 0;
    case WM_DESTROY:
        hwnd_ = nullptr;
        kontroller_.clear();
        PostQuitMessage(avslutningskode_);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, melding, w, l);
}

void Skjemavindu::Kommando(WORD id, WORD varsel, HWND kilde) {
    if (kilde == nullptr) {
        if (id < ForsteMenyId || id >= ForsteMenyId + form::Menyer.size()) {
            return;
        }
        const auto& m = form::Menyer[id - ForsteMenyId];
        if (m.Caption != "-" && form::ErBundet(m.id.navn, Hendelse::Click)) {
            Utlos(m.id, Hendelse::Click);
        }
        return;
    }
    const form::Kontroll* k = KontrollFor(kilde);
    if (k == nullptr) {
        return;
    }
    const Id kildeId = k->id;
    if (k->type == Type::TextBox && varsel == EN_CHANGE) {
        if (!skriver_ && form::ErBundet(kildeId.navn, Hendelse::Change)) {
            Utlos(kildeId, Hendelse::Change);
        }
    } else if (k->type == Type::CommandButton && varsel == BN_CLICKED) {
        if (IsWindowEnabled(kilde) && form::ErBundet(kildeId.navn, Hendelse::Click)) {
            Utlos(kildeId, Hendelse::Click);
        }
    } else if (k->type == Type::OptionButton && varsel == BN_CLICKED) {
        Velg(*k);
    }
}

// Mouse, arrow keys (focus first, then BM_CLICK) and assistive technology all end here, some of them
// twice: only the change to selected counts, after it has happened.
void Skjemavindu::Velg(const form::Kontroll& option) {
    bool nyttValg = false;
    for (auto& [oid, var] : valgt_) {
        const HWND o = kontroller_.at(oid);
        const bool er = SendMessageW(o, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (oid == option.id && er && !var) {
            nyttValg = true;
        }
        var = er;
        auto stil = static_cast<DWORD>(GetWindowLongPtrW(o, GWL_STYLE));
        stil = er ? (stil | WS_TABSTOP) : (stil & ~static_cast<DWORD>(WS_TABSTOP));
        SetWindowLongPtrW(o, GWL_STYLE, static_cast<LONG_PTR>(stil));
    }
    // Wine redraws only the circle and caption of an option selected by an arrow key, without the
    // focus rectangle it had; drawn whole, it shows the focus again.
    InvalidateRect(kontroller_.at(option.id), nullptr, TRUE);
    if (nyttValg && form::ErBundet(option.id.navn, Hendelse::Click)) {
        Utlos(option.id, Hendelse::Click);
    }
}

// The toolkit's part of the default error handling: the box, then the end of the window and of the
// message loop, with a failure code.
void Skjemavindu::MeldOgAvslutt(std::string_view feiltekst) {
    avslutningskode_ = 1;
    MessageBoxW(hwnd_, Bred(feiltekst).c_str(), Bred(versjon::Produktnavn).c_str(),
                MB_ICONERROR | MB_OK | MB_SETFOREGROUND);
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

} // namespace kroppstall::win32
