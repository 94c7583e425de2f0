#include "kroppstall/qt/hovedvindu.h"

#include "kroppstall/versjon.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

namespace kroppstall::qt {

using form::Hendelse;
using form::Id;
using form::Kjoretidsfeil;
using form::Navn;
using form::Type;

namespace {

QString Tekst(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
std::string Utf8(const QString& s) {
    return s.toUtf8().toStdString();
}

std::string Navngi(Id id) {
    return std::string(form::NavnTekst(id.navn)) + "(" + std::to_string(id.indeks) + ")";
}

// "&&" stands for one ampersand; a single one only marks the access key.
QString UtenAksesstegn(QString tekst) {
    QString ut;
    for (qsizetype i = 0; i < tekst.size(); ++i) {
        if (tekst[i] == u'&' && i + 1 < tekst.size()) {
            ++i;
        }
        ut += tekst[i];
    }
    return ut;
}

// An unfilled or solid rectangle with a one-pixel outline drawn inside its bounds.
class Formflate final : public QWidget {
public:
    Formflate(QWidget* forelder, QColor kant, std::optional<QColor> fyll)
        : QWidget(forelder), kant_(kant), fyll_(fyll) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent* /*hendelse*/) override {
        QPainter p(this);
        if (fyll_) {
            p.fillRect(rect(), *fyll_);
        }
        p.setPen(QPen(kant_, 0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    QColor kant_;
    std::optional<QColor> fyll_;
};

// A one-pixel line between two points, given relative to the widget that just covers it.
class Linjeflate final : public QWidget {
public:
    Linjeflate(QWidget* forelder, QColor farge, QPoint fra, QPoint til)
        : QWidget(forelder), farge_(farge), fra_(fra), til_(til) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent* /*hendelse*/) override {
        QPainter p(this);
        p.setPen(QPen(farge_, 0));
        p.drawLine(fra_, til_);
    }

private:
    QColor farge_;
    QPoint fra_, til_;
};

// The form's client area. Screen readers get its controls in reading order (top to bottom, left to
// right, each label just before its box), not in the stacking order that Qt keeps its children in.
class Skjemaflate final : public QWidget {
public:
    using QWidget::QWidget;
    std::vector<QPointer<QWidget>> lesefolge;
};

class KlientTilgang final : public QAccessibleWidget {
public:
    explicit KlientTilgang(Skjemaflate* flate) : QAccessibleWidget(flate, QAccessible::Client) {}

    int childCount() const override { return static_cast<int>(Flate()->lesefolge.size()); }
    QAccessibleInterface* child(int indeks) const override {
        const auto& rekke = Flate()->lesefolge;
        if (indeks < 0 || indeks >= static_cast<int>(rekke.size()) ||
            rekke[static_cast<std::size_t>(indeks)].isNull()) {
            return nullptr;
        }
        return QAccessible::queryAccessibleInterface(rekke[static_cast<std::size_t>(indeks)].data());
    }
    int indexOfChild(const QAccessibleInterface* barn) const override {
        if (barn == nullptr) {
            return -1;
        }
        const auto& rekke = Flate()->lesefolge;
        const auto funnet = std::find(rekke.begin(), rekke.end(), barn->object());
        return funnet != rekke.end() ? static_cast<int>(funnet - rekke.begin()) : -1;
    }

private:
    Skjemaflate* Flate() const { return static_cast<Skjemaflate*>(widget()); }
};

// A box that only shows what the program writes: no typing, and a write by anyone else (a screen
// reader's "set text", say) is undone at once.
class Visningsboks final : public QLineEdit {
public:
    explicit Visningsboks(QWidget* forelder) : QLineEdit(forelder) {
        setReadOnly(true);
        setFocusPolicy(Qt::NoFocus);
        connect(this, &QLineEdit::textChanged, this, [this] {
            if (!egen_ && text() != vist_) {
                Vis(vist_);
            }
        });
    }
    void Vis(const QString& tekst) {
        vist_ = tekst;
        egen_ = true;
        setText(tekst);
        egen_ = false;
    }

private:
    QString vist_;
    bool egen_ = false;
};

// What a screen reader sees of a Visningsboks: a text to read, with no way to change it and no focus,
// unlike Qt's own line-edit interface, which reports every line edit as editable.
class VisningTilgang final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit VisningTilgang(QLineEdit* boks) : QAccessibleWidget(boks, QAccessible::EditableText) {}

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = false;
        s.readOnly = true;
        s.focusable = false;
        s.focused = false;
        return s;
    }
    QString text(QAccessible::Text hva) const override {
        return hva == QAccessible::Value ? Boks()->text() : QAccessibleWidget::text(hva);
    }
    void setText(QAccessible::Text /*hva*/, const QString& /*tekst*/) override {}
    QStringList actionNames() const override { return {}; }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    void selection(int /*indeks*/, int* start, int* slutt) const override { *start = *slutt = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int /*start*/, int /*slutt*/) override {}
    void removeSelection(int /*indeks*/) override {}
    void setSelection(int /*indeks*/, int /*start*/, int /*slutt*/) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int /*posisjon*/) override {}
    QString text(int start, int slutt) const override { return Boks()->text().mid(start, slutt - start); }
    int characterCount() const override { return static_cast<int>(Boks()->text().size()); }
    QRect characterRect(int /*posisjon*/) const override { return {}; }
    int offsetAtPoint(const QPoint& /*punkt*/) const override { return -1; }
    void scrollToSubstring(int /*start*/, int /*slutt*/) override {}
    QString attributes(int posisjon, int* start, int* slutt) const override {
        *start = *slutt = posisjon;
        return {};
    }

private:
    QLineEdit* Boks() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* Tilgangsfabrikk(const QString& /*klasse*/, QObject* objekt) {
    if (auto* flate = dynamic_cast<Skjemaflate*>(objekt)) {
        return new KlientTilgang(flate);
    }
    if (auto* boks = dynamic_cast<Visningsboks*>(objekt)) {
        return new VisningTilgang(boks);
    }
    return nullptr;
}

// In the option group Up and Down move the selection as Left and Right do, as on Windows.
class Pilfilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* mal, QEvent* hendelse) override {
        if (hendelse->type() == QEvent::KeyPress || hendelse->type() == QEvent::KeyRelease) {
            auto* tast = static_cast<QKeyEvent*>(hendelse);
            if (tast->key() == Qt::Key_Up || tast->key() == Qt::Key_Down) {
                QKeyEvent vannrett(tast->type(), tast->key() == Qt::Key_Up ? Qt::Key_Left : Qt::Key_Right,
                                   tast->modifiers(), tast->text(), tast->isAutoRepeat());
                QCoreApplication::sendEvent(mal, &vannrett);
                return true;
            }
        }
        return QObject::eventFilter(mal, hendelse);
    }
};

