#pragma once

#include "kroppstall/core.h"
#include "kroppstall/form/kjoretid.h"

#include <QIcon>
#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>

class QAction;
class QLocale;
class QPushButton;

namespace kroppstall::qt {

// Pictures come from the program, which embeds them; the backend only places them.
struct Ressurser {
    QIcon ikon;
    std::map<form::Id, QPixmap> bilder; // for the layout's Image controls
};

// A square picture from a table of 0xAARRGGBB words, top row first. That is QImage's own ARGB32
// layout, so nothing is decoded: no image reader and none of its plugins are needed.
template <int Side, std::size_t N>
QPixmap Bilde(const std::array<std::uint32_t, N>& punkter) {
    static_assert(N == std::size_t{Side} * Side, "a square picture, Side words a row");
    return QPixmap::fromImage(
        QImage(reinterpret_cast<const uchar*>(punkter.data()), Side, Side, QImage::Format_ARGB32));
}

// The user's number format, read from a Qt locale, with UTF-8 separators.
NumberFormat Tallformat(const QLocale& locale);

// The one window, built from the layout tables only, standing in for the forms run-time.
class Hovedvindu final : public QMainWindow, public form::Kjoretid {
    Q_OBJECT

public:
    // How long xdg-open may run before the mail launch counts as started.
    static constexpr int Oppstartsfrist = 3000; // ms

    explicit Hovedvindu(Ressurser ressurser, QWidget* parent = nullptr);
    ~Hovedvindu() override;

    // Raises Initialize, builds every control and menu, then raises Load; from here on the
    // controls' events reach `mottaker`.
    void Start(form::Hendelsesmottaker& mottaker);
    // Shows the window centred on its screen, with the focus where the tab order starts.
    void VisMidtstilt();

    // Delivers an event to the form; an error that escapes the handler gets the default handling.
    void Utlos(form::Id kilde, form::Hendelse hendelse);
    // True once the default error handling has ended the program.
    bool Avsluttet() const { return avsluttet_; }

    QWidget* Kontroll(form::Id id) const;
    QAction* Meny(form::Id id) const;
    QWidget* Klientflate() const { return klient_; }
    int Piksler(int twips) const;

    void InitCommonControls() override {}
    std::string LesTekst(form::Id boks) override;
    void SkrivTekst(form::Id boks, std::string_view tekst) override;
    void SkrivCaption(form::Id kontroll, std::string_view caption) override;
    void SkrivEnabled(form::Id kontroll, bool enabled) override;
    bool LesValue(form::Id option) override;
    void SkrivBackColor(form::Id kontroll, form::Farge farge) override;
    form::Vindushandtak HWnd() override;
    form::AppInfo App() override;
    void Unload() override;
    void MsgBox(std::string_view prompt, int style) override;
    void ApneEpost(form::Vindushandtak eier, std::string_view url, std::function<void(bool)> ferdig) override;
    void ApneNettside(std::string_view url) override;

protected:
    void keyPressEvent(QKeyEvent* hendelse) override;

private:
    void Bygg();
    void ByggKontroll(const form::Kontroll& k);
    void ByggMenyer();
    QColor Farge(form::Farge farge) const;
    QFont Skrift(const form::Skrift& skrift) const;
    void Kjor(const std::function<void()>& handling);
    void Standardfeil(const char* melding);

    // The control as a W, or Kjoretidsfeil when the layout has no such control or it is no W.
    template <class W>
    W* Finn(form::Id id) const {
        const auto k = kontroller_.find(id);
        W* w = k != kontroller_.end() ? qobject_cast<W*>(k->second) : nullptr;
        if (w == nullptr) {
            Mangler(id, k != kontroller_.end());
        }
        return w;
    }
    [[noreturn]] static void Mangler(form::Id id, bool finnes);

    Ressurser ressurser_;
    form::Hendelsesmottaker* mottaker_ = nullptr;
    QWidget* klient_ = nullptr;
    QPushButton* standardknapp_ = nullptr;
    QObject* pilfilter_ = nullptr;
    QWidget* startfokus_ = nullptr;
    std::map<form::Id, QWidget*> kontroller_;
    std::map<form::Id, QAction*> menyer_;
    double dpi_ = 96.0;
    bool avsluttet_ = false;
    bool epostIGang_ = false; // a mail launch has not yet reported
};

} // namespace kroppstall::qt
