// Reads the running program's window from outside, as assistive technology would, and prints one
// UTF-8 line per control, fields split by tabs: name, enabled, checked, focused, the text, the previous
// window's text and the accessible name. Then the menus and any message box of the program.
#include "kroppstall/form/kjoretid.h"
#include "kroppstall/form/layout.h"
#include "skjemavindu.h"
#include "tekst.h"

#include <cstdio>
#include <oleacc.h>
#include <string>

using kroppstall::win32::Utf8;

namespace {

std::wstring Tekst(HWND h) {
    wchar_t buffer[512] = {};
    SendMessageTimeoutW(h, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return buffer;
}

std::wstring Tilgjengelig(HWND h) {
    IAccessible* acc = nullptr;
    const HRESULT hr = AccessibleObjectFromWindow(h, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                  reinterpret_cast<void**>(&acc));
    if (FAILED(hr) || acc == nullptr) {
        return L"?" + std::to_wstring(static_cast<unsigned long>(hr));
    }
    VARIANT selv;
    VariantInit(&selv);
    selv.vt = VT_I4;
    selv.lVal = CHILDID_SELF;
    BSTR navn = nullptr;
    std::wstring ut = L"?";
    const HRESULT svar = acc->get_accName(selv, &navn);
    if (SUCCEEDED(svar)) {
        ut = navn != nullptr ? navn : L"";
        SysFreeString(navn);
    } else {
        ut = L"?" + std::to_wstring(static_cast<unsigned long>(svar));
    }
    acc->Release();
    return ut;
}

void Linje(const std::string& s) {
    std::fwrite(s.data(), 1, s.size(), stdout);
    std::fputc('\n', stdout);
}

BOOL CALLBACK Boks(HWND h, LPARAM eier) {
    wchar_t klasse[64] = {};
    GetClassNameW(h, klasse, 64);
    const bool vart = eier == 0 ? GetWindowTextLengthW(h) > 0 && Tekst(h) == L"Kroppstall"
                                : GetWindow(h, GW_OWNER) == reinterpret_cast<HWND>(eier);
    if (std::wstring(klasse) == L"#32770" && IsWindowVisible(h) && vart) {
        std::string linje = "boks\ttittel=" + Utf8(Tekst(h));
        for (HWND c = GetWindow(h, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
            GetClassNameW(c, klasse, 64);
            const auto stil = static_cast<DWORD>(GetWindowLongPtrW(c, GWL_STYLE));
            if (std::wstring(klasse) == L"Static" && (stil & SS_TYPEMASK) != SS_ICON) {
                linje += "\ttekst=" + Utf8(Tekst(c));
            }
            if (std::wstring(klasse) == L"Button") {
                RECT r;
                GetWindowRect(c, &r);
                linje += "\tknapp=" + Utf8(Tekst(c)) +
                         "\tknappmidt=" + std::to_string((r.left + r.right) / 2) + "," +
                         std::to_string((r.top + r.bottom) / 2);
            }
        }
        Linje(linje);
    }
    return TRUE;
}

void Meny(HMENU meny, const std::string& forelder) {
    const int n = GetMenuItemCount(meny);
    for (int i = 0; i < n; ++i) {
        wchar_t tekst[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING | MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU;
        info.dwTypeData = tekst;
        info.cch = 255;
        GetMenuItemInfoW(meny, static_cast<UINT>(i), TRUE, &info);
        const bool skille = (info.fType & MFT_SEPARATOR) != 0;
        Linje("meny\t" + forelder + std::to_string(i) +
              "\ttekst=" + (skille ? std::string("-") : Utf8(tekst)) +
              "\tgrå=" + ((info.fState & MFS_GRAYED) != 0 ? "1" : "0"));
        if (info.hSubMenu != nullptr) {
            Meny(info.hSubMenu, forelder + std::to_string(i) + ".");
        }
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    HWND vindu = FindWindowW(kroppstall::win32::Klassenavn, nullptr);
    if (argc > 1 && std::wstring(argv[1]) == L"--bokser") {
        // Message boxes of a program whose window may never have been made.
        EnumWindows(&Boks, 0);
        return 0;
    }
    if (vindu == nullptr) {
        Linje("ingen");
        return 1;
    }
    CoInitialize(nullptr);
    GUITHREADINFO trad{};
    trad.cbSize = sizeof trad;
    GetGUIThreadInfo(GetWindowThreadProcessId(vindu, nullptr), &trad);
    RECT klient;
    GetClientRect(vindu, &klient);
    POINT null{0, 0};
    ClientToScreen(vindu, &null);
    Linje("vindu\ttittel=" + Utf8(Tekst(vindu)) + "\tklient=" + std::to_string(klient.right) + "x" +
          std::to_string(klient.bottom) + "\tved=" + std::to_string(null.x) + "," + std::to_string(null.y));
    for (HWND c = GetWindow(vindu, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        const auto plass = static_cast<std::size_t>(GetDlgCtrlID(c) - kroppstall::win32::ForsteKontrollId);
        if (plass >= kroppstall::form::Kontroller.size()) {
            continue;
        }
        const auto id = kroppstall::form::Kontroller[plass].id;
        const HWND forrige = GetWindow(c, GW_HWNDPREV);
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, vindu, reinterpret_cast<POINT*>(&r), 2);
        Linje(kroppstall::form::IdTekst(id) + "\tenabled=" + (IsWindowEnabled(c) ? "1" : "0") +
              "\tcheck=" + std::to_string(SendMessageW(c, BM_GETCHECK, 0, 0)) +
              "\tfokus=" + (trad.hwndFocus == c ? "1" : "0") + "\trekt=" + std::to_string(r.left) + "," +
              std::to_string(r.top) + "," + std::to_string(r.right - r.left) + "," +
              std::to_string(r.bottom - r.top) +
              "\tforrige=" + (forrige != nullptr ? Utf8(Tekst(forrige)) : "") +
              "\tnavn=" + Utf8(Tilgjengelig(c)) + "\ttekst=" + Utf8(Tekst(c)));
    }
    // The faces that this system hands out for the names the window asks for.
    for (const wchar_t* navn : {L"Tahoma", L"Microsoft Sans Serif", L"MS Sans Serif"}) {
        HFONT f = CreateFontW(-11, 0, 0, 0, 400, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0, navn);
        HDC dc = GetDC(nullptr);
        HGDIOBJ gammel = SelectObject(dc, f);
        wchar_t fatt[LF_FACESIZE] = {};
        GetTextFaceW(dc, LF_FACESIZE, fatt);
        SelectObject(dc, gammel);
        ReleaseDC(nullptr, dc);
        DeleteObject(f);
        Linje("skrift\tønsket=" + Utf8(navn) + "\tfått=" + Utf8(fatt));
    }
    if (HMENU meny = GetMenu(vindu)) {
        Meny(meny, "");
    }
    EnumWindows(&Boks, reinterpret_cast<LPARAM>(vindu));
    CoUninitialize();
    return 0;
}
