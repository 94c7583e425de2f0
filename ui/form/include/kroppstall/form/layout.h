#pragma once

#include "kroppstall/grenser.h"

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kroppstall::form {

// Every name on the window. Controls that share a name form a control array told apart by Index.
enum class Navn {
    frmBmi,
    Option1,
    cmdRegn,
    txtVurdering,
    txtBmi,
    txtVekt,
    txtHoyde,
    Image1,
    Label2,
    Line2,
    Line1,
    Shape1,
    lblVurdering,
    lblBmi,
    lblVekt,
    lblHoyde,
    Shape2,
    mnuFil,
    mnuFilAvslutt,
    mnuOm,
    mnuOmD,
};

std::string_view NavnTekst(Navn navn);

// A control or menu item: its name and, for array members, its Index (0 for the others).
struct Id {
    Navn navn{};
    std::int16_t indeks = 0;

    friend constexpr auto operator<=>(const Id&, const Id&) = default;
};

// 0x00BBGGRR, or 0x80000000 plus a system-colour index.
using Farge = std::uint32_t;

constexpr Farge Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}
constexpr Farge SystemFarge(std::uint32_t indeks) {
    return 0x80000000u | indeks;
}
constexpr bool ErSystemFarge(Farge f) {
    return (f & 0x80000000u) != 0;
}

inline constexpr Farge Vindusbakgrunn = SystemFarge(5);
inline constexpr Farge Vindustekst = SystemFarge(8);
inline constexpr Farge Knappeflate = SystemFarge(15);
inline constexpr Farge Knappetekst = SystemFarge(18);

enum class Type { OptionButton, CommandButton, TextBox, Image, Label, Line, Shape };
enum class Justering { Venstre, Hoyre, Midt };

struct Skrift {
    std::string_view Familie;
    double Storrelse = 8.25; // points
    int Vekt = 400;
    int Tegnsett = 0;
};

struct Rektangel {
    int Left = 0, Top = 0, Width = 0, Height = 0; // twips
};

struct Linjestykke {
    int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0; // twips
};

inline constexpr int TwipsPerTomme = 1440;
inline constexpr std::int16_t IngenTab = -1;

// One control with every property the window needs; what the designer left at its default is
// written out here too, so that a backend never has to know the defaults of the forms run-time.
struct Kontroll {
    Id id;
    Type type{};
    Rektangel Rekt{};    // every type except Line
    Linjestykke Linje{}; // Line only
    std::int16_t TabIndex = IngenTab;
    std::string_view Caption{};   // UTF-8; '&' marks the access key
    std::optional<Skrift> Font{}; // none: the form's font
    Farge BackColor = Knappeflate;
    Farge ForeColor = Knappetekst;
    Farge BorderColor = Vindustekst;
    Farge FillColor = Vindustekst;
    bool FillSolid = false;
    bool Enabled = true;
    bool Value = false;
    bool Default = false; // Enter presses it while it is enabled
    int MaxLength = 0;    // 0: no limit
    Justering Alignment = Justering::Venstre;
    bool Stretch = false;
};

struct Skjema {
    std::string_view Caption;
    int ClientWidth = 0, ClientHeight = 0; // twips, below the menu bar
    Skrift Font;
    Farge BackColor = Knappeflate;
    Farge ForeColor = Knappetekst;
    bool FastStorrelse = true;
    bool MaxButton = false;
    bool MinButton = true;
    bool Midtstilt = true;
};

// A caption of "-" is a separator line.
struct Menypunkt {
    Id id;
    int Niva = 1;
    std::string_view Caption;
    bool Enabled = true;
};

enum class Hendelse { Initialize, Load, Click, Change };

struct Binding {
    Navn kilde;
    Hendelse hendelse;
};

// A label that names an input or result box, for screen readers.
struct Etikett {
    Navn label;
    Navn boks;
};

inline constexpr Skrift SansSerif{"Microsoft Sans Serif", 8.25};
inline constexpr Skrift SansSerifStor{"Microsoft Sans Serif", 9.75};
inline constexpr Farge Gra = Rgb(128, 128, 128);
inline constexpr Farge Hvit = Rgb(255, 255, 255);

inline constexpr Skjema FrmBmi{
    .Caption = "Kroppstall",
    .ClientWidth = 3150,
    .ClientHeight = 5175,
    .Font = {"Tahoma", 8.25},
};

