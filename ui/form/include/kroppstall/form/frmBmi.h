#pragma once

#include "kroppstall/core.h"
#include "kroppstall/form/kjoretid.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kroppstall::form {

struct Kontakt {
    std::string Epost;      // bare address, no "mailto:"
    std::string Hjemmeside; // https URL
};

// The main window's event handlers. They keep nothing between calls: the members are the run-time,
// the user's number format and the maker's addresses, all fixed for the life of the form.
class frmBmi final : public Hendelsesmottaker {
public:
    static constexpr std::string_view EpostFeil = "Det oppstod en feil ved åpning av epost programmet.";
    static constexpr Farge Resultatfarge = Rgb(248, 248, 248);

    frmBmi(Kjoretid& kjoretid, NumberFormat format, Kontakt kontakt);

    // Every caption the handlers can give the control, with each number they may write shown as
    // `tall`, the widest number text there is in the font at hand; empty for a control they never
    // caption. A backend fits the control to these once.
    static std::vector<std::string> Captions(Id kontroll, std::string_view tall);

    // Runs the handler that the binding table names for the event; unbound events are ignored.
    void Utlos(Id kilde, Hendelse hendelse) override;

    void cmdRegn_Click();
    void Form_Initialize();
    void Form_Load();
    void mnuFilAvslutt_Click();
    void mnuOmD_Click(std::int16_t Index);
    void Option1_Click(std::int16_t Index);
    void txtHoyde_Change();
    void txtVekt_Change();

private:
    void SendEpost(Vindushandtak window, const std::string& address);

    Kjoretid& rt_;
    NumberFormat format_;
    Kontakt kontakt_;
};

} // namespace kroppstall::form
