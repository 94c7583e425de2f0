#include "kroppstall/form/vert.h"

#include "kroppstall/form/frmBmi.h"

#include <optional>
#include <string>

namespace kroppstall::form {

void Vert::Start(Hendelsesmottaker& mottaker) {
    mottaker_ = &mottaker;
    Utlos({Navn::frmBmi}, Hendelse::Initialize);
    Trygt([this] { Bygg(); });
    Utlos({Navn::frmBmi}, Hendelse::Load);
}

void Vert::Utlos(Id kilde, Hendelse hendelse) {
    Trygt([&] {
        if (mottaker_ != nullptr) {
            mottaker_->Utlos(kilde, hendelse);
        }
    });
}

void Vert::Trygt(const std::function<void()>& handling) {
    if (avsluttet_) {
        return;
    }
    Fang(handling, [this](const char* feil) { Standardfeil(feil); });
}

void Vert::Standardfeil(std::string_view melding) {
    if (avsluttet_) {
        return;
    }
    avsluttet_ = true;
    mottaker_ = nullptr;
    MeldOgAvslutt("Kjøretidsfeil: " + std::string(melding));
}

int KjorProgram(Vert& vindu, NumberFormat (*tallformat)(), const Kontakt& kontakt) {
    std::optional<frmBmi> form;
    vindu.Trygt([&] { form.emplace(vindu, tallformat(), kontakt); });
    if (!form) {
        return 1;
    }
    vindu.Start(*form);
    if (vindu.Avsluttet()) {
        return 1;
    }
    vindu.VisMidtstilt();
    return vindu.Kjor();
}

} // namespace kroppstall::form