// Top of the stacking order first: the white Shape2 at the end lies under everything else.
inline constexpr std::array<Kontroll, 22> Kontroller{{
    {.id = {Navn::Option1, 1},
     .type = Type::OptionButton,
     .Rekt = {840, 2850, 615, 285},
     .TabIndex = 16,
     .Caption = "Kg.",
     .Enabled = false,
     .Value = false},
    {.id = {Navn::Option1, 0},
     .type = Type::OptionButton,
     .Rekt = {150, 2850, 645, 285},
     .TabIndex = 15,
     .Caption = "BMI",
     .Enabled = false,
     .Value = true},
    {.id = {Navn::cmdRegn},
     .type = Type::CommandButton,
     .Rekt = {1500, 1140, 1350, 405},
     .TabIndex = 8,
     .Caption = "Regn ut",
     .Font = SansSerif,
     .Enabled = false,
     .Default = true},
    {.id = {Navn::txtVurdering},
     .type = Type::TextBox,
     .Rekt = {1455, 2100, 1455, 330},
     .TabIndex = 6,
     .Font = SansSerif,
     .BackColor = Vindusbakgrunn,
     .ForeColor = Vindustekst,
     .Enabled = false},
    {.id = {Navn::txtBmi},
     .type = Type::TextBox,
     .Rekt = {1455, 1665, 1455, 330},
     .TabIndex = 4,
     .Font = SansSerif,
     .BackColor = Vindusbakgrunn,
     .ForeColor = Vindustekst,
     .Enabled = false},
    {.id = {Navn::txtVekt},
     .type = Type::TextBox,
     .Rekt = {1455, 690, 1455, 330},
     .TabIndex = 2,
     .Font = SansSerif,
     .BackColor = Vindusbakgrunn,
     .ForeColor = Vindustekst,
     .MaxLength = 4},
    {.id = {Navn::txtHoyde},
     .type = Type::TextBox,
     .Rekt = {1455, 225, 1455, 330},
     .TabIndex = 0,
     .Font = SansSerif,
     .BackColor = Vindusbakgrunn,
     .ForeColor = Vindustekst,
     .MaxLength = 3},
    {.id = {Navn::Image1}, .type = Type::Image, .Rekt = {0, 15, 240, 240}, .Stretch = true},
    {.id = {Navn::Label2, 4},
     .type = Type::Label,
     .Rekt = {240, 4695, 2670, 270},
     .TabIndex = 14,
     .Caption = BmiGrensetekster[4],
     .Font = SansSerif,
     .BackColor = Vindusbakgrunn,
     .ForeColor = Vindustekst,
     .Alignment = Justering::Midt},
    {.id = {Navn::Line2}, .type = Type::Line, .Linje = {0, 0, 3135, 0}, .BorderColor = Gra},
    {.id = {Navn::Line1}, .type = Type::Line, .Linje = {330, 3510, 2865, 3510}, .BorderColor = Gra},
    {.id = {Navn::Shape1}, .type = Type::Shape, .Rekt = {105, 3165, 2985, 1845}, .BorderColor = Gra},
    {.id = {Navn::Label2, 5},
     .type = Type::Label,
     .Rekt = {270, 3210, 2670, 270},
     .TabIndex = 13,
     .Caption = BmiGrensetekster[5],
     .Font = SansSerifStor,
     .Alignment = Justering::Midt},
    {.id = {Navn::Label2, 3},
     .type = Type::Label,
     .Rekt = {240, 4410, 2670, 270},
     .TabIndex = 12,
     .Caption = BmiGrensetekster[3],
     .Font = SansSerif,
     .BackColor = Vindusbakgrunn,
     .ForeColor = Vindustekst,
     .Alignment = Justering::Midt},
    {.id = {Navn::Label2, 2},
     .type = Type::Label,
     .Rekt = {225, 4140, 2670, 270},
     .TabIndex = 11,
     .Caption = BmiGrensetekster[2],
     .Font = SansSerif,
     .BackColor = Vindusbakgrunn,
     .ForeColor = Vindustekst,
     .Alignment = Justering::Midt},
    {.id = {Navn::Label2, 1},
     .type = Type::Label,
     .Rekt = {240, 3840, 2670, 270},
     .TabIndex = 10,
     .Caption = BmiGrensetekster[1],
     .Font = SansSerif,
     .BackColor = Vindusbakgrunn,
     .ForeColor = Vindustekst,
     .Alignment = Justering::Midt},
    {.id = {Navn::Label2, 0},
     .type = Type::Label,
     .Rekt = {240, 3570, 2670, 270},
     .TabIndex = 9,
     .Caption = BmiGrensetekster[0],
     .Font = SansSerif,
     .BackColor = Vindusbakgrunn,
     .ForeColor = Vindustekst,
     .Alignment = Justering::Midt},
    {.id = {Navn::lblVurdering},
     .type = Type::Label,
     .Rekt = {375, 2190, 1050, 270},
     .TabIndex = 7,
     .Caption = "Vurdering:",
     .Font = SansSerif,
     .Alignment = Justering::Hoyre},
    {.id = {Navn::lblBmi},
     .type = Type::Label,
     .Rekt = {375, 1755, 1050, 270},
     .TabIndex = 5,
     .Caption = "BMI:",
     .Font = SansSerif,
     .Alignment = Justering::Hoyre},
    {.id = {Navn::lblVekt},
     .type = Type::Label,
     .Rekt = {375, 780, 1050, 270},
     .TabIndex = 3,
     .Caption = "Vekt i kg:",
     .Font = SansSerif,
     .Alignment = Justering::Hoyre},
    {.id = {Navn::lblHoyde},
     .type = Type::Label,
     .Rekt = {375, 315, 1050, 270},
     .TabIndex = 1,
     .Caption = "Høyde i cm:",
     .Font = SansSerif,
     .Alignment = Justering::Hoyre},
    {.id = {Navn::Shape2},
     .type = Type::Shape,
     .Rekt = {105, 3165, 2985, 1845},
     .BorderColor = Vindustekst,
     .FillColor = Hvit,
     .FillSolid = true},
}};