// A stand-in face may be wider than the face the layout was measured with; then a label's text is
// narrowed just enough to fit (as a condensed face would), never made lower.
void TilpassBredde(QLabel* etikett) {
    QFont f = etikett->font();
    f.setStretch(QFont::AnyStretch);
    const QString tekst = etikett->text();
    const double plass = etikett->width();
    double bredde = QFontMetricsF(f).horizontalAdvance(tekst);
    for (int strekk = 100; bredde > plass && strekk > 75;) {
        strekk = std::min(strekk - 1, static_cast<int>(std::floor(strekk * plass / bredde)));
        f.setStretch(strekk);
        bredde = QFontMetricsF(f).horizontalAdvance(tekst);
    }
    etikett->setFont(f);
}

// Reading order: rows from the top, where controls whose heights overlap share a row, left to right
// within a row. Shapes, lines and the picture have no tab index and are decoration, not content.
std::vector<const form::Kontroll*> Leserekke() {
    std::vector<const form::Kontroll*> rekke;
    for (const auto& k : form::Kontroller) {
        if (k.TabIndex != form::IngenTab) {
            rekke.push_back(&k);
        }
    }
    std::stable_sort(rekke.begin(), rekke.end(),
                     [](const auto* a, const auto* b) { return a->Rekt.Top < b->Rekt.Top; });
    for (auto rad = rekke.begin(); rad != rekke.end();) {
        int bunn = (*rad)->Rekt.Top + (*rad)->Rekt.Height;
        auto slutt = std::next(rad);
        for (; slutt != rekke.end() && (*slutt)->Rekt.Top < bunn; ++slutt) {
            bunn = std::max(bunn, (*slutt)->Rekt.Top + (*slutt)->Rekt.Height);
        }
        std::stable_sort(rad, slutt,
                         [](const auto* a, const auto* b) { return a->Rekt.Left < b->Rekt.Left; });
        rad = slutt;
    }
    return rekke;
}

