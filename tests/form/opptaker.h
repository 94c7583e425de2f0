#pragma once

#include "kroppstall/form/kjoretid.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kroppstall::form::test {

// One call as the fake received it. A control in the name is spelt as IdTekst spells it.
struct Kall {
    std::string navn;               // as "SkrivTekst txtBmi(0)" or "MsgBox 48": what a failure is chosen by
    std::optional<std::string> arg; // the text, caption, value or URL the call carries
    bool feilet = false;

    // "SkrivTekst txtBmi(0) \"24,7\"": the call as one readable line.
    std::string Linje() const { return arg ? navn + " \"" + *arg + "\"" : navn; }
};

// The window's properties as the run-time holds them.
struct Egenskaper {
    std::map<Id, std::string> tekst;
    std::map<Id, std::string> caption;
    std::map<Id, bool> enabled;
    std::map<Id, bool> value;
    std::map<Id, Farge> backColor;

    friend bool operator==(const Egenskaper&, const Egenskaper&) = default;
};

// The run-time as the handlers see it: records every call in order, keeps the properties, starting
// from the layout's design-time values, and changes them only when a write succeeds. Calls whose
// name is in `feiler` throw, the way a failing run-time status would.
class Opptaker final : public Kjoretid {
public:
    static constexpr Vindushandtak Handtak = 0x1234;

    Egenskaper e;
    std::vector<Kall> kall;
    std::set<std::string> feiler;
    AppInfo app{1, 0, 5, "Copyright © 2024-2026 Tindrel"};
    std::vector<std::function<void(bool)>> epostVenter;
    bool lastetUt = false;
    std::vector<std::string> ukjente; // calls on ids the layout lacks, or of the wrong kind

    Opptaker() { Designtid(); }

    // The properties as the designer left them; no launch under way, nothing unloaded.
    void Designtid() {
        e = {};
        for (const Kontroll& k : Kontroller) {
            if (k.type == Type::TextBox) {
                e.tekst[k.id] = "";
            }
            if (k.type == Type::Label || k.type == Type::CommandButton || k.type == Type::OptionButton) {
                e.caption[k.id] = std::string(k.Caption);
            }
            e.enabled[k.id] = k.Enabled;
            if (k.type == Type::OptionButton) {
                e.value[k.id] = k.Value;
            }
            e.backColor[k.id] = k.BackColor;
        }
        for (const Menypunkt& m : Menyer) {
            e.caption[m.id] = std::string(m.Caption);
            e.enabled[m.id] = m.Enabled;
        }
        epostVenter.clear();
        lastetUt = false;
    }

    // The calls since the last time, as lines.
    std::vector<std::string> Ta() {
        std::vector<std::string> linjer;
        for (const Kall& k : std::exchange(kall, {})) {
            linjer.push_back(k.Linje());
        }
        return linjer;
    }

    void InitCommonControls() override { Gjor("InitCommonControls"); }
    std::string LesTekst(Id boks) override {
        Gjor("LesTekst " + IdTekst(boks), std::nullopt, boks, Type::TextBox);
        return e.tekst[boks];
    }
    void SkrivTekst(Id boks, std::string_view t) override {
        Gjor("SkrivTekst " + IdTekst(boks), std::string(t), boks, Type::TextBox);
        e.tekst[boks] = t;
    }
    void SkrivCaption(Id kontroll, std::string_view caption) override {
        Gjor("SkrivCaption " + IdTekst(kontroll), std::string(caption), kontroll);
        e.caption[kontroll] = caption;
    }
    void SkrivEnabled(Id kontroll, bool enabled) override {
        Gjor("SkrivEnabled " + IdTekst(kontroll), enabled ? "-1" : "0", kontroll);
        e.enabled[kontroll] = enabled;
    }
    bool LesValue(Id option) override {
        Gjor("LesValue " + IdTekst(option), std::nullopt, option, Type::OptionButton);
        return e.value[option];
    }
    void SkrivBackColor(Id kontroll, Farge farge) override {
        Gjor("SkrivBackColor " + IdTekst(kontroll), std::to_string(farge), kontroll);
        e.backColor[kontroll] = farge;
    }
    Vindushandtak HWnd() override {
        Gjor("HWnd");
        return Handtak;
    }
    AppInfo App() override {
        Gjor("App");
        return app;
    }
    void Unload() override {
        Gjor("Unload");
        lastetUt = true;
    }
    void MsgBox(std::string_view prompt, int style) override {
        Gjor("MsgBox " + std::to_string(style), std::string(prompt));
    }
    void ApneEpost(Vindushandtak eier, std::string_view url, std::function<void(bool)> ferdig) override {
        Gjor("ApneEpost " + std::to_string(eier), std::string(url));
        epostVenter.push_back(std::move(ferdig));
    }
    void ApneNettside(std::string_view url) override { Gjor("ApneNettside", std::string(url)); }

private:
    void Gjor(const std::string& navn, std::optional<std::string> arg = std::nullopt,
              std::optional<Id> id = std::nullopt, std::optional<Type> type = std::nullopt) {
        if (id) {
            const Kontroll* k = FinnKontroll(*id);
            const bool meny = FinnMeny(*id);
            if ((k == nullptr && !meny) || (type && (k == nullptr || k->type != *type))) {
                ukjente.push_back(navn);
            }
        }
        const bool feil = feiler.count(navn) != 0;
        kall.push_back({navn, std::move(arg), feil});
        if (feil) {
            throw Kjoretidsfeil("feil i " + navn);
        }
    }
    static bool FinnMeny(Id id) {
        for (const Menypunkt& m : Menyer) {
            if (m.id == id) {
                return true;
            }
        }
        return false;
    }
};

} // namespace kroppstall::form::test
