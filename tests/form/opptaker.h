#pragma once

#include "kroppstall/form/kjoretid.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace kroppstall::form::test {

inline std::string Navngi(Id id) {
    std::string s(NavnTekst(id.navn));
    const bool array = id.navn == Navn::Option1 || id.navn == Navn::Label2 || id.navn == Navn::mnuOmD;
    if (array) {
        s += "(" + std::to_string(id.indeks) + ")";
    }
    return s;
}

// Records every call in order as one readable line, keeps the properties it was given, and can
// make chosen calls fail the way a failing run-time status would.
class Opptaker final : public Kjoretid {
public:
    std::vector<std::string> logg;
    std::map<Id, std::string> tekst;
    std::map<Id, bool> value;
    std::set<std::string> feiler; // calls, as logged without arguments, that throw
    AppInfo app{1, 0, 5, "Copyright © 2024-2026 Tindrel"};
    Vindushandtak hwnd = 0x1234;
    std::vector<std::function<void(bool)>> epostVenter;

    void InitCommonControls() override { Logg("InitCommonControls"); }
    std::string LesTekst(Id boks) override {
        Logg("LesTekst " + Navngi(boks));
        return tekst[boks];
    }
    void SkrivTekst(Id boks, std::string_view t) override {
        Logg("SkrivTekst " + Navngi(boks), t);
        tekst[boks] = t;
    }
    void SkrivCaption(Id kontroll, std::string_view caption) override {
        Logg("SkrivCaption " + Navngi(kontroll), caption);
    }
    void SkrivEnabled(Id kontroll, bool enabled) override {
        Logg("SkrivEnabled " + Navngi(kontroll), enabled ? "-1" : "0");
    }
    bool LesValue(Id option) override {
        Logg("LesValue " + Navngi(option));
        return value[option];
    }
    void SkrivBackColor(Id kontroll, Farge farge) override {
        Logg("SkrivBackColor " + Navngi(kontroll), std::to_string(farge));
    }
    Vindushandtak HWnd() override {
        Logg("HWnd");
        return hwnd;
    }
    AppInfo App() override {
        Logg("App");
        return app;
    }
    void Unload() override { Logg("Unload"); }
    void MsgBox(std::string_view prompt, int style) override {
        Logg("MsgBox " + std::to_string(style), prompt);
    }
    void ApneEpost(Vindushandtak eier, std::string_view url, std::function<void(bool)> ferdig) override {
        Logg("ApneEpost " + std::to_string(eier), url);
        epostVenter.push_back(std::move(ferdig));
    }
    void ApneNettside(std::string_view url) override { Logg("ApneNettside", url); }

private:
    void Logg(const std::string& kall) {
        logg.push_back(kall);
        if (feiler.count(kall) != 0) {
            throw Kjoretidsfeil("feil i " + kall);
        }
    }
    void Logg(const std::string& kall, std::string_view arg) {
        logg.push_back(kall + " \"" + std::string(arg) + "\"");
        if (feiler.count(kall) != 0) {
            throw Kjoretidsfeil("feil i " + kall);
        }
    }
};

} // namespace kroppstall::form::test