// The named faces where installed; otherwise a face of close metrics. Debian's fonts-wine keeps
// Wine's Tahoma outside fontconfig's search path, so it is registered from its file.
QString FinnFamilie(const QString& onsket) {
    if (QFontDatabase::hasFamily(onsket)) {
        return onsket;
    }
    static const std::map<QString, QStringList> filer{
        {QStringLiteral("Tahoma"), {QStringLiteral("/usr/share/wine/fonts/tahoma.ttf")}},
    };
    if (const auto f = filer.find(onsket); f != filer.end()) {
        for (const QString& fil : f->second) {
            const int id = QFontDatabase::addApplicationFont(fil);
            if (id >= 0 && QFontDatabase::applicationFontFamilies(id).contains(onsket)) {
                return onsket;
            }
        }
    }
    static const std::map<QString, QStringList> naere{
        {QStringLiteral("Tahoma"),
         {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Nimbus Sans"),
          QStringLiteral("FreeSans"), QStringLiteral("DejaVu Sans")}},
        {QStringLiteral("Microsoft Sans Serif"),
         {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Nimbus Sans"),
          QStringLiteral("FreeSans"), QStringLiteral("DejaVu Sans")}},
    };
    if (const auto n = naere.find(onsket); n != naere.end()) {
        for (const QString& familie : n->second) {
            if (QFontDatabase::hasFamily(familie)) {
                return familie;
            }
        }
    }
    return onsket;
}

// Every hasFamily asks fontconfig to match aliases, and the form names the same two faces for each
// control; the installed fonts do not change while the program runs, so each is looked up once.
QString Familie(std::string_view navn) {
    static std::map<QString, QString> funnet;
    const QString onsket = Tekst(navn);
    auto f = funnet.find(onsket);
    if (f == funnet.end()) {
        f = funnet.emplace(onsket, FinnFamilie(onsket)).first;
    }
    return f->second;
}

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

QMessageBox::Icon Ikon(int style) {
    switch (style & 0x70) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// `andel` of `a` over `b`: 0.57 of black over white is Windows' grey text, #6D6D6D.
QColor Blanding(const QColor& a, const QColor& b, double andel) {
    const auto kanal = [andel](int x, int y) { return qRound(x * andel + y * (1.0 - andel)); };
    return {kanal(a.red(), b.red()), kanal(a.green(), b.green()), kanal(a.blue(), b.blue())};
}

// Lets a launched process run on by itself: nothing hears from it again, and it goes when it ends.
void Slipp(QProcess* prosess) {
    prosess->disconnect();
    prosess->setParent(nullptr);
    QObject::connect(prosess, &QProcess::finished, prosess, &QObject::deleteLater);
}

} // namespace

NumberFormat Tallformat(const QLocale& locale) {
    return {Utf8(locale.decimalPoint()), Utf8(locale.groupSeparator())};
}

