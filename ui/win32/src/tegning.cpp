#include "tegning.h"

#include "farger.h"
#include "kroppstall/form/farge.h"
#include "skjemavindu.h"

#include <cstring>
#include <string>
#include <utility>

namespace kroppstall::win32 {

using form::Type;

namespace {

WNDPROC Redigeringsprosedyre = nullptr;

void TegnTekst(HWND boks, HDC dc) {
    HWND forelder = GetParent(boks);
    auto* pensel = reinterpret_cast<HBRUSH>(SendMessageW(
        forelder, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(boks)));
    RECT klient;
    GetClientRect(boks, &klient);
    FillRect(dc, &klient, pensel != nullptr ? pensel : GetSysColorBrush(COLOR_WINDOW));
    const int lengde = GetWindowTextLengthW(boks);
    std::wstring tekst(static_cast<std::size_t>(lengde) + 1, L'\0');
    GetWindowTextW(boks, tekst.data(), lengde + 1);
    tekst.resize(static_cast<std::size_t>(lengde));
    RECT ramme{};
    SendMessageW(boks, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&ramme));
    HGDIOBJ gammel = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(boks, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    const auto stil = static_cast<DWORD>(GetWindowLongPtrW(boks, GWL_STYLE));
    UINT justering = DT_LEFT;
    if ((stil & ES_RIGHT) != 0) {
        justering = DT_RIGHT;
    } else if ((stil & ES_CENTER) != 0) {
        justering = DT_CENTER;
    }
    DrawTextW(dc, tekst.c_str(), lengde, &ramme, justering | DT_SINGLELINE | DT_NOPREFIX | DT_TOP);
    SelectObject(dc, gammel);
}

// No exception may unwind through user32's frames: an error while a box paints gets the form's
// default error handling, as one in the form's own window procedure does.
template <class Handling>
void FangIBoks(HWND boks, Handling&& handling) {
    auto* vindu = reinterpret_cast<Skjemavindu*>(GetWindowLongPtrW(GetParent(boks), GWLP_USERDATA));
    form::Fang(std::forward<Handling>(handling), [vindu](const char* feil) {
        if (vindu != nullptr) {
            vindu->Standardfeil(feil);
        }
    });
}

LRESULT CALLBACK Resultatboks(HWND hwnd, UINT melding, WPARAM w, LPARAM l) {
    if (melding == WM_PAINT && !IsWindowEnabled(hwnd)) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        FangIBoks(hwnd, [&] { TegnTekst(hwnd, dc); });
        EndPaint(hwnd, &ps);
        return 0;
    }
    return CallWindowProcW(Redigeringsprosedyre, hwnd, melding, w, l);
}

// Over the whole sunken edge, two pixels wide.
void TegnKant(HWND boks) {
    HBRUSH pensel =
        CreateSolidBrush(form::Synlig(GetSysColor(COLOR_HIGHLIGHT), Farge(form::FrmBmi.BackColor)));
    HDC dc = GetWindowDC(boks);
    RECT r;
    GetWindowRect(boks, &r);
    OffsetRect(&r, -r.left, -r.top);
    for (int i = 0; i < 2; ++i) {
        FrameRect(dc, &r, pensel);
        InflateRect(&r, -1, -1);
    }
    ReleaseDC(boks, dc);
    DeleteObject(pensel);
}

LRESULT CALLBACK Inndataboks(HWND hwnd, UINT melding, WPARAM w, LPARAM l) {
    const LRESULT svar = CallWindowProcW(Redigeringsprosedyre, hwnd, melding, w, l);
    if (melding == WM_SETFOCUS || melding == WM_KILLFOCUS) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    } else if (melding == WM_NCPAINT && GetFocus() == hwnd) {
        FangIBoks(hwnd, [hwnd] { TegnKant(hwnd); });
    }
    return svar;
}

WNDPROC Underklasse(HWND boks, WNDPROC ny) {
    auto forrige =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(boks, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ny)));
    if (Redigeringsprosedyre == nullptr) {
        Redigeringsprosedyre = forrige;
    }
    return forrige;
}

} // namespace

