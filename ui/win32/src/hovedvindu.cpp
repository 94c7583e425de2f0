#include "farger.h"
#include "kroppstall/form/ordning.h"
#include "skjemavindu.h"
#include "tegning.h"
#include "tekst.h"

#include <map>
#include <memory>

namespace kroppstall::win32 {

using form::Hendelse;
using form::Id;
using form::Kjoretidsfeil;
using form::Navn;
using form::Type;

namespace {

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

// What a control's own properties add to the styles of its type.
DWORD Stil(const form::Kontroll& k) {
    DWORD stil = (k.Enabled ? 0 : WS_DISABLED) | WS_GROUP;
    switch (k.type) {
    case Type::TextBox:
    case Type::Label:
        stil |= Justering(k.type, k.Alignment);
        break;
    case Type::CommandButton:
        stil |= k.Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        break;
    case Type::OptionButton:
        // One group: the first option of the array starts it, the others join it. Only the selected
        // one is a tab stop, so Tab enters the group at the selection.
        if (!form::StarterGruppe(k)) {
            stil &= ~static_cast<DWORD>(WS_GROUP);
        }
        stil |= k.Value ? WS_TABSTOP : 0;
        break;
    default:
        break;
    }
    return stil;
}

} // namespace

std::unique_ptr<form::Vert> LagHovedvindu(HINSTANCE instans, Ressurser ressurser) {
    return std::make_unique<Skjemavindu>(instans, std::move(ressurser));
}

Skjemavindu::Skjemavindu(HINSTANCE instans, Ressurser ressurser)
    : instans_(instans), ressurser_(std::move(ressurser)) {}

Skjemavindu::~Skjemavindu() {
    Frakoble();
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

void Skjemavindu::Bygg() {
    for (const auto& [id, bilde] : ressurser_.bilder) {
        static_cast<void>(form::Bildekontroll(id));
    }
    HDC skjerm = GetDC(nullptr);
    dpi_ = GetDeviceCaps(skjerm, LOGPIXELSY);
    ReleaseDC(nullptr, skjerm);
    LagVindu();
    for (const form::Kontroll* k : form::Opprettelsesrekke) {
        ByggKontroll(*k, static_cast<std::size_t>(k - form::Kontroller.data()));
    }
    for (const auto& [id, bilde] : ressurser_.bilder) {
        if (HICON ikon = LagIkon(bilde)) {
            bilder_[id] = ikon;
        }
    }
    startfokus_ = kontroller_.at(form::Startfokus->id);
}

// The top-level window with its icon, menu bar and a client area of the form's size.
void Skjemavindu::LagVindu() {
    const form::Skjema& s = form::FrmBmi;
    ikonStor_ = static_cast<HICON>(LoadImageW(instans_, MAKEINTRESOURCEW(ressurser_.ikongruppe), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    ikonLiten_ =
        static_cast<HICON>(LoadImageW(instans_, MAKEINTRESOURCEW(ressurser_.ikongruppe), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));

    WNDCLASSEXW klasse{};
    klasse.cbSize = sizeof klasse;
    klasse.lpfnWndProc = &Skjemavindu::Vindusprosedyre;
    klasse.hInstance = instans_;
    klasse.hIcon = ikonStor_;
    klasse.hIconSm = ikonLiten_;
    klasse.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    klasse.hbrBackground = nullptr; // erased by the window itself, in its colour of the moment
    klasse.lpszClassName = Klassenavn;
    if (RegisterClassExW(&klasse) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw Kjoretidsfeil("Kunne ikke registrere vindusklassen");
    }

    DWORD stil = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    stil |= (s.MinButton ? WS_MINIMIZEBOX : 0) | (s.MaxButton ? WS_MAXIMIZEBOX : 0);
    stil |= s.FastStorrelse ? 0 : WS_THICKFRAME;
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
}

const Skjemavindu::Kontrolltype& Skjemavindu::TypeFor(Type type) {
    static const std::map<Type, Kontrolltype> typer{
        {Type::OptionButton, {L"BUTTON", BS_AUTORADIOBUTTON, 0}},
        {Type::CommandButton, {L"BUTTON", WS_TABSTOP, 0}},
        {Type::TextBox, {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE}},
        {Type::Image, {nullptr, 0, 0}},
        {Type::Label, {L"STATIC", 0, 0}},
        {Type::Line, {nullptr, 0, 0}},
        {Type::Shape, {nullptr, 0, 0}},
    };
    return typer.at(type);
}

void Skjemavindu::ByggKontroll(const form::Kontroll& k, std::size_t tabellplass) {
    const Kontrolltype& type = TypeFor(k.type);
    if (type.klasse == nullptr) {
        return; // painted by the form itself
    }
    const WORD id = KontrollId(tabellplass);
    HWND hwnd = CreateWindowExW(type.utvidet, type.klasse, Bred(k.Caption).c_str(),
                                WS_CHILD | WS_VISIBLE | type.stil | Stil(k), Piksler(k.Rekt.Left),
                                Piksler(k.Rekt.Top), Piksler(k.Rekt.Width), Piksler(k.Rekt.Height), hwnd_,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instans_, nullptr);
    if (hwnd == nullptr) {
        throw Kjoretidsfeil("Kunne ikke lage " + form::IdTekst(k.id));
    }
    kontroller_[k.id] = hwnd;
    tabellplass_[hwnd] = tabellplass;
    bakfarger_[k.id] = k.BackColor;
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(Skrift(k.Font ? *k.Font : form::FrmBmi.Font)),
                 FALSE);
    if (k.type == Type::TextBox) {
        // Also limits what a paste can bring in.
        SendMessageW(hwnd, EM_SETLIMITTEXT, static_cast<WPARAM>(k.MaxLength), 0);
        if (form::ErVisning(k)) {
            TegnEgenTekst(hwnd);
        } else {
            TegnFokuskant(hwnd);
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

void Skjemavindu::ByggMenyer() {
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

void Skjemavindu::VisMidtstilt() {
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

int Skjemavindu::Piksler(int twips) const {
    return MulDiv(twips, dpi_, form::TwipsPerTomme);
}

HWND Skjemavindu::Finn(Id id) const {
    const auto k = kontroller_.find(id);
    if (k == kontroller_.end()) {
        throw Kjoretidsfeil("Kontrollen " + form::IdTekst(id) + " finnes ikke");
    }
    return k->second;
}

const form::Kontroll* Skjemavindu::KontrollFor(HWND hwnd) const {
    const auto p = tabellplass_.find(hwnd);
    return p != tabellplass_.end() ? &form::Kontroller[p->second] : nullptr;
}

} // namespace kroppstall::win32