inline constexpr std::array<Menypunkt, 9> Menyer{{
    {.id = {Navn::mnuFil}, .Niva = 1, .Caption = "&Fil"},
    {.id = {Navn::mnuFilAvslutt}, .Niva = 2, .Caption = "&Avslutt"},
    {.id = {Navn::mnuOm}, .Niva = 1, .Caption = "&Om"},
    {.id = {Navn::mnuOmD, 0}, .Niva = 2, .Caption = "Versjon x", .Enabled = false},
    {.id = {Navn::mnuOmD, 1}, .Niva = 2, .Caption = "Laget av Tindrel", .Enabled = false},
    {.id = {Navn::mnuOmD, 2}, .Niva = 2, .Caption = "Opphavsrett", .Enabled = false},
    {.id = {Navn::mnuOmD, 3}, .Niva = 2, .Caption = "-"},
    {.id = {Navn::mnuOmD, 4}, .Niva = 2, .Caption = "Send &e-post til Tindrel"},
    {.id = {Navn::mnuOmD, 5}, .Niva = 2, .Caption = "Gå til &Tindrels hjemmeside"},
}};

inline constexpr std::array<Binding, 8> Bindinger{{
    {Navn::frmBmi, Hendelse::Initialize},
    {Navn::frmBmi, Hendelse::Load},
    {Navn::cmdRegn, Hendelse::Click},
    {Navn::Option1, Hendelse::Click},
    {Navn::txtHoyde, Hendelse::Change},
    {Navn::txtVekt, Hendelse::Change},
    {Navn::mnuFilAvslutt, Hendelse::Click},
    {Navn::mnuOmD, Hendelse::Click},
}};

inline constexpr std::array<Etikett, 4> Etiketter{{
    {Navn::lblHoyde, Navn::txtHoyde},
    {Navn::lblVekt, Navn::txtVekt},
    {Navn::lblBmi, Navn::txtBmi},
    {Navn::lblVurdering, Navn::txtVurdering},
}};

constexpr bool ErBundet(Navn kilde, Hendelse hendelse) {
    for (const auto& b : Bindinger) {
        if (b.kilde == kilde && b.hendelse == hendelse) {
            return true;
        }
    }
    return false;
}

// Nullptr when the layout has no such control.
constexpr const Kontroll* FinnKontroll(Id id) {
    for (const auto& k : Kontroller) {
        if (k.id == id) {
            return &k;
        }
    }
    return nullptr;
}

} // namespace kroppstall::form