HICON LagIkon(const Bilde& bilde) {
    if (bilde.side <= 0 || bilde.piksler.size() < static_cast<std::size_t>(bilde.side * bilde.side)) {
        return nullptr;
    }
    BITMAPV5HEADER h{};
    h.bV5Size = sizeof h;
    h.bV5Width = bilde.side;
    h.bV5Height = -bilde.side; // top row first
    h.bV5Planes = 1;
    h.bV5BitCount = 32;
    h.bV5Compression = BI_BITFIELDS;
    h.bV5RedMask = 0x00FF0000;
    h.bV5GreenMask = 0x0000FF00;
    h.bV5BlueMask = 0x000000FF;
    h.bV5AlphaMask = 0xFF000000;
    void* punkter = nullptr;
    HDC skjerm = GetDC(nullptr);
    HBITMAP farge =
        CreateDIBSection(skjerm, reinterpret_cast<BITMAPINFO*>(&h), DIB_RGB_COLORS, &punkter, nullptr, 0);
    ReleaseDC(nullptr, skjerm);
    if (farge == nullptr) {
        return nullptr;
    }
    std::memcpy(punkter, bilde.piksler.data(), static_cast<std::size_t>(bilde.side * bilde.side) * 4);
    HBITMAP maske = CreateBitmap(bilde.side, bilde.side, 1, 1, nullptr);
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = farge;
    info.hbmMask = maske;
    HICON ikon = CreateIconIndirect(&info);
    DeleteObject(farge);
    DeleteObject(maske);
    return ikon;
}

void TegnEgenTekst(HWND boks) {
    Underklasse(boks, &Resultatboks);
}

void TegnFokuskant(HWND boks) {
    Underklasse(boks, &Inndataboks);
}

void Skjemavindu::Tegn(HDC dc) {
    // Bottom of the stacking order first; the child windows lie over all of it.
    for (auto k = form::Kontroller.rbegin(); k != form::Kontroller.rend(); ++k) {
        switch (k->type) {
        case Type::Shape: {
            const RECT r{Piksler(k->Rekt.Left), Piksler(k->Rekt.Top), Piksler(k->Rekt.Left + k->Rekt.Width),
                         Piksler(k->Rekt.Top + k->Rekt.Height)};
            if (k->FillSolid) {
                FillRect(dc, &r, Pensel(Farge(k->FillColor)));
            }
            FrameRect(dc, &r, Pensel(Farge(k->BorderColor)));
            break;
        }
        case Type::Line: {
            HPEN penn = CreatePen(PS_SOLID, 1, Farge(k->BorderColor));
            HGDIOBJ gammel = SelectObject(dc, penn);
            const int x1 = Piksler(k->Linje.X1), y1 = Piksler(k->Linje.Y1);
            const int x2 = Piksler(k->Linje.X2), y2 = Piksler(k->Linje.Y2);
            MoveToEx(dc, x1, y1, nullptr);
            LineTo(dc, x2, y2);
            SetPixel(dc, x2, y2, Farge(k->BorderColor)); // LineTo leaves out the last point
            SelectObject(dc, gammel);
            DeleteObject(penn);
            break;
        }
        case Type::Image:
            if (const auto b = bilder_.find(k->id); b != bilder_.end()) {
                const int side = ressurser_.bilder.at(k->id).side;
                const int bredde = k->Stretch ? Piksler(k->Rekt.Width) : side;
                const int hoyde = k->Stretch ? Piksler(k->Rekt.Height) : side;
                DrawIconEx(dc, Piksler(k->Rekt.Left), Piksler(k->Rekt.Top), b->second, bredde, hoyde, 0,
                           nullptr, DI_NORMAL);
            }
            break;
        default:
            break;
        }
    }
}

LRESULT Skjemavindu::Farg(HDC dc, HWND kontroll) {
    const form::Kontroll* k = KontrollFor(kontroll);
    if (k == nullptr) {
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    const form::Kontrollfarger f = form::Farger(*k, bakfarger_.at(k->id), &Systemfarge);
    SetTextColor(dc, f.GraTekst && !IsWindowEnabled(kontroll) ? *f.GraTekst : f.Tekst);
    SetBkColor(dc, f.Bak);
    return reinterpret_cast<LRESULT>(Pensel(f.Bak));
}

HBRUSH Skjemavindu::Pensel(COLORREF farge) {
    auto& p = pensler_[farge];
    if (p == nullptr) {
        p = CreateSolidBrush(farge);
    }
    return p;
}

} // namespace kroppstall::win32
