#include "kroppstall/win32/hovedvindu.h"

#include "kroppstall/versjon.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <vector>

namespace kroppstall::win32 {

using form::Hendelse;
using form::Id;
using form::Kjoretidsfeil;
using form::Navn;
using form::Type;

namespace {

constexpr UINT ForsteMenyId = 1000;

// Windows' own grey text; the disabled result boxes keep it on every system (Wine's is lighter).
constexpr COLORREF GraTekst = RGB(0x6D, 0x6D, 0x6D);

std::string Navngi(Id id) {
    return std::string(form::NavnTekst(id.navn)) + "(" + std::to_string(id.indeks) + ")";
}

// One FARPROC is cast to the function's real type; GCC warns about the cast itself.
template <class Funksjon>
Funksjon Bind(const wchar_t* bibliotek, const char* funksjon) {
    HMODULE modul = LoadLibraryW(bibliotek);
    FARPROC adresse = modul != nullptr ? GetProcAddress(modul, funksjon) : nullptr;
    if (adresse == nullptr) {
        throw Kjoretidsfeil("Fant ikke " + std::string(funksjon) + " i " + Utf8(bibliotek));
    }
    Funksjon f = nullptr;
    static_assert(sizeof f == sizeof adresse);
    std::memcpy(&f, &adresse, sizeof f);
    return f;
}

using ShellExecuteWType = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);

// Shell32 is bound on the first launch, not when the program loads.
ShellExecuteWType Shell() {
    static ShellExecuteWType f = nullptr;
    if (f == nullptr) {
        f = Bind<ShellExecuteWType>(L"Shell32.dll", "ShellExecuteW");
    }
    return f;
}

// Disabled edits draw their text in the system's grey whatever WM_CTLCOLORSTATIC asks; the result
// boxes are disabled for good, so they paint their text themselves in a grey that stays readable.
WNDPROC Redigeringsprosedyre = nullptr;

LRESULT CALLBACK Resultatboks(HWND hwnd, UINT melding, WPARAM w, LPARAM l) {
    if (melding == WM_PAINT && !IsWindowEnabled(hwnd)) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        HWND forelder = GetParent(hwnd);
        auto* pensel = reinterpret_cast<HBRUSH>(SendMessageW(
            forelder, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
        RECT klient;
        GetClientRect(hwnd, &klient);
        FillRect(dc, &klient, pensel != nullptr ? pensel : GetSysColorBrush(COLOR_WINDOW));
        const int lengde = GetWindowTextLengthW(hwnd);
        std::wstring tekst(static_cast<std::size_t>(lengde) + 1, L'\0');
        GetWindowTextW(hwnd, tekst.data(), lengde + 1);
        tekst.resize(static_cast<std::size_t>(lengde));
        RECT ramme{};
        SendMessageW(hwnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&ramme));
        HGDIOBJ gammel = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
        SetBkMode(dc, TRANSPARENT);
        const auto stil = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
        UINT justering = DT_LEFT;
        if ((stil & ES_RIGHT) != 0) {
            justering = DT_RIGHT;
        } else if ((stil & ES_CENTER) != 0) {
            justering = DT_CENTER;
        }
        DrawTextW(dc, tekst.c_str(), lengde, &ramme, justering | DT_SINGLELINE | DT_NOPREFIX | DT_TOP);
        SelectObject(dc, gammel);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return CallWindowProcW(Redigeringsprosedyre, hwnd, melding, w, l);
}

DWORD Justering(Type type, form::Justering j) {
    if (type == Type::TextBox) {
        switch (j) {
        case form::Justering::Hoyre:
            return ES_RIGHT;
        case form::Justering::Midt:
            return ES_CENTER;
        case form::Justering::Venstre:
            break;
        }
        return ES_LEFT;
    }
    switch (j) {
    case form::Justering::Hoyre:
        return SS_RIGHT;
    case form::Justering::Midt:
        return SS_CENTER;
    case form::Justering::Venstre:
        break;
    }
    return SS_LEFTNOWORDWRAP;
}

// Labels first: each one directly before the box it names, so that a screen reader finds it as the
// box's name; labels take no focus, so the Tab order among the other controls stays the tab index.
std::vector<std::size_t> Opprettelsesrekke() {
    std::vector<std::size_t> rekke;
    for (std::size_t i = 0; i < form::Kontroller.size(); ++i) {
        if (form::Kontroller[i].TabIndex != form::IngenTab) {
            rekke.push_back(i);
        }
    }
    std::sort(rekke.begin(), rekke.end(), [](std::size_t a, std::size_t b) {
        return form::Kontroller[a].TabIndex < form::Kontroller[b].TabIndex;
    });
    for (const auto& e : form::Etiketter) {
        const auto plass = [&rekke](Navn n) {
            return std::find_if(rekke.begin(), rekke.end(),
                                [n](std::size_t i) { return form::Kontroller[i].id == Id{n}; });
        };
        auto etikett = plass(e.label);
        if (etikett == rekke.end() || plass(e.boks) == rekke.end()) {
            continue;
        }
        const std::size_t verdi = *etikett;
        rekke.erase(etikett);
        rekke.insert(plass(e.boks), verdi);
    }
    return rekke;
}

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
    void* bits = nullptr;
    HDC skjerm = GetDC(nullptr);
    HBITMAP farge =
        CreateDIBSection(skjerm, reinterpret_cast<BITMAPINFO*>(&h), DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, skjerm);
    if (farge == nullptr) {
        return nullptr;
    }
    std::memcpy(bits, bilde.piksler.data(), static_cast<std::size_t>(bilde.side * bilde.side) * 4);
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

} // namespace

std::wstring Bred(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring ut(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), ut.data(), n);
    return ut;
}

