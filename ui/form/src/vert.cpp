#include "kroppstall/form/vert.h"

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

} // namespace kroppstall::form