Hovedvindu::Hovedvindu(Ressurser ressurser, QWidget* parent)
    : QMainWindow(parent), ressurser_(std::move(ressurser)) {
    static const bool installert = [] {
        QAccessible::installFactory(Tilgangsfabrikk);
        return true;
    }();
    static_cast<void>(installert);
}

Hovedvindu::~Hovedvindu() {
    // A launch still running may be the user's mail program itself: leave it running, but let it
    // report nothing into a window that is going away.
    for (QProcess* p : findChildren<QProcess*>()) {
        Slipp(p);
    }
    mottaker_ = nullptr;
}

void Hovedvindu::Start(form::Hendelsesmottaker& mottaker) {
    mottaker_ = &mottaker;
    Utlos({Navn::frmBmi}, Hendelse::Initialize);
    if (avsluttet_) {
        return;
    }
    Bygg();
    Utlos({Navn::frmBmi}, Hendelse::Load);
}

void Hovedvindu::Bygg() {
    const form::Skjema& s = form::FrmBmi;
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

    pilfilter_ = new Pilfilter(this);
    // Qt stacks later siblings on top, so the table is built from its bottom up.
    for (auto k = form::Kontroller.rbegin(); k != form::Kontroller.rend(); ++k) {
        ByggKontroll(*k);
    }
    ByggMenyer();

    std::vector<const form::Kontroll*> fokusrekke;
    for (const auto& k : form::Kontroller) {
        if (k.TabIndex != form::IngenTab && kontroller_.at(k.id)->focusPolicy() != Qt::NoFocus) {
            fokusrekke.push_back(&k);
        }
    }
    std::sort(fokusrekke.begin(), fokusrekke.end(),
              [](const auto* a, const auto* b) { return a->TabIndex < b->TabIndex; });
    for (std::size_t i = 1; i < fokusrekke.size(); ++i) {
        setTabOrder(kontroller_.at(fokusrekke[i - 1]->id), kontroller_.at(fokusrekke[i]->id));
    }
    const auto forste =
        std::find_if(fokusrekke.begin(), fokusrekke.end(), [](const auto* k) { return k->Enabled; });
    startfokus_ = forste != fokusrekke.end() ? kontroller_.at((*forste)->id) : nullptr;

    for (const form::Kontroll* k : Leserekke()) {
        flate->lesefolge.emplace_back(kontroller_.at(k->id));
    }

    for (const auto& e : form::Etiketter) {
        auto* etikett = Finn<QLabel>({e.label});
        QWidget* boks = kontroller_.at({e.boks});
        etikett->setBuddy(boks);
        boks->setAccessibleName(UtenAksesstegn(etikett->text()));
    }

    if (s.FastStorrelse) {
        layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
}

void Hovedvindu::ByggKontroll(const form::Kontroll& k) {
    const Id id = k.id;
    const QString caption = Tekst(k.Caption);
    QWidget* w = nullptr;
    QPalette::ColorRole bakgrunn = QPalette::Window;
    QPalette::ColorRole forgrunn = QPalette::WindowText;

    switch (k.type) {
    case Type::TextBox: {
        const bool inndata = form::ErBundet(id.navn, Hendelse::Change);
        auto* boks = inndata || k.Enabled ? new QLineEdit(klient_) : new Visningsboks(klient_);
        boks->setMaxLength(k.MaxLength > 0 ? k.MaxLength : 32767);
        boks->setAlignment(Vannrett(k.Alignment) | Qt::AlignVCenter);
        if (inndata) {
            connect(boks, &QLineEdit::textChanged, this, [this, id] { Utlos(id, Hendelse::Change); });
        }
        bakgrunn = QPalette::Base;
        forgrunn = QPalette::Text;
        w = boks;
        break;
    }
    case Type::Label: {
        auto* etikett = new QLabel(klient_);
        etikett->setTextFormat(Qt::PlainText);
        etikett->setText(caption);
        etikett->setAlignment(Vannrett(k.Alignment) | Qt::AlignTop);
        etikett->setAutoFillBackground(true);
        w = etikett;
        break;
    }
    case Type::CommandButton: {
        auto* knapp = new QPushButton(caption, klient_);
        if (k.Default) {
            knapp->setDefault(true);
            standardknapp_ = knapp;
        }
        if (form::ErBundet(id.navn, Hendelse::Click)) {
            connect(knapp, &QPushButton::clicked, this, [this, id] { Utlos(id, Hendelse::Click); });
        }
        bakgrunn = QPalette::Button;
        forgrunn = QPalette::ButtonText;
        w = knapp;
        break;
    }
    case Type::OptionButton: {
        auto* option = new QRadioButton(caption, klient_);
        option->setChecked(k.Value);
        option->installEventFilter(pilfilter_);
        // Selected first, then one Click, however the selection came about: mouse, keys or a
        // screen reader's action all end in this signal.
        if (form::ErBundet(id.navn, Hendelse::Click)) {
            connect(option, &QRadioButton::toggled, this, [this, id](bool valgt) {
                if (valgt) {
                    Utlos(id, Hendelse::Click);
                }
            });
        }
        w = option;
        break;
    }
    case Type::Image: {
        auto* bilde = new QLabel(klient_);
        bilde->setScaledContents(k.Stretch);
        if (const auto b = ressurser_.bilder.find(id); b != ressurser_.bilder.end()) {
            bilde->setPixmap(b->second);
        }
        w = bilde;
        break;
    }
    case Type::Line: {
        const QPoint fra(Piksler(k.Linje.X1), Piksler(k.Linje.Y1));
        const QPoint til(Piksler(k.Linje.X2), Piksler(k.Linje.Y2));
        const QRect dekket = QRect(fra, til).normalized();
        w = new Linjeflate(klient_, Farge(k.BorderColor), fra - dekket.topLeft(), til - dekket.topLeft());
        w->setGeometry(dekket);
        break;
    }
    case Type::Shape:
        w = new Formflate(klient_, Farge(k.BorderColor),
                          k.FillSolid ? std::optional<QColor>(Farge(k.FillColor)) : std::nullopt);
        break;
    case Type::Form:
        return;
    }

    w->setObjectName(Tekst(form::NavnTekst(id.navn)) + QStringLiteral("(%1)").arg(id.indeks));
    if (k.type != Type::Line) {
        w->setGeometry(Piksler(k.Rekt.Left), Piksler(k.Rekt.Top), Piksler(k.Rekt.Width),
                       Piksler(k.Rekt.Height));
    }
    if (k.Font) {
        w->setFont(Skrift(*k.Font));
    }
    if (k.type != Type::Line && k.type != Type::Shape && k.type != Type::Image) {
        QPalette pal = w->palette();
        pal.setColor(bakgrunn, Farge(k.BackColor));
        // Disabled controls keep a grey text, but the result boxes are disabled for good and must
        // stay readable: their grey is dark enough for good contrast, as on Windows.
        pal.setColor(QPalette::Active, forgrunn, Farge(k.ForeColor));
        pal.setColor(QPalette::Inactive, forgrunn, Farge(k.ForeColor));
        if (k.type == Type::TextBox) {
            pal.setColor(QPalette::Disabled, forgrunn,
                         Blanding(Farge(k.ForeColor), Farge(k.BackColor), 0.57));
        }
        w->setPalette(pal);
    }
    w->setEnabled(k.Enabled);
    if (auto* etikett = qobject_cast<QLabel*>(w); etikett != nullptr && k.type == Type::Label) {
        TilpassBredde(etikett);
    }
    kontroller_[id] = w;
}

void Hovedvindu::ByggMenyer() {
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
        const Id id = m.id;
        if (form::ErBundet(id.navn, Hendelse::Click)) {
            connect(punkt, &QAction::triggered, this, [this, id] { Utlos(id, Hendelse::Click); });
        }
        menyer_[id] = punkt;
    }
}

