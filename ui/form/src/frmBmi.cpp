#include "kroppstall/form/frmBmi.h"

#include <exception>
#include <string>
#include <utility>

namespace kroppstall::form {

namespace {

// One statement of a handler that runs in resume-next mode: a failure skips only this statement.
template <class Setning>
void FortsettVedFeil(Setning&& setning) {
    try {
        std::forward<Setning>(setning)();
    } catch (const std::exception&) {
        // The statement's effect is simply missing; nothing is reported.
    }
}

constexpr Id Kg{Navn::Option1, 1};
constexpr Id Bmi{Navn::Option1, 0};

} // namespace

std::vector<std::string> frmBmi::Captions(Id kontroll, std::string_view tall) {
    // cmdRegn_Click writes the limit table into the Label2 array, in either unit.
    if (kontroll.navn != Navn::Label2 || kontroll.indeks < 0 ||
        static_cast<std::size_t>(kontroll.indeks) >= BmiGrensetekster.size()) {
        return {};
    }
    const auto i = static_cast<std::size_t>(kontroll.indeks);
    const std::string t(tall);
    return {std::string(BmiGrensetekster[i]), Kgtekster({t, t, t, t})[i]};
}

frmBmi::frmBmi(Kjoretid& kjoretid, NumberFormat format, Kontakt kontakt)
    : rt_(kjoretid), format_(std::move(format)), kontakt_(std::move(kontakt)) {}

void frmBmi::Utlos(Id kilde, Hendelse hendelse) {
    if (!ErBundet(kilde.navn, hendelse)) {
        return;
    }
    switch (kilde.navn) {
    case Navn::frmBmi:
        if (hendelse == Hendelse::Initialize) {
            Form_Initialize();
        } else {
            Form_Load();
        }
        break;
    case Navn::cmdRegn:
        cmdRegn_Click();
        break;
    case Navn::Option1:
        Option1_Click(kilde.indeks);
        break;
    case Navn::txtHoyde:
        txtHoyde_Change();
        break;
    case Navn::txtVekt:
        txtVekt_Change();
        break;
    case Navn::mnuFilAvslutt:
        mnuFilAvslutt_Click();
        break;
    case Navn::mnuOmD:
        mnuOmD_Click(kilde.indeks);
        break;
    default:
        break;
    }
}

void frmBmi::cmdRegn_Click() {
    std::string vekt;
    std::string hoyde;
    bool kg = false;
    Resultat resultat;
    FortsettVedFeil([&] { vekt = rt_.LesTekst({Navn::txtVekt}); });
    FortsettVedFeil([&] { hoyde = rt_.LesTekst({Navn::txtHoyde}); });
    FortsettVedFeil([&] { kg = rt_.LesValue(Kg); });
    FortsettVedFeil([&] { resultat = RegnUt(vekt, hoyde, kg ? Enhet::Kg : Enhet::Bmi, format_); });

    FortsettVedFeil([&] { rt_.SkrivTekst({Navn::txtBmi}, resultat.BmiTekst); });
    FortsettVedFeil([&] { rt_.SkrivTekst({Navn::txtVurdering}, resultat.VurderingTekst); });
    for (std::int16_t i = 0; i < static_cast<std::int16_t>(resultat.Grensetekst.size()); ++i) {
        FortsettVedFeil([&] {
            rt_.SkrivCaption({Navn::Label2, i}, resultat.Grensetekst[static_cast<std::size_t>(i)]);
        });
    }
}

void frmBmi::Form_Initialize() {
    rt_.InitCommonControls();
}

void frmBmi::Form_Load() {
    const AppInfo app = rt_.App();
    rt_.SkrivCaption({Navn::mnuOmD, 0}, "Versjon " + std::to_string(app.Major) + "." +
                                            std::to_string(app.Minor) + "." + std::to_string(app.Revision));
    rt_.SkrivCaption({Navn::mnuOmD, 2}, app.LegalCopyright);
    rt_.SkrivBackColor({Navn::txtBmi}, Resultatfarge);
    rt_.SkrivBackColor({Navn::txtVurdering}, Resultatfarge);
}

void frmBmi::mnuFilAvslutt_Click() {
    rt_.Unload();
}

void frmBmi::mnuOmD_Click(std::int16_t Index) {
    if (Index == 4) {
        SendEpost(rt_.HWnd(), kontakt_.Epost);
    } else if (Index == 5) {
        rt_.ApneNettside(kontakt_.Hjemmeside);
    }
}

// The launch may end after this returns, so the failure box is shown from the completion callback.
// The callback holds only the run-time, which outlives every launch it starts.
void frmBmi::SendEpost(Vindushandtak window, const std::string& address) {
    Kjoretid& rt = rt_;
    rt_.ApneEpost(window, "mailto:" + address, [&rt](bool lyktes) {
        if (!lyktes) {
            rt.MsgBox(EpostFeil, MsgBoxUtrop);
        }
    });
}

void frmBmi::Option1_Click(std::int16_t /*Index*/) {
    cmdRegn_Click();
}

void frmBmi::txtHoyde_Change() {
    double vekt = 0;
    std::int32_t hoyde = 0;
    FortsettVedFeil([&] { vekt = LesVekt(rt_.LesTekst({Navn::txtVekt}), format_); });
    FortsettVedFeil([&] { hoyde = LesHoyde(rt_.LesTekst({Navn::txtHoyde}), format_); });
    const bool gyldig = ErGyldig(vekt, hoyde);
    FortsettVedFeil([&] { rt_.SkrivEnabled({Navn::cmdRegn}, gyldig); });
    FortsettVedFeil([&] { rt_.SkrivEnabled(Bmi, gyldig); });
    FortsettVedFeil([&] { rt_.SkrivEnabled(Kg, gyldig); });
}

void frmBmi::txtVekt_Change() {
    txtHoyde_Change();
}

} // namespace kroppstall::form
