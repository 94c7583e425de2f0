#pragma once

#include "kroppstall/form/layout.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kroppstall::form {

// A failing property access or method call. Handlers in resume-next mode skip the statement that
// raised it; everywhere else it reaches the backend's default error handling, which ends the program.
class Kjoretidsfeil : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Runs `handling`; an error that escapes it, of any type, goes to `feil` as one line of text instead,
// so that nothing unwinds out of a backend's event handling.
template <class Handling, class Feil>
void Fang(Handling&& handling, Feil&& feil) {
    try {
        handling();
    } catch (const std::exception& e) {
        feil(e.what());
    } catch (...) {
        feil("Ukjent feil");
    }
}

// "Label2(3)": a control as error texts name it.
inline std::string IdTekst(Id id) {
    return std::string(NavnTekst(id.navn)) + "(" + std::to_string(id.indeks) + ")";
}

using Vindushandtak = std::uintptr_t;

struct AppInfo {
    std::int16_t Major = 0;
    std::int16_t Minor = 0;
    std::int16_t Revision = 0;
    std::string LegalCopyright;
};

inline constexpr int MsgBoxUtrop = 48; // exclamation icon, one OK button

enum class Meldingsikon { Ingen, Stopp, Sporsmal, Utrop, Informasjon };

// The icon of a MsgBox style (its bits 0x70). The handlers get no answer back from a box, so the
// style must name the one OK button (bits 0x7 clear): any other set of buttons is a run-time error.
inline Meldingsikon MsgBoxIkon(int style) {
    if ((style & 0x7) != 0) {
        throw Kjoretidsfeil("Bare OK-knappen er støttet i meldingsbokser");
    }
    switch (style & 0x70) {
    case 16:
        return Meldingsikon::Stopp;
    case 32:
        return Meldingsikon::Sporsmal;
    case 48:
        return Meldingsikon::Utrop;
    case 64:
        return Meldingsikon::Informasjon;
    default:
        return Meldingsikon::Ingen;
    }
}

// What the handlers ask of the toolkit that stands in for the forms run-time. Texts are UTF-8.
// Any operation may throw Kjoretidsfeil.
class Kjoretid {
public:
    virtual ~Kjoretid() = default;

    // The Windows common controls; a toolkit that draws its own controls has nothing to do.
    virtual void InitCommonControls() = 0;

    virtual std::string LesTekst(Id boks) = 0;
    // Raises no Change handler of the form.
    virtual void SkrivTekst(Id boks, std::string_view tekst) = 0;
    virtual void SkrivCaption(Id kontroll, std::string_view caption) = 0;
    virtual void SkrivEnabled(Id kontroll, bool enabled) = 0;
    virtual bool LesValue(Id option) = 0;
    virtual void SkrivBackColor(Id kontroll, Farge farge) = 0;

    virtual Vindushandtak HWnd() = 0;
    virtual AppInfo App() = 0;
    virtual void Unload() = 0;
    // Modal; the application title stands in the title bar. The style as MsgBoxIkon reads it.
    virtual void MsgBox(std::string_view prompt, int style) = 0;

    // Starting a mail program may finish after the call returns (on Linux, xdg-open runs as a
    // child process), so the outcome arrives through `ferdig`, on the user-interface thread,
    // exactly once. A backend that knows at once may call it before returning. While one launch has
    // not yet reported, a further call starts nothing and reports nothing: the one under way answers.
    virtual void ApneEpost(Vindushandtak eier, std::string_view url, std::function<void(bool)> ferdig) = 0;
    // Fire and forget: nobody is told whether a browser opened.
    virtual void ApneNettside(std::string_view url) = 0;
};

// Where a backend delivers the events of the binding table.
class Hendelsesmottaker {
public:
    virtual ~Hendelsesmottaker() = default;
    virtual void Utlos(Id kilde, Hendelse hendelse) = 0;

protected:
    Hendelsesmottaker() = default;
    Hendelsesmottaker(const Hendelsesmottaker&) = default;
    Hendelsesmottaker& operator=(const Hendelsesmottaker&) = default;
};

} // namespace kroppstall::form
