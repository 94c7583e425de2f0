#pragma once

#include "kroppstall/form/farge.h"
#include "kroppstall/form/frmBmi.h"
#include "kroppstall/qt/stil.h"
#include "skjemavindu.h"
#include "tekst.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

// What the window tests share: the window as the program opens it, a watchdog for modal boxes, and
// a counter of the events that reach the form.
namespace vindustest {

using kroppstall::NumberFormat;
using kroppstall::form::Hendelse;
using kroppstall::form::Id;
using kroppstall::form::Navn;
using kroppstall::qt::Skjemavindu;

inline const Id txtHoyde{Navn::txtHoyde}, txtVekt{Navn::txtVekt}, txtBmi{Navn::txtBmi},
    txtVurdering{Navn::txtVurdering}, cmdRegn{Navn::cmdRegn}, Bmi{Navn::Option1, 0}, Kg{Navn::Option1, 1};

// Passes events on to the form and counts them, so a test can see how often a handler ran.
struct Teller final : kroppstall::form::Hendelsesmottaker {
    kroppstall::form::frmBmi* form = nullptr;
    QList<QPair<Id, Hendelse>> hendelser;

    void Utlos(Id kilde, Hendelse hendelse) override {
        hendelser.append({kilde, hendelse});
        form->Utlos(kilde, hendelse);
    }
    qsizetype Antall(Id kilde, Hendelse hendelse) const { return hendelser.count({kilde, hendelse}); }
};

struct Boks {
    QString tittel, tekst;
    QMessageBox::Icon ikon;
    qsizetype knapper;
    qsizetype prosesser; // launches the box's window has under way while the box is up
};

// Closes any modal box so that no test can hang on one, and keeps what it saw for the test to judge.
class Vakt {
public:
    Vakt() {
        klokke_.setInterval(50);
        QObject::connect(&klokke_, &QTimer::timeout, &klokke_, [this] {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                const qsizetype prosesser = modal->parentWidget() != nullptr
                                                ? modal->parentWidget()->findChildren<QProcess*>().size()
                                                : 0;
                if (auto* boks = qobject_cast<QMessageBox*>(modal)) {
                    sett.append(
                        {boks->windowTitle(), boks->text(), boks->icon(), boks->buttons().size(), prosesser});
                } else {
                    sett.append({modal->windowTitle(), {}, QMessageBox::NoIcon, 0, prosesser});
                }
                modal->reject();
            }
        });
        klokke_.start();
    }
    QList<Boks> sett;

private:
    QTimer klokke_;
};

// The default error handling ends the application's event loop, and until a new loop runs, every
// modal box returns at once: the next test starts as a program of its own would.
inline void NyttProgram() {
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

inline QString Utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The window built, loaded and shown before each test, in the program's style, with the number format
// pinned so that the machine's locale cannot change what the tests type and read.
class Vindustest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<Skjemavindu> vindu;
    std::unique_ptr<kroppstall::form::frmBmi> form;
    std::unique_ptr<Vakt> vakt;
    Teller teller;

    template <class W>
    W* K(Id id) const {
        auto* w = qobject_cast<W*>(vindu->Kontroll(id));
        if (w == nullptr) {
            qFatal("missing control %s", kroppstall::form::NavnTekst(id.navn).data());
        }
        return w;
    }
    QString Label2(int i) const { return K<QLabel>({Navn::Label2, static_cast<std::int16_t>(i)})->text(); }

    void SkrivInn(const QString& hoyde, const QString& vekt) {
        K<QLineEdit>(txtHoyde)->clear();
        K<QLineEdit>(txtVekt)->clear();
        QTest::keyClicks(K<QLineEdit>(txtHoyde), hoyde);
        QTest::keyClicks(K<QLineEdit>(txtVekt), vekt);
    }

    void Bygg(std::map<Id, QIcon> bilder = {}) {
        QPixmap ikon(16, 16);
        ikon.fill(Qt::darkCyan);
        vindu = std::make_unique<Skjemavindu>(kroppstall::qt::Ressurser{QIcon(ikon), std::move(bilder)});
        // Pinned, so that the machine's locale cannot change what the tests type and read.
        form = std::make_unique<kroppstall::form::frmBmi>(
            *vindu, NumberFormat::Norsk(),
            kroppstall::form::Kontakt{"tindrel@example.org", "https://tindrel.example.org/"});
        teller = {};
        teller.form = form.get();
        vindu->Start(teller);
        vindu->VisMidtstilt();
        QVERIFY(QTest::qWaitForWindowExposed(vindu.get()));
        QApplication::setActiveWindow(vindu.get());
    }

private Q_SLOTS:
    // The program's style, so that every window test runs under it.
    void initTestCase() { QApplication::setStyle(new kroppstall::qt::Stil); }

    void init() {
        vakt = std::make_unique<Vakt>();
        Bygg();
    }

    void cleanup() {
        vindu.reset();
        form.reset();
        const QList<Boks> sett = vakt->sett;
        vakt.reset();
        QVERIFY2(sett.isEmpty(), qPrintable(QStringLiteral("unexpected modal box: ") + sett.value(0).tekst));
    }
};

} // namespace vindustest