std::string Utf8(std::wstring_view tekst) {
    if (tekst.empty()) {
        return {};
    }
    const int n = WideCharToMultiByte(CP_UTF8, 0, tekst.data(), static_cast<int>(tekst.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string ut(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, tekst.data(), static_cast<int>(tekst.size()), ut.data(), n, nullptr,
                        nullptr);
    return ut;
}

namespace {

using GetLocaleInfoExType = int(WINAPI*)(LPCWSTR, LCTYPE, LPWSTR, int);

// The user's separators through GetLocaleInfoEx when it is given, else through GetLocaleInfoW.
NumberFormat LesTallformat(GetLocaleInfoExType localeInfoEx) {
    const auto les = [localeInfoEx](LCTYPE hva, const char* standard) {
        wchar_t buffer[16] = {};
        // nullptr is LOCALE_NAME_USER_DEFAULT, which the XP headers do not declare.
        const int n = localeInfoEx != nullptr ? localeInfoEx(nullptr, hva, buffer, 16)
                                              : GetLocaleInfoW(LOCALE_USER_DEFAULT, hva, buffer, 16);
        return n > 1 ? Utf8(std::wstring_view(buffer, static_cast<std::size_t>(n - 1)))
                     : std::string(standard);
    };
    return {les(LOCALE_SDECIMAL, "."), les(LOCALE_STHOUSAND, ",")};
}

} // namespace

NumberFormat Tallformat() {
    // GetLocaleInfoEx (Vista and later) also reads a user locale that has no LCID; Windows XP lacks it
    // and has GetLocaleInfoW, so the newer one is looked up, not imported: the program loads on XP.
    static const GetLocaleInfoExType localeInfoEx = [] {
        const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
        const FARPROC adresse = kernel32 != nullptr ? GetProcAddress(kernel32, "GetLocaleInfoEx") : nullptr;
        GetLocaleInfoExType f = nullptr;
        static_assert(sizeof f == sizeof adresse);
        std::memcpy(&f, &adresse, sizeof f);
        return f;
    }();
    return LesTallformat(localeInfoEx);
}

NumberFormat TallformatXp() {
    return LesTallformat(nullptr);
}

Hovedvindu::Hovedvindu(HINSTANCE instans, Ressurser ressurser)
    : instans_(instans), ressurser_(std::move(ressurser)) {}

Hovedvindu::~Hovedvindu() {
    mottaker_ = nullptr;
    if (hwnd_ != nullptr) {
        // Going away without an Unload: the window must not post a quit for a loop that never ran.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    for (auto& [navn, skrift] : skrifter_) {
        DeleteObject(skrift);
    }
    for (auto& [farge, pensel] : pensler_) {
        DeleteObject(pensel);
    }
    for (auto& [id, ikon] : bilder_) {
        DestroyIcon(ikon);
    }
}

void Hovedvindu::Start(form::Hendelsesmottaker& mottaker) {
    mottaker_ = &mottaker;
    Utlos({Navn::frmBmi}, Hendelse::Initialize);
    if (avsluttet_) {
        return;
    }
    Trygt([this] { Bygg(); });
    Utlos({Navn::frmBmi}, Hendelse::Load);
}

void Hovedvindu::Bygg() {
    const form::Skjema& s = form::FrmBmi;
    HDC skjerm = GetDC(nullptr);
    dpi_ = GetDeviceCaps(skjerm, LOGPIXELSY);
    ReleaseDC(nullptr, skjerm);

    ikonStor_ = static_cast<HICON>(LoadImageW(instans_, MAKEINTRESOURCEW(ressurser_.ikongruppe), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    ikonLiten_ =
        static_cast<HICON>(LoadImageW(instans_, MAKEINTRESOURCEW(ressurser_.ikongruppe), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));

    WNDCLASSEXW klasse{};
    klasse.cbSize = sizeof klasse;
    klasse.lpfnWndProc = &Hovedvindu::Vindusprosedyre;
    klasse.hInstance = instans_;
    klasse.hIcon = ikonStor_;
    klasse.hIconSm = ikonLiten_;
    klasse.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    klasse.hbrBackground = Pensel(Farge(s.BackColor));
    klasse.lpszClassName = Klassenavn;
    if (RegisterClassExW(&klasse) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw Kjoretidsfeil("Kunne ikke registrere vindusklassen");
    }

    DWORD stil = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    if (s.MinButton) {
        stil |= WS_MINIMIZEBOX;
    }
    if (s.MaxButton) {
        stil |= WS_MAXIMIZEBOX;
    }
    if (!s.FastStorrelse) {
        stil |= WS_THICKFRAME;
    }
    ByggMenyer();
    RECT r{0, 0, Piksler(s.ClientWidth), Piksler(s.ClientHeight)};
    AdjustWindowRectEx(&r, stil, TRUE, 0);
    hwnd_ = CreateWindowExW(0, Klassenavn, Bred(s.Caption).c_str(), stil, CW_USEDEFAULT, CW_USEDEFAULT,
                            r.right - r.left, r.bottom - r.top, nullptr, menylinje_, instans_, this);
    if (hwnd_ == nullptr) {
        throw Kjoretidsfeil("Kunne ikke lage vinduet");
    }
    // A menu bar that wraps to two lines takes more room than AdjustWindowRectEx assumed.
    RECT klient;
    GetClientRect(hwnd_, &klient);
    if (klient.bottom != Piksler(s.ClientHeight) || klient.right != Piksler(s.ClientWidth)) {
        SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left + Piksler(s.ClientWidth) - klient.right,
                     r.bottom - r.top + Piksler(s.ClientHeight) - klient.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    const std::vector<std::size_t> rekke = Opprettelsesrekke();
    for (std::size_t i = 0; i < rekke.size(); ++i) {
        ByggKontroll(form::Kontroller[rekke[i]], static_cast<int>(rekke[i]));
    }
    for (const auto& k : form::Kontroller) {
        if (k.type == Type::Image) {
            if (const auto b = ressurser_.bilder.find(k.id); b != ressurser_.bilder.end()) {
                if (HICON ikon = LagIkon(b->second)) {
                    bilder_[k.id] = ikon;
                }
            }
        }
    }
    for (std::size_t i : rekke) {
        const auto& k = form::Kontroller[i];
        if (k.Enabled &&
            (k.type == Type::TextBox || k.type == Type::CommandButton || k.type == Type::OptionButton)) {
            startfokus_ = kontroller_.at(k.id);
            break;
        }
    }
}

void Hovedvindu::ByggKontroll(const form::Kontroll& k, int nummer) {
    const wchar_t* klasse = nullptr;
    DWORD stil = WS_CHILD | WS_VISIBLE | WS_GROUP;
    DWORD utvidet = 0;
    switch (k.type) {
    case Type::TextBox:
        klasse = L"EDIT";
        stil |= WS_TABSTOP | ES_AUTOHSCROLL | Justering(k.type, k.Alignment);
        utvidet = WS_EX_CLIENTEDGE;
        break;
    case Type::Label:
        klasse = L"STATIC";
        stil |= Justering(k.type, k.Alignment);
        break;
    case Type::CommandButton:
        klasse = L"BUTTON";
        stil |= WS_TABSTOP | (k.Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
    case Type::OptionButton: {
        klasse = L"BUTTON";
        stil |= BS_AUTORADIOBUTTON;
        // One group: the first option of the array starts it, the others join it. Only the selected
        // one is a tab stop, so Tab enters the group at the selection.
        const bool gruppestart =
            std::none_of(form::Kontroller.begin(), form::Kontroller.end(),
                         [&k](const auto& a) { return a.id.navn == k.id.navn && a.TabIndex < k.TabIndex; });
        if (!gruppestart) {
            stil &= ~static_cast<DWORD>(WS_GROUP);
        }
        if (k.Value) {
            stil |= WS_TABSTOP;
        }
        break;
    }
    case Type::Form:
    case Type::Image:
    case Type::Line:
    case Type::Shape:
        return; // drawn by the form itself
    }
    if (!k.Enabled) {
        stil |= WS_DISABLED;
    }
    const WORD id = KontrollId(static_cast<std::size_t>(nummer));
    HWND hwnd = CreateWindowExW(utvidet, klasse, Bred(k.Caption).c_str(), stil, Piksler(k.Rekt.Left),
                                Piksler(k.Rekt.Top), Piksler(k.Rekt.Width), Piksler(k.Rekt.Height), hwnd_,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instans_, nullptr);
    if (hwnd == nullptr) {
        throw Kjoretidsfeil("Kunne ikke lage " + Navngi(k.id));
    }
    kontroller_[k.id] = hwnd;
    tabellplass_[hwnd] = static_cast<std::size_t>(nummer);
    bakfarger_[k.id] = k.BackColor;
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(Skrift(k.Font ? *k.Font : form::FrmBmi.Font)),
                 FALSE);
    if (k.type == Type::TextBox) {
        // Also limits what a paste can bring in.
        SendMessageW(hwnd, EM_SETLIMITTEXT, static_cast<WPARAM>(k.MaxLength), 0);
        auto forrige = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Resultatboks)));
        if (Redigeringsprosedyre == nullptr) {
            Redigeringsprosedyre = forrige;
        }
    }
    if (k.type == Type::OptionButton) {
        SendMessageW(hwnd, BM_SETCHECK, k.Value ? BST_CHECKED : BST_UNCHECKED, 0);
        valgt_[k.id] = k.Value;
    }
    if (k.type == Type::CommandButton && k.Default) {
        standardknapp_ = id;
    }
}

void Hovedvindu::ByggMenyer() {
    menylinje_ = CreateMenu();
    HMENU meny = nullptr;
    for (std::size_t i = 0; i < form::Menyer.size(); ++i) {
        const auto& m = form::Menyer[i];
        const UINT id = ForsteMenyId + static_cast<UINT>(i);
        const UINT grad = m.Enabled ? MF_ENABLED : MF_GRAYED;
        if (m.Niva == 1) {
            meny = CreatePopupMenu();
            AppendMenuW(menylinje_, MF_POPUP | MF_STRING | grad, reinterpret_cast<UINT_PTR>(meny),
                        Bred(m.Caption).c_str());
            menyer_[m.id] = {menylinje_, static_cast<UINT>(GetMenuItemCount(menylinje_) - 1)};
        } else if (meny == nullptr) {
            continue;
        } else if (m.Caption == "-") {
            AppendMenuW(meny, MF_SEPARATOR, id, nullptr);
            menyer_[m.id] = {meny, static_cast<UINT>(GetMenuItemCount(meny) - 1)};
        } else {
            AppendMenuW(meny, MF_STRING | grad, id, Bred(m.Caption).c_str());
            menyer_[m.id] = {meny, static_cast<UINT>(GetMenuItemCount(meny) - 1)};
        }
    }
}

void Hovedvindu::VisMidtstilt() {
    if (hwnd_ == nullptr) {
        return;
    }
    RECT arbeid{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &arbeid, 0);
    RECT r;
    GetWindowRect(hwnd_, &r);
    const int b = r.right - r.left;
    const int h = r.bottom - r.top;
    if (form::FrmBmi.Midtstilt) {
        SetWindowPos(hwnd_, nullptr, arbeid.left + (arbeid.right - arbeid.left - b) / 2,
                     arbeid.top + (arbeid.bottom - arbeid.top - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
    SetForegroundWindow(hwnd_);
    if (startfokus_ != nullptr) {
        SetFocus(startfokus_);
    }
}

int Hovedvindu::Kjor() {
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        if (hwnd_ != nullptr && IsDialogMessageW(hwnd_, &m)) {
            continue;
        }
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return exitkode_;
}

LRESULT CALLBACK Hovedvindu::Vindusprosedyre(HWND hwnd, UINT melding, WPARAM w, LPARAM l) {
    if (melding == WM_NCCREATE) {
        auto* opprett = reinterpret_cast<CREATESTRUCTW*>(l);
        auto* selv = static_cast<Hovedvindu*>(opprett->lpCreateParams);
        selv->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(selv));
    }
    auto* selv = reinterpret_cast<Hovedvindu*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (selv == nullptr) {
        return DefWindowProcW(hwnd, melding, w, l);
    }
    // No exception may unwind through user32's frames.
    LRESULT svar = 0;
    form::Fang([&] { svar = selv->Behandle(melding, w, l); },
               [selv](const char* feil) { selv->Standardfeil(feil); });
    return svar;
}

LRESULT Hovedvindu::Behandle(UINT melding, WPARAM w, LPARAM l) {
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
        PostQuitMessage(exitkode_);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, melding, w, l);
}

void Hovedvindu::Kommando(WORD id, WORD varsel, HWND kilde) {
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
    const Id kid = k->id;
    if (k->type == Type::TextBox && varsel == EN_CHANGE) {
        if (!skriver_ && form::ErBundet(kid.navn, Hendelse::Change)) {
            Utlos(kid, Hendelse::Change);
        }
    } else if (k->type == Type::CommandButton && varsel == BN_CLICKED) {
        if (IsWindowEnabled(kilde) && form::ErBundet(kid.navn, Hendelse::Click)) {
            Utlos(kid, Hendelse::Click);
        }
    } else if (k->type == Type::OptionButton && varsel == BN_CLICKED) {
        // Mouse, arrow keys (focus first, then BM_CLICK) and assistive technology all end here,
        // some of them twice: only the change to selected counts, after it has happened.
        bool nyttValg = false;
        for (auto& [oid, var] : valgt_) {
            const HWND o = kontroller_.at(oid);
            const bool er = SendMessageW(o, BM_GETCHECK, 0, 0) == BST_CHECKED;
            if (oid == kid && er && !var) {
                nyttValg = true;
            }
            var = er;
            auto stil = static_cast<DWORD>(GetWindowLongPtrW(o, GWL_STYLE));
            stil = er ? (stil | WS_TABSTOP) : (stil & ~static_cast<DWORD>(WS_TABSTOP));
            SetWindowLongPtrW(o, GWL_STYLE, static_cast<LONG_PTR>(stil));
        }
        if (nyttValg && form::ErBundet(kid.navn, Hendelse::Click)) {
            Utlos(kid, Hendelse::Click);
        }
    }
}

void Hovedvindu::Tegn(HDC dc) {
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

LRESULT Hovedvindu::Farg(HDC dc, HWND kontroll) {
    const form::Kontroll* k = KontrollFor(kontroll);
    if (k == nullptr) {
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    const COLORREF bak = Farge(bakfarger_.at(k->id));
    COLORREF forgrunn = Farge(k->ForeColor);
    if (k->type == Type::TextBox && !IsWindowEnabled(kontroll)) {
        forgrunn = GraTekst;
    }
    SetTextColor(dc, forgrunn);
    SetBkColor(dc, bak);
    return reinterpret_cast<LRESULT>(Pensel(bak));
}

void Hovedvindu::Utlos(Id kilde, Hendelse hendelse) {
    if (mottaker_ != nullptr) {
        Trygt([&] { mottaker_->Utlos(kilde, hendelse); });
    }
}

void Hovedvindu::Trygt(const std::function<void()>& handling) {
    if (avsluttet_) {
        return;
    }
    form::Fang(handling, [this](const char* feil) { Standardfeil(feil); });
}

// An error no handler traps: tell the user, then end the program with a failure code.
void Hovedvindu::Standardfeil(const std::string& melding) {
    if (avsluttet_) {
        return;
    }
    avsluttet_ = true;
    exitkode_ = 1;
    mottaker_ = nullptr;
    MessageBoxW(hwnd_, Bred("Kjøretidsfeil: " + melding).c_str(), Bred(versjon::Produktnavn).c_str(),
                MB_ICONERROR | MB_OK | MB_SETFOREGROUND);
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

int Hovedvindu::Piksler(int twips) const {
    return MulDiv(twips, dpi_, form::TwipsPerTomme);
}

COLORREF Hovedvindu::Farge(form::Farge farge) const {
    if (!form::ErSystemFarge(farge)) {
        return static_cast<COLORREF>(farge & 0x00FFFFFFu); // already 0x00BBGGRR
    }
    switch (farge) {
    case form::Vindusbakgrunn:
        return GetSysColor(COLOR_WINDOW);
    case form::Vindustekst:
        return GetSysColor(COLOR_WINDOWTEXT);
    case form::Knappeflate:
        return GetSysColor(COLOR_BTNFACE);
    case form::Knappetekst:
        return GetSysColor(COLOR_BTNTEXT);
    default:
        throw Kjoretidsfeil("Ugyldig fargeverdi");
    }
}

HBRUSH Hovedvindu::Pensel(COLORREF farge) {
    auto& p = pensler_[farge];
    if (p == nullptr) {
        p = CreateSolidBrush(farge);
    }
    return p;
}

// The named face where installed; otherwise Tahoma, which shares Microsoft Sans Serif's metrics
// closely and ships with every Windows and with Wine.
HFONT Hovedvindu::Skrift(const form::Skrift& skrift) {
    const std::wstring onsket = Bred(skrift.Familie);
    const int tiendeler = static_cast<int>(skrift.Storrelse * 100.0 + 0.5);
    const std::wstring nokkel = onsket + L"/" + std::to_wstring(tiendeler);
    if (const auto f = skrifter_.find(nokkel); f != skrifter_.end()) {
        return f->second;
    }
    const auto lag = [&](const std::wstring& familie) {
        return CreateFontW(-MulDiv(tiendeler, dpi_, 7200), 0, 0, 0, skrift.Vekt, FALSE, FALSE, FALSE,
                           static_cast<DWORD>(skrift.Tegnsett), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, familie.c_str());
    };
    const auto faktisk = [](HFONT f) {
        HDC dc = GetDC(nullptr);
        HGDIOBJ gammel = SelectObject(dc, f);
        wchar_t navn[LF_FACESIZE] = {};
        GetTextFaceW(dc, LF_FACESIZE, navn);
        SelectObject(dc, gammel);
        ReleaseDC(nullptr, dc);
        return std::wstring(navn);
    };
    HFONT f = lag(onsket);
    if (lstrcmpiW(faktisk(f).c_str(), onsket.c_str()) != 0) {
        for (const wchar_t* naer : {L"Tahoma", L"Arial"}) {
            HFONT g = lag(naer);
            if (lstrcmpiW(faktisk(g).c_str(), naer) == 0) {
                DeleteObject(f);
                f = g;
                break;
            }
            DeleteObject(g);
        }
    }
    skrifter_[nokkel] = f;
    return f;
}

HWND Hovedvindu::Finn(Id id) const {
    const auto k = kontroller_.find(id);
    if (k == kontroller_.end()) {
        throw Kjoretidsfeil("Kontrollen " + Navngi(id) + " finnes ikke");
    }
    return k->second;
}

const form::Kontroll* Hovedvindu::KontrollFor(HWND hwnd) const {
    const auto p = tabellplass_.find(hwnd);
    return p != tabellplass_.end() ? &form::Kontroller[p->second] : nullptr;
}

void Hovedvindu::InitCommonControls() {
    using Init = void(WINAPI*)();
    Bind<Init>(L"comctl32.dll", "InitCommonControls")();
}

std::string Hovedvindu::LesTekst(Id boks) {
    const HWND h = Finn(boks);
    const int lengde = GetWindowTextLengthW(h);
    std::wstring tekst(static_cast<std::size_t>(lengde) + 1, L'\0');
    const int lest = GetWindowTextW(h, tekst.data(), lengde + 1);
    tekst.resize(static_cast<std::size_t>(std::max(lest, 0)));
    return Utf8(tekst);
}

void Hovedvindu::SkrivTekst(Id boks, std::string_view tekst) {
    const HWND h = Finn(boks);
    skriver_ = true;
    const BOOL ok = SetWindowTextW(h, Bred(tekst).c_str());
    skriver_ = false;
    if (!ok) {
        throw Kjoretidsfeil("Kunne ikke skrive teksten i " + Navngi(boks));
    }
}

void Hovedvindu::SkrivCaption(Id kontroll, std::string_view caption) {
    if (const auto m = menyer_.find(kontroll); m != menyer_.end()) {
        std::wstring tekst = Bred(caption);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING;
        info.dwTypeData = tekst.data();
        if (!SetMenuItemInfoW(m->second.first, m->second.second, TRUE, &info)) {
            throw Kjoretidsfeil("Kunne ikke skrive menyteksten " + Navngi(kontroll));
        }
        if (hwnd_ != nullptr) {
            DrawMenuBar(hwnd_);
        }
        return;
    }
    if (!SetWindowTextW(Finn(kontroll), Bred(caption).c_str())) {
        throw Kjoretidsfeil("Kunne ikke skrive teksten i " + Navngi(kontroll));
    }
}

void Hovedvindu::SkrivEnabled(Id kontroll, bool enabled) {
    if (const auto m = menyer_.find(kontroll); m != menyer_.end()) {
        EnableMenuItem(m->second.first, m->second.second, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
        return;
    }
    EnableWindow(Finn(kontroll), enabled ? TRUE : FALSE);
}

bool Hovedvindu::LesValue(Id option) {
    return SendMessageW(Finn(option), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Hovedvindu::SkrivBackColor(Id kontroll, form::Farge farge) {
    const HWND h = Finn(kontroll);
    static_cast<void>(Farge(farge)); // refuse an unknown system colour now, not at paint time
    bakfarger_[kontroll] = farge;
    InvalidateRect(h, nullptr, TRUE);
}

form::Vindushandtak Hovedvindu::HWnd() {
    return reinterpret_cast<form::Vindushandtak>(hwnd_);
}

form::AppInfo Hovedvindu::App() {
    return {static_cast<std::int16_t>(versjon::Major), static_cast<std::int16_t>(versjon::Minor),
            static_cast<std::int16_t>(versjon::Revision), versjon::Opphavsrett};
}

void Hovedvindu::Unload() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

void Hovedvindu::MsgBox(std::string_view prompt, int style) {
    MessageBoxW(hwnd_, Bred(prompt).c_str(), Bred(versjon::Produktnavn).c_str(), static_cast<UINT>(style));
}

// The wide entry point: the address and the URL reach the shell as they are, with no trip through
// the ANSI code page.
void Hovedvindu::ApneEpost(form::Vindushandtak eier, std::string_view url, std::function<void(bool)> ferdig) {
    const auto resultat = reinterpret_cast<INT_PTR>(
        Shell()(reinterpret_cast<HWND>(eier), nullptr, Bred(url).c_str(), nullptr, L"", SW_SHOWNORMAL));
    ferdig(static_cast<std::int32_t>(resultat) > 32);
}

void Hovedvindu::ApneNettside(std::string_view url) {
    static_cast<void>(Shell()(nullptr, nullptr, Bred(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

} // namespace kroppstall::win32
