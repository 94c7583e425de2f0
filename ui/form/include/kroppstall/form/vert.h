#pragma once

#include "kroppstall/form/kjoretid.h"

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

} // namespace kroppstall::form
