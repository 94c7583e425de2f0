#pragma once

#include "kroppstall/qt/hovedvindu.h"

#include <QMainWindow>
#include <QPalette>
#include <array>
#include <functional>
#include <map>

class QAction;
class QPushButton;

namespace kroppstall::qt {

class Skjemaflate;

// The Qt window that LagHovedvindu makes: one QMainWindow whose client area holds a widget for every control
// of the layout.
class Skjemavindu final : public QMainWindow, public form::Vert {
    Q_OBJECT

public:
    // How long xdg-open may run before the mail launch counts as started.
    static constexpr int Oppstartsfrist = 3000; // ms

    explicit Skjemavindu(Ressurser ressurser, QWidget* parent = nullptr);
    ~Skjemavindu() override;

    void VisMidtstilt() override;
    int Kjor() override;

    // The window's parts by the layout's ids, for the backend's own files and its tests.
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
    // How a control of each type is made, and which palette roles carry its colours.
    struct Kontrolltype {
        QWidget* (Skjemavindu::*lag)(const form::Kontroll& k);
        QPalette::ColorRole bakgrunn;
        QPalette::ColorRole forgrunn;
        bool viserTekst; // coloured from the layout's BackColor and ForeColor
    };
    static const Kontrolltype& TypeFor(form::Type type);

    void Bygg() override;
    void MeldOgAvslutt(std::string_view feiltekst) override;
    Skjemaflate* LagKlientflate();
    void ByggKontroll(const form::Kontroll& k);
    QWidget* LagTekstboks(const form::Kontroll& k);
    QWidget* LagEtikett(const form::Kontroll& k);
    QWidget* LagKnapp(const form::Kontroll& k);
    QWidget* LagOption(const form::Kontroll& k);
    QWidget* LagBilde(const form::Kontroll& k);
    QWidget* LagLinje(const form::Kontroll& k);
    QWidget* LagForm(const form::Kontroll& k);
    void Fargelegg(QWidget& w, const form::Kontroll& k, form::Farge bakfarge);
    void ByggMenyer();
    void OrdneEtiketter();
    QFont Skrift(const form::Skrift& skrift) const;

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
    QWidget* klient_ = nullptr;
    QPushButton* standardknapp_ = nullptr;
    QObject* pilfilter_ = nullptr;
    QWidget* startfokus_ = nullptr;
    std::map<form::Id, QWidget*> kontroller_;
    std::map<form::Id, QAction*> menyer_;
    double dpi_ = 96.0;
    bool epostIGang_ = false; // a mail launch has not yet reported
};

} // namespace kroppstall::qt