void Hovedvindu::VisMidtstilt() {
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

void Hovedvindu::Utlos(Id kilde, Hendelse hendelse) {
    if (mottaker_ != nullptr) {
        Kjor([&] { mottaker_->Utlos(kilde, hendelse); });
    }
}

void Hovedvindu::Kjor(const std::function<void()>& handling) {
    if (avsluttet_) {
        return;
    }
    form::Fang(handling, [this](const char* feil) { Standardfeil(feil); });
}

void Hovedvindu::Standardfeil(const char* melding) {
    avsluttet_ = true;
    QMessageBox::critical(this, Tekst(versjon::Produktnavn),
                          QStringLiteral("Kjøretidsfeil: ") + QString::fromUtf8(melding));
    hide();
    QCoreApplication::exit(1);
}

int Hovedvindu::Piksler(int twips) const {
    return qRound(twips * dpi_ / form::TwipsPerTomme);
}

QWidget* Hovedvindu::Kontroll(Id id) const {
    const auto k = kontroller_.find(id);
    return k != kontroller_.end() ? k->second : nullptr;
}

QAction* Hovedvindu::Meny(Id id) const {
    const auto m = menyer_.find(id);
    return m != menyer_.end() ? m->second : nullptr;
}

template <class W>
W* Hovedvindu::Finn(Id id) const {
    const auto k = kontroller_.find(id);
    if (k == kontroller_.end()) {
        throw Kjoretidsfeil("Kontrollen " + Navngi(id) + " finnes ikke");
    }
    auto* w = qobject_cast<W*>(k->second);
    if (w == nullptr) {
        throw Kjoretidsfeil("Kontrollen " + Navngi(id) + " har ikke denne egenskapen");
    }
    return w;
}

QColor Hovedvindu::Farge(form::Farge farge) const {
    if (!form::ErSystemFarge(farge)) {
        return {static_cast<int>(farge & 0xFFu), static_cast<int>((farge >> 8) & 0xFFu),
                static_cast<int>((farge >> 16) & 0xFFu)};
    }
    const QPalette pal = QApplication::palette();
    switch (farge) {
    case form::Vindusbakgrunn:
        return pal.color(QPalette::Base);
    case form::Vindustekst:
        return pal.color(QPalette::Text);
    case form::Knappeflate:
        return pal.color(QPalette::Window);
    case form::Knappetekst:
        return pal.color(QPalette::ButtonText);
    default:
        throw Kjoretidsfeil("Ugyldig fargeverdi");
    }
}

QFont Hovedvindu::Skrift(const form::Skrift& skrift) const {
    QFont f(Familie(skrift.Familie));
    f.setPointSizeF(skrift.Storrelse);
    f.setWeight(static_cast<QFont::Weight>(skrift.Vekt));
    f.setItalic(false);
    return f;
}

std::string Hovedvindu::LesTekst(Id boks) {
    return Utf8(Finn<QLineEdit>(boks)->text());
}

void Hovedvindu::SkrivTekst(Id boks, std::string_view tekst) {
    auto* felt = Finn<QLineEdit>(boks);
    if (auto* visning = dynamic_cast<Visningsboks*>(felt)) {
        visning->Vis(Tekst(tekst));
    } else {
        felt->setText(Tekst(tekst));
    }
}

void Hovedvindu::SkrivCaption(Id kontroll, std::string_view caption) {
    if (QAction* punkt = Meny(kontroll)) {
        punkt->setText(Tekst(caption));
    } else if (auto* etikett = qobject_cast<QLabel*>(Kontroll(kontroll))) {
        etikett->setText(Tekst(caption));
        TilpassBredde(etikett);
    } else {
        Finn<QAbstractButton>(kontroll)->setText(Tekst(caption));
    }
}

void Hovedvindu::SkrivEnabled(Id kontroll, bool enabled) {
    if (QAction* punkt = Meny(kontroll)) {
        punkt->setEnabled(enabled);
    } else {
        Finn<QWidget>(kontroll)->setEnabled(enabled);
    }
}

bool Hovedvindu::LesValue(Id option) {
    return Finn<QRadioButton>(option)->isChecked();
}

void Hovedvindu::SkrivBackColor(Id kontroll, form::Farge farge) {
    auto* w = Finn<QWidget>(kontroll);
    QPalette pal = w->palette();
    pal.setColor(w->backgroundRole(), Farge(farge));
    w->setPalette(pal);
}

form::Vindushandtak Hovedvindu::HWnd() {
    return static_cast<form::Vindushandtak>(winId());
}

form::AppInfo Hovedvindu::App() {
    return {static_cast<std::int16_t>(versjon::Major), static_cast<std::int16_t>(versjon::Minor),
            static_cast<std::int16_t>(versjon::Revision), versjon::Opphavsrett};
}

void Hovedvindu::Unload() {
    close();
}

void Hovedvindu::MsgBox(std::string_view prompt, int style) {
    if ((style & 0x7) != 0) {
        throw Kjoretidsfeil("Bare OK-knappen er støttet i meldingsbokser");
    }
    QMessageBox boks(Ikon(style), Tekst(versjon::Produktnavn), Tekst(prompt), QMessageBox::Ok, this);
    boks.exec();
}

// xdg-open reports through its exit status whether a program took the URL; waiting for it in the
// event loop keeps the window responsive meanwhile.
void Hovedvindu::ApneEpost(form::Vindushandtak /*eier*/, std::string_view url,
                           std::function<void(bool)> ferdig) {
    auto* prosess = new QProcess(this);
    prosess->setProgram(QStringLiteral("xdg-open"));
    prosess->setArguments({Tekst(url)});
    prosess->setProcessChannelMode(QProcess::ForwardedChannels);
    prosess->setStandardInputFile(QProcess::nullDevice());

    auto svar = std::make_shared<std::function<void(bool)>>(std::move(ferdig));
    auto melde = [this, svar](bool lyktes) {
        if (!*svar) {
            return; // a failed start can be followed by more signals; report once
        }
        const std::function<void(bool)> f = std::move(*svar);
        *svar = nullptr;
        Kjor([&] { f(lyktes); });
    };
    connect(prosess, &QProcess::errorOccurred, this, [melde, prosess](QProcess::ProcessError feil) {
        if (feil == QProcess::FailedToStart) {
            melde(false);
            prosess->deleteLater();
        }
    });
    connect(prosess, &QProcess::finished, this, [melde, prosess](int kode, QProcess::ExitStatus status) {
        melde(status == QProcess::NormalExit && kode == 0);
        prosess->deleteLater();
    });
    // Where xdg-open runs the mail program in the foreground, it is still running once the program
    // is up; from then on the launch counts as done, and the mail program's own exit is not ours.
    QTimer::singleShot(Oppstartsfrist, prosess, [melde, prosess] {
        melde(true);
        Slipp(prosess);
    });
    prosess->start();
}

void Hovedvindu::ApneNettside(std::string_view url) {
    static_cast<void>(QProcess::startDetached(QStringLiteral("xdg-open"), {Tekst(url)}));
}

void Hovedvindu::keyPressEvent(QKeyEvent* hendelse) {
    const bool enter = hendelse->key() == Qt::Key_Return || hendelse->key() == Qt::Key_Enter;
    const bool umodifisert = (hendelse->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    // Text boxes and option buttons pass Enter on; it presses the default button while that is enabled.
    if (enter && umodifisert && standardknapp_ != nullptr && standardknapp_->isEnabled()) {
        standardknapp_->click();
        return;
    }
    QMainWindow::keyPressEvent(hendelse);
}

} // namespace kroppstall::qt
