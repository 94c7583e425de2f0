#pragma once

#include "kroppstall/form/kjoretid.h"
#include "kroppstall/talltekst.h"

#include <functional>
#include <string_view>

namespace kroppstall::form {

// What every backend does the same way around the form: the order of start-up, the delivery of
// events, and the default error handling that an error no handler traps ends in. A backend adds
// the window itself (Bygg) and how the toolkit reports an error and ends the program.
class Vert : public Kjoretid {
public:
    // Raises Initialize, builds the window, then raises Load; a failure in any step gets the default
    // error handling, and the steps after it do not run.
    void Start(Hendelsesmottaker& mottaker);
    // True once the default error handling has ended the program.
    bool Avsluttet() const { return avsluttet_; }

    // Delivers an event to the form, inside the error guard.
    void Utlos(Id kilde, Hendelse hendelse);
    // The error guard: runs `handling` unless the program has ended; an error of any type that
    // escapes it goes to the default error handling instead of unwinding into the toolkit.
    void Trygt(const std::function<void()>& handling);
    // The default error handling: the first error is reported and ends the program; nothing reaches
    // the form after it.
    void Standardfeil(std::string_view melding);

    // Shows the window centred on its screen, with the focus where the tab order starts.
    virtual void VisMidtstilt() = 0;
    // The message loop; returns the process exit code once the window is gone.
    virtual int Kjor() = 0;

protected:
    Vert() = default;
    // Events stop reaching the form, as when the window goes away.
    void Frakoble() { mottaker_ = nullptr; }

private:
    // Builds the window and every control and menu from the layout tables.
    virtual void Bygg() = 0;
    // Shows `feiltekst` in the toolkit's error box and ends the program.
    virtual void MeldOgAvslutt(std::string_view feiltekst) = 0;

    Hendelsesmottaker* mottaker_ = nullptr;
    bool avsluttet_ = false;
};

struct Kontakt;

// The program's life once its window exists, in the order the forms run-time's start routine keeps:
// the form made with the user's number format (read once, so that the enable check and the
// calculation always use the same one), Start, the window shown, the message loop. Whatever fails on
// the way gets the window's default error handling. Returns the process exit code.
int KjorProgram(Vert& vindu, NumberFormat (*tallformat)(), const Kontakt& kontakt);

} // namespace kroppstall::form
