#include "apne.h"
#include "farger.h"
#include "kroppstall/form/farge.h"
#include "kroppstall/form/frmBmi.h"
#include "kroppstall/form/ordning.h"
#include "skjemavindu.h"
#include "skrift.h"
#include "tegning.h"
#include "tekst.h"
#include "tilgang.h"
#include "tittellinje.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <map>

namespace kroppstall::qt {

using form::Hendelse;
using form::Id;
using form::Navn;
using form::Type;

namespace {

Qt::Alignment Vannrett(form::Justering j) {
    switch (j) {
    case form::Justering::Hoyre:
        return Qt::AlignRight;
    case form::Justering::Midt:
        return Qt::AlignHCenter;
    case form::Justering::Venstre:
        break;
    }
    return Qt::AlignLeft;
}

} // namespace

std::unique_ptr<form::Vert> LagHovedvindu(Ressurser ressurser) {
    return std::make_unique<Skjemavindu>(std::move(ressurser));
}

Skjemavindu::Skjemavindu(Ressurser ressurser, QWidget* parent)
    : QMainWindow(parent), ressurser_(std::move(ressurser)) {
    InstallerTilgang();
}

Skjemavindu::~Skjemavindu() {
    // A launch still running may be the user's mail program itself: leave it running, but let it
    // report nothing into a window that is going away.
    for (QProcess* p : findChildren<QProcess*>()) {
        Slipp(p);
    }
    Frakoble();
}

void Skjemavindu::Bygg() {
    const form::Skjema& s = form::FrmBmi;
    for (const auto& [id, bilde] : ressurser_.bilder) {
        static_cast<void>(form::Bildekontroll(id));
    }
    Qt::WindowFlags flagg = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (s.MinButton) {
        flagg |= Qt::WindowMinimizeButtonHint;
    }
    if (s.MaxButton) {
        flagg |= Qt::WindowMaximizeButtonHint;
    }
    setWindowFlags(flagg);
    setWindowTitle(Tekst(s.Caption));
    setWindowIcon(ressurser_.ikon);

    const QScreen* skjerm = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    dpi_ = skjerm != nullptr ? skjerm->logicalDotsPerInchX() : 96.0;
    Skjemaflate* flate = LagKlientflate();

    pilfilter_ = new Pilfilter(this);
    // Qt stacks later siblings on top, so the table is built from its bottom up.
    for (auto k = form::Kontroller.rbegin(); k != form::Kontroller.rend(); ++k) {
        ByggKontroll(*k);
    }
    ByggMenyer();

    for (std::size_t i = 1; i < form::Tabrekke.size(); ++i) {
        setTabOrder(kontroller_.at(form::Tabrekke[i - 1]->id), kontroller_.at(form::Tabrekke[i]->id));
    }
    startfokus_ = kontroller_.at(form::Startfokus->id);
    for (const form::Kontroll* k : form::Leserekke) {
        flate->lesefolge.emplace_back(kontroller_.at(k->id));
    }
    OrdneEtiketter();

    if (s.FastStorrelse) {
        layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
}

// The form's client area, in its size, font and colours.
Skjemaflate* Skjemavindu::LagKlientflate() {
    const form::Skjema& s = form::FrmBmi;
    auto* flate = new Skjemaflate(this);
    klient_ = flate;
    klient_->setObjectName(QStringLiteral("frmBmi"));
    klient_->setFixedSize(Piksler(s.ClientWidth), Piksler(s.ClientHeight));
    klient_->setFont(Skrift(s.Font));
    klient_->setAutoFillBackground(true);
    QPalette pal = klient_->palette();
    pal.setColor(QPalette::Window, Farge(s.BackColor));
    // Disabled controls keep the style's grey text: the form's text colour is only for enabled ones.
    pal.setColor(QPalette::Active, QPalette::WindowText, Farge(s.ForeColor));
    pal.setColor(QPalette::Inactive, QPalette::WindowText, Farge(s.ForeColor));
    klient_->setPalette(pal);
    setCentralWidget(klient_);
    return flate;
}

const Skjemavindu::Kontrolltype& Skjemavindu::TypeFor(Type type) {
    using P = QPalette;
    static const std::map<Type, Kontrolltype> typer{
        {Type::OptionButton, {&Skjemavindu::LagOption, P::Window, P::WindowText, true}},
        {Type::CommandButton, {&Skjemavindu::LagKnapp, P::Button, P::ButtonText, true}},
        {Type::TextBox, {&Skjemavindu::LagTekstboks, P::Base, P::Text, true}},
        {Type::Image, {&Skjemavindu::LagBilde, P::Window, P::WindowText, false}},
        {Type::Label, {&Skjemavindu::LagEtikett, P::Window, P::WindowText, true}},
        {Type::Line, {&Skjemavindu::LagLinje, P::Window, P::WindowText, false}},
        {Type::Shape, {&Skjemavindu::LagForm, P::Window, P::WindowText, false}},
    };
    return typer.at(type);
}

void Skjemavindu::ByggKontroll(const form::Kontroll& k) {
    const Kontrolltype& type = TypeFor(k.type);
    QWidget* w = (this->*type.lag)(k);
    w->setObjectName(Tekst(form::IdTekst(k.id)));
    if (k.type != Type::Line) {
        w->setGeometry(Piksler(k.Rekt.Left), Piksler(k.Rekt.Top), Piksler(k.Rekt.Width),
                       Piksler(k.Rekt.Height));
    }
    if (k.Font) {
        w->setFont(Skrift(*k.Font));
    }
    if (type.viserTekst) {
        Fargelegg(*w, k, k.BackColor);
    }
    w->setEnabled(k.Enabled);
    kontroller_[k.id] = w;
}

void Skjemavindu::Fargelegg(QWidget& w, const form::Kontroll& k, form::Farge bakfarge) {
    const Kontrolltype& type = TypeFor(k.type);
    const form::Kontrollfarger f = form::Farger(k, bakfarge, &Systemfarge);
    QPalette pal = w.palette();
    if (f.PaUnderlag) {
        w.setAutoFillBackground(false);
    } else {
        pal.setColor(type.bakgrunn, QtFarge(f.Bak));
    }
    pal.setColor(QPalette::Active, type.forgrunn, QtFarge(f.Tekst));
    pal.setColor(QPalette::Inactive, type.forgrunn, QtFarge(f.Tekst));
    if (f.GraTekst) {
        pal.setColor(QPalette::Disabled, type.forgrunn, QtFarge(*f.GraTekst));
    }
    w.setPalette(pal);
}

QWidget* Skjemavindu::LagTekstboks(const form::Kontroll& k) {
    auto* boks = form::ErVisning(k) ? new Visningsboks(klient_) : new QLineEdit(klient_);
    boks->setMaxLength(k.MaxLength > 0 ? k.MaxLength : 32767);
    boks->setValidator(new Enlinje(boks));
    boks->setAlignment(Vannrett(k.Alignment) | Qt::AlignVCenter);
    if (form::ErBundet(k.id.navn, Hendelse::Change)) {
        connect(boks, &QLineEdit::textChanged, this, [this, id = k.id] { Utlos(id, Hendelse::Change); });
    }
    return boks;
}

QWidget* Skjemavindu::LagEtikett(const form::Kontroll& k) {
    auto* etikett = new QLabel(klient_);
    etikett->setTextFormat(Qt::PlainText);
    etikett->setText(Tekst(k.Caption));
    etikett->setAlignment(Vannrett(k.Alignment) | Qt::AlignTop);
    etikett->setAutoFillBackground(true);
    return etikett;
}

QWidget* Skjemavindu::LagKnapp(const form::Kontroll& k) {
    auto* knapp = new QPushButton(Tekst(k.Caption), klient_);
    if (k.Default) {
        knapp->setDefault(true);
        standardknapp_ = knapp;
    }
    if (form::ErBundet(k.id.navn, Hendelse::Click)) {
        connect(knapp, &QPushButton::clicked, this, [this, id = k.id] { Utlos(id, Hendelse::Click); });
    }
    return knapp;
}

QWidget* Skjemavindu::LagOption(const form::Kontroll& k) {
    auto* valg = new QRadioButton(Tekst(k.Caption), klient_);
    valg->setChecked(k.Value);
    valg->installEventFilter(pilfilter_);
    // Selected first, then one Click, however the selection came about: mouse, keys or a screen
    // reader's action all end in this signal.
    if (form::ErBundet(k.id.navn, Hendelse::Click)) {
        connect(valg, &QRadioButton::toggled, this, [this, id = k.id](bool valgt) {
            if (valgt) {
                Utlos(id, Hendelse::Click);
            }
        });
    }
    return valg;
}

QWidget* Skjemavindu::LagBilde(const form::Kontroll& k) {
    const auto b = ressurser_.bilder.find(k.id);
    return new Bildeflate(klient_, b != ressurser_.bilder.end() ? b->second : QIcon(), k.Stretch);
}

QWidget* Skjemavindu::LagLinje(const form::Kontroll& k) {
    const QPoint fra(Piksler(k.Linje.X1), Piksler(k.Linje.Y1));
    const QPoint til(Piksler(k.Linje.X2), Piksler(k.Linje.Y2));
    const QRect dekket = QRect(fra, til).normalized();
    auto* linje =
        new Linjeflate(klient_, Farge(k.BorderColor), fra - dekket.topLeft(), til - dekket.topLeft());
    linje->setGeometry(dekket);
    return linje;
}

QWidget* Skjemavindu::LagForm(const form::Kontroll& k) {
    return new Figurflate(klient_, Farge(k.BorderColor),
                          k.FillSolid ? std::optional<QColor>(Farge(k.FillColor)) : std::nullopt);
}

// Each label is fitted once, over every caption it can show, and the labels of one control array
// share one stretch; then each box is named by its label for screen readers.
void Skjemavindu::OrdneEtiketter() {
    std::map<Navn, std::vector<std::pair<QLabel*, QStringList>>> grupper;
    for (const auto& k : form::Kontroller) {
        if (k.type == Type::Label) {
            auto* etikett = Finn<QLabel>(k.id);
            QStringList tekster{etikett->text()};
            for (const std::string& t : form::frmBmi::Captions(k.id, Utf8(VidesteTall(etikett->font())))) {
                tekster << Tekst(t);
            }
            grupper[k.id.navn].emplace_back(etikett, tekster);
        }
    }
    for (const auto& [navn, gruppe] : grupper) {
        TilpassBredde(gruppe);
    }
    for (const auto& e : form::Etiketter) {
        auto* etikett = Finn<QLabel>({e.label});
        QWidget* boks = kontroller_.at({e.boks});
        etikett->setBuddy(boks);
        boks->setAccessibleName(UtenAksesstegn(etikett->text()));
    }
}

void Skjemavindu::ByggMenyer() {
    QMenu* meny = nullptr;
    for (const auto& m : form::Menyer) {
        QAction* punkt = nullptr;
        if (m.Niva == 1) {
            meny = menuBar()->addMenu(Tekst(m.Caption));
            punkt = meny->menuAction();
        } else if (meny == nullptr) {
            continue;
        } else if (m.Caption == "-") {
            punkt = meny->addSeparator();
        } else {
            punkt = meny->addAction(Tekst(m.Caption));
        }
        punkt->setEnabled(m.Enabled);
        if (form::ErBundet(m.id.navn, Hendelse::Click)) {
            connect(punkt, &QAction::triggered, this, [this, id = m.id] { Utlos(id, Hendelse::Click); });
        }
        menyer_[m.id] = punkt;
    }
}

void Skjemavindu::VisMidtstilt() {
    VelgRamme(*this);
    adjustSize();
    const auto midtstill = [this](QSize ytre) {
        const QScreen* skjerm = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
        if (form::FrmBmi.Midtstilt && skjerm != nullptr) {
            move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, ytre, skjerm->availableGeometry())
                     .topLeft());
        }
    };
    midtstill(size());
    if (startfokus_ != nullptr) {
        startfokus_->setFocus(Qt::OtherFocusReason);
    }
    show();
    // A window manager adds its frame a little after the window is mapped, and the frame's size is
    // known only then: watch for it for a moment and centre the whole frame once it is there.
    if (frameGeometry().size() != size()) {
        midtstill(frameGeometry().size());
    } else {
        auto* vakt = new QTimer(this);
        vakt->setInterval(20);
        connect(vakt, &QTimer::timeout, this, [this, vakt, midtstill, runder = 0]() mutable {
            if (frameGeometry().size() != size()) {
                midtstill(frameGeometry().size());
            } else if (++runder < 50) {
                return;
            }
            vakt->stop();
            vakt->deleteLater();
        });
        vakt->start();
    }
    activateWindow();
    if (startfokus_ != nullptr) {
        startfokus_->setFocus(Qt::ActiveWindowFocusReason);
    }
}

int Skjemavindu::Piksler(int twips) const {
    return qRound(twips * dpi_ / form::TwipsPerTomme);
}

QWidget* Skjemavindu::Kontroll(Id id) const {
    const auto k = kontroller_.find(id);
    return k != kontroller_.end() ? k->second : nullptr;
}

QAction* Skjemavindu::Meny(Id id) const {
    const auto m = menyer_.find(id);
    return m != menyer_.end() ? m->second : nullptr;
}

} // namespace kroppstall::qt
