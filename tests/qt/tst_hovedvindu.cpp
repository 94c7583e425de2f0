#include "bilder.h"
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

using kroppstall::NumberFormat;
using kroppstall::form::Hendelse;
using kroppstall::form::Id;
using kroppstall::form::Navn;
using kroppstall::qt::Skjemavindu;

namespace {

const Id txtHoyde{Navn::txtHoyde}, txtVekt{Navn::txtVekt}, txtBmi{Navn::txtBmi},
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
        timer_.setInterval(50);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
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
        timer_.start();
    }
    QList<Boks> sett;

private:
    QTimer timer_;
};

// The default error handling ends the application's event loop, and until a new loop runs, every
// modal box returns at once: the next test starts as a program of its own would.
void NyttProgram() {
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

// A stand-in for xdg-open, first in PATH, that writes its arguments to `logg` and then runs `slutt`.
void LagXdgOpen(const QTemporaryDir& mappe, const QString& logg, const QString& slutt) {
    QFile fil(mappe.filePath(QStringLiteral("xdg-open")));
    QVERIFY(fil.open(QIODevice::WriteOnly));
    fil.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$*\" > '%1.tmp'\nmv '%1.tmp' '%1'\n%2\n")
                  .arg(logg, slutt)
                  .toUtf8());
    fil.close();
    fil.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString Utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

kroppstall::form::Farge Rgb(QRgb p) {
    return kroppstall::form::Rgb(static_cast<std::uint32_t>(qRed(p)), static_cast<std::uint32_t>(qGreen(p)),
                                 static_cast<std::uint32_t>(qBlue(p)));
}

// The commonest colour in `rute`: what the text there is drawn on.
QRgb Bakgrunn(const QImage& bilde, QRect rute) {
    std::map<QRgb, int> antall;
    for (int y = rute.top(); y <= rute.bottom(); ++y) {
        for (int x = rute.left(); x <= rute.right(); ++x) {
            ++antall[bilde.pixel(x, y)];
        }
    }
    return std::max_element(antall.begin(), antall.end(), [](auto a, auto b) { return a.second < b.second; })
        ->first;
}

// The contrast of the text in `rute` against its background: the glyph pixel that stands out most.
double Tekstkontrast(const QImage& bilde, QRect rute) {
    const auto bak = Rgb(Bakgrunn(bilde, rute));
    double mest = 1.0;
    for (int y = rute.top(); y <= rute.bottom(); ++y) {
        for (int x = rute.left(); x <= rute.right(); ++x) {
            mest = std::max(mest, kroppstall::form::Kontrast(Rgb(bilde.pixel(x, y)), bak));
        }
    }
    return mest;
}

QPalette Palett(const char* navn) {
    QPalette p = QApplication::style()->standardPalette();
    const auto sett = [&p](QPalette::ColorRole rolle, QColor aktiv, QColor av) {
        p.setColor(QPalette::Active, rolle, aktiv);
        p.setColor(QPalette::Inactive, rolle, aktiv);
        p.setColor(QPalette::Disabled, rolle, av);
    };
    if (qstrcmp(navn, "dark") == 0) { // Adwaita's dark colours
        for (auto r : {QPalette::Window, QPalette::Button}) {
            sett(r, QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35));
        }
        sett(QPalette::Base, QColor(0x2D, 0x2D, 0x2D), QColor(0x2D, 0x2D, 0x2D));
        for (auto r : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
            sett(r, QColor(0xEE, 0xEE, 0xEC), QColor(0x91, 0x91, 0x91));
        }
    } else if (qstrcmp(navn, "high contrast") == 0) { // Windows' High Contrast Black
        for (auto r : {QPalette::Window, QPalette::Button, QPalette::Base}) {
            sett(r, Qt::black, Qt::black);
        }
        for (auto r : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
            sett(r, Qt::white, QColor(0x3F, 0xF2, 0x3F));
        }
    }
    return p;
}

} // namespace

class TestHovedvindu : public QObject {
    Q_OBJECT

private:
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

private Q_SLOTS:
    // The program's style, so that every window test runs under it.
    void initTestCase() { QApplication::setStyle(new kroppstall::qt::Stil); }

    void init() {
        vakt = std::make_unique<Vakt>();
        Bygg();
    }

    void Bygg() {
        QPixmap ikon(16, 16);
        ikon.fill(Qt::darkCyan);
        vindu = std::make_unique<Skjemavindu>(kroppstall::qt::Ressurser{QIcon(ikon), {}});
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

    void cleanup() {
        vindu.reset();
        form.reset();
        const QList<Boks> sett = vakt->sett;
        vakt.reset();
        QVERIFY2(sett.isEmpty(), qPrintable(QStringLiteral("unexpected modal box: ") + sett.value(0).tekst));
    }

    void numberFormatComesFromTheLocale() {
        QCOMPARE(kroppstall::qt::Tallformat(QLocale(QLocale::NorwegianBokmal, QLocale::Norway)),
                 NumberFormat::Norsk());
        QCOMPARE(kroppstall::qt::Tallformat(QLocale(QLocale::English, QLocale::UnitedStates)),
                 NumberFormat::Engelsk());
    }

    // The program builds its window icon and picture from these tables; the desktop shows the PNGs.
    void pixelTablesAreThePngIcons_data() {
        namespace b = kroppstall::bilder;
        using kroppstall::qt::Bilde;
        QTest::addColumn<QString>("png");
        QTest::addColumn<QPixmap>("bilde");
        QTest::newRow("16") << "kroppstall-16.png" << Bilde<b::Bilde16Side>(b::Bilde16);
        QTest::newRow("32") << "kroppstall-32.png" << Bilde<b::Bilde32Side>(b::Bilde32);
        QTest::newRow("48") << "kroppstall-48.png" << Bilde<b::Bilde48Side>(b::Bilde48);
        QTest::newRow("Image1") << "bilde-16.png" << Bilde<b::Bilde16Side>(b::Bilde16);
    }
    void pixelTablesAreThePngIcons() {
        QFETCH(QString, png);
        QFETCH(QPixmap, bilde);
        const QImage fil(QStringLiteral(KROPPSTALL_IKONER "/") + png);
        QVERIFY(!fil.isNull());
        QCOMPARE(fil.convertToFormat(QImage::Format_ARGB32),
                 bilde.toImage().convertToFormat(QImage::Format_ARGB32));
    }

    void standardIconsAreTheBaseStylesOnceDrawn_data() {
        QTest::addColumn<int>("hva");
        QTest::addColumn<int>("storrelse");
        for (const int storrelse : {8, 16, 32}) {
            QTest::addRow("menu overflow %d", storrelse)
                << static_cast<int>(QStyle::SP_ToolBarHorizontalExtensionButton) << storrelse;
            QTest::addRow("warning %d", storrelse)
                << static_cast<int>(QStyle::SP_MessageBoxWarning) << storrelse;
        }
    }
    void standardIconsAreTheBaseStylesOnceDrawn() {
        QFETCH(int, hva);
        QFETCH(int, storrelse);
        auto* stil = qobject_cast<QProxyStyle*>(QApplication::style());
        QVERIFY(stil != nullptr);
        const auto sp = static_cast<QStyle::StandardPixmap>(hva);
        const QIcon ikon = stil->standardIcon(sp);
        const QIcon fasit = stil->baseStyle()->standardIcon(sp);
        QVERIFY(!ikon.isNull());
        QCOMPARE(ikon.pixmap(storrelse).toImage(), fasit.pixmap(storrelse).toImage());
        QCOMPARE(ikon.availableSizes(), fasit.availableSizes());
    }

    void menuBarOverflowButtonDrawsTheStylesIcon() {
        auto* knapp = vindu->menuBar()->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
        QVERIFY(knapp != nullptr);
        QVERIFY(!knapp->isVisible()); // the menus fit
        const QIcon fasit = qobject_cast<QProxyStyle*>(QApplication::style())
                                ->baseStyle()
                                ->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        QCOMPARE(knapp->icon().pixmap(16).toImage(), fasit.pixmap(16).toImage());
    }

    void windowIsFixedCentredAndTitled() {
        QCOMPARE(vindu->Piksler(1440), 96); // the offscreen screen is 96 dpi
        QCOMPARE(vindu->Klientflate()->size(), QSize(210, 345));
        QCOMPARE(vindu->windowTitle(), QStringLiteral("Kroppstall"));
        QVERIFY(!vindu->windowIcon().isNull());
        QCOMPARE(vindu->minimumSize(), vindu->maximumSize());
        QVERIFY(!(vindu->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(vindu->Klientflate()->mapTo(vindu.get(), QPoint(0, 0)).y(), vindu->menuBar()->height());
        const QRect skjerm = vindu->screen()->availableGeometry();
        QVERIFY(qAbs(vindu->frameGeometry().center().x() - skjerm.center().x()) <= 1);
        QVERIFY(qAbs(vindu->frameGeometry().center().y() - skjerm.center().y()) <= 1);
    }

    void everyControlSitsAtItsRectangleInStackingOrder() {
        QCOMPARE(vindu->Piksler(15), 1);
        QList<QObject*> forventet;
        for (const auto& k : kroppstall::form::Kontroller) {
            QWidget* w = vindu->Kontroll(k.id);
            QVERIFY(w != nullptr);
            forventet.prepend(w);
            if (k.type == kroppstall::form::Type::Line) {
                const QRect linje =
                    QRect(QPoint(k.Linje.X1, k.Linje.Y1) / 15, QPoint(k.Linje.X2, k.Linje.Y2) / 15);
                QCOMPARE(w->geometry(), linje.normalized());
            } else {
                QCOMPARE(w->geometry(),
                         QRect(k.Rekt.Left / 15, k.Rekt.Top / 15, k.Rekt.Width / 15, k.Rekt.Height / 15));
            }
        }
        // Qt paints later siblings on top: the white Shape2 must come first, under everything.
        QList<QObject*> stabel;
        for (QObject* barn : vindu->Klientflate()->children()) {
            if (forventet.contains(barn)) {
                stabel.append(barn);
            }
        }
        QCOMPARE(stabel, forventet);
    }

    void fontsResolveAndNoFixedTextIsClipped() {
        const bool wineTahoma = QFile::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
        for (const auto& k : kroppstall::form::Kontroller) {
            QWidget* w = vindu->Kontroll(k.id);
            const auto skrift = k.Font.value_or(kroppstall::form::FrmBmi.Font);
            const QString navn = w->objectName();
            QCOMPARE(w->font().pointSizeF(), skrift.Storrelse);
            const QString familie = QFontInfo(w->font()).family();
            if (skrift.Familie == "Tahoma" && wineTahoma) {
                QCOMPARE(familie, QStringLiteral("Tahoma"));
            } else {
                QVERIFY2(QStringList({Utf8(skrift.Familie), "Liberation Sans", "Arial", "DejaVu Sans"})
                             .contains(familie),
                         qPrintable(navn + " " + familie));
            }
            if (k.Caption.empty()) {
                continue;
            }
            const QFontMetrics fm(w->font());
            QString tekst = Utf8(k.Caption);
            tekst.remove(QLatin1Char('&'));
            if (auto* knapp = qobject_cast<QAbstractButton*>(w)) {
                // The text must fit the part of the button that the style leaves for it.
                QStyleOptionButton opt;
                opt.initFrom(knapp);
                opt.text = knapp->text();
                const bool option = qobject_cast<QRadioButton*>(w) != nullptr;
                const QRect innhold = knapp->style()->subElementRect(
                    option ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents, &opt, knapp);
                QVERIFY2(fm.horizontalAdvance(tekst) <= innhold.width(), qPrintable(navn));
                QVERIFY2(fm.height() <= innhold.height(), qPrintable(navn));
            } else {
                QVERIFY2(fm.horizontalAdvance(tekst) <= w->width(), qPrintable(navn));
                QVERIFY2(fm.height() <= w->height(), qPrintable(navn));
            }
        }
    }

    void startsInItsDesignTimeStateAfterLoad() {
        QCOMPARE(QApplication::focusWidget(), K<QWidget>(txtHoyde));
        QVERIFY(!K<QWidget>(cmdRegn)->isEnabled());
        QVERIFY(K<QPushButton>(cmdRegn)->isDefault());
        QVERIFY(!K<QWidget>(Bmi)->isEnabled());
        QVERIFY(!K<QWidget>(Kg)->isEnabled());
        QVERIFY(K<QRadioButton>(Bmi)->isChecked());
        QVERIFY(!K<QRadioButton>(Kg)->isChecked());
        for (const Id boks : {txtBmi, txtVurdering}) {
            QVERIFY(!K<QWidget>(boks)->isEnabled());
            const QPalette pal = K<QWidget>(boks)->palette();
            QCOMPARE(pal.color(QPalette::Base), QColor(248, 248, 248));
            // The results are read from disabled boxes: their grey text keeps a contrast of 4.5:1.
            // Relative luminance as the contrast guidelines define it, on linearised sRGB channels.
            const auto lys = [](QColor c) {
                const auto lin = [](float k) {
                    const double v = static_cast<double>(k);
                    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
                };
                return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
            };
            const double tekst = lys(pal.color(QPalette::Disabled, QPalette::Text));
            QVERIFY2((lys(QColor(248, 248, 248)) + 0.05) / (tekst + 0.05) >= 4.5,
                     qPrintable(QString::number(tekst)));
        }
        QCOMPARE(K<QLineEdit>(txtHoyde)->maxLength(), 3);
        QCOMPARE(K<QLineEdit>(txtVekt)->maxLength(), 4);
        QCOMPARE(Label2(5), QStringLiteral("BMI grenseverdier"));

        const auto meny = [this](int i) { return vindu->Meny({Navn::mnuOmD, static_cast<std::int16_t>(i)}); };
        QCOMPARE(meny(0)->text(), QStringLiteral("Versjon 1.0.5"));
        QVERIFY(meny(2)->text().startsWith(QStringLiteral("Copyright © ")));
        for (int i : {0, 1, 2}) {
            QVERIFY(!meny(i)->isEnabled());
        }
        QVERIFY(meny(3)->isSeparator());
        QVERIFY(meny(4)->isEnabled() && meny(5)->isEnabled());
        QCOMPARE(teller.Antall({Navn::frmBmi}, Hendelse::Initialize), 1);
        QCOMPARE(teller.Antall({Navn::frmBmi}, Hendelse::Load), 1);
    }

    void resultBoxesCanNeitherBeFocusedNorEdited() {
        for (const Id boks : {txtBmi, txtVurdering}) {
            auto* felt = K<QLineEdit>(boks);
            QVERIFY(felt->isReadOnly());
            QCOMPARE(felt->focusPolicy(), Qt::NoFocus);
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(felt);
            QVERIFY(!a->state().editable);
            QVERIFY(!a->state().focusable);
            // A screen reader's write goes through the accessible interface, not through the form.
            a->setText(QAccessible::Value, QStringLiteral("HACK"));
            if (QAccessibleEditableTextInterface* e = a->editableTextInterface()) {
                e->insertText(0, QStringLiteral("HACK"));
                e->replaceText(0, 0, QStringLiteral("HACK"));
            }
            QCOMPARE(felt->text(), QString());
        }
        // The program itself still writes its results there, and the input boxes stay editable.
        SkrivInn("180", "80");
        QTest::mouseClick(K<QWidget>(cmdRegn), Qt::LeftButton);
        QCOMPARE(K<QLineEdit>(txtBmi)->text(), QStringLiteral("24,7"));
        for (const Id boks : {txtHoyde, txtVekt}) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(K<QWidget>(boks));
            QVERIFY(a->state().editable && a->state().focusable);
        }
    }

    void disabledControlsDrawTheirTextDisabled() {
        // Disabled, as at start, then enabled by valid input: the text colour must follow.
        for (const Id id : {Bmi, Kg, cmdRegn}) {
            auto* w = K<QWidget>(id);
            QVERIFY(!w->isEnabled());
            const QPalette::ColorRole rolle = w->foregroundRole();
            const QColor av = w->palette().color(QPalette::Disabled, rolle);
            QCOMPARE(av, QApplication::palette(w).color(QPalette::Disabled, rolle));
            QVERIFY2(av != w->palette().color(QPalette::Active, rolle), qPrintable(w->objectName()));
        }
        SkrivInn("180", "80");
        for (const Id id : {Bmi, Kg}) {
            auto* w = K<QWidget>(id);
            QVERIFY(w->isEnabled());
            QCOMPARE(w->palette().color(QPalette::Active, w->foregroundRole()),
                     vindu->Klientflate()->palette().color(QPalette::Active, QPalette::WindowText));
        }
    }

    void everyLimitTextFitsItsLabel_data() {
        QTest::addColumn<bool>("komma");
        QTest::newRow("decimal comma") << true;
        QTest::newRow("decimal point") << false;
    }

    void everyLimitTextFitsItsLabel() {
        QFETCH(bool, komma);
        const NumberFormat format = komma ? NumberFormat::Norsk() : NumberFormat::Engelsk();
        double storst = -1e9; // the most any text needs beyond its label's width
        QString verst;
        for (int hoyde = 11; hoyde <= 299; ++hoyde) {
            for (const auto enhet : {kroppstall::Enhet::Bmi, kroppstall::Enhet::Kg}) {
                const auto r = kroppstall::RegnUt("80", std::to_string(hoyde), enhet, format);
                QVERIFY(!r.BmiTekst.empty());
                for (std::int16_t i = 0; i < 6; ++i) {
                    const Id id{Navn::Label2, i};
                    vindu->SkrivCaption(id, r.Grensetekst[static_cast<std::size_t>(i)]);
                    auto* etikett = K<QLabel>(id);
                    const QFontMetricsF fm(etikett->font());
                    const double bredde = fm.horizontalAdvance(etikett->text());
                    if (bredde - etikett->width() > storst) {
                        storst = bredde - etikett->width();
                        verst = etikett->text() + " in " + QFontInfo(etikett->font()).family();
                    }
                    QVERIFY2(bredde <= etikett->width(),
                             qPrintable(QStringLiteral("%1 cm: \"%2\" needs %3 px of %4 in %5")
                                            .arg(hoyde)
                                            .arg(etikett->text())
                                            .arg(bredde)
                                            .arg(etikett->width())
                                            .arg(QFontInfo(etikett->font()).family())));
                    QVERIFY(fm.height() <= etikett->height());
                }
            }
        }
        qInfo("tightest: %s, %.2f px to spare", qPrintable(verst), -storst);
        // One face for the whole table: every line and the heading in the same family and width.
        const QFont forste = K<QLabel>({Navn::Label2, 0})->font();
        for (std::int16_t i = 1; i < 6; ++i) {
            const QFont f = K<QLabel>({Navn::Label2, i})->font();
            QCOMPARE(QFontInfo(f).family(), QFontInfo(forste).family());
            QCOMPARE(f.stretch(), forste.stretch());
        }
    }

    void everyTextStandsOutInEveryScheme_data() {
        QTest::addColumn<QString>("skjema");
        // "system" keeps the platform theme's palette: run it under a real theme, e.g. gtk3 dark.
        for (const char* navn : {"light", "dark", "high contrast", "system"}) {
            QTest::newRow(navn) << QString::fromLatin1(navn);
        }
    }

    void everyTextStandsOutInEveryScheme() {
        QFETCH(QString, skjema);
        const QPalette for_ = QApplication::palette();
        if (skjema != QStringLiteral("system")) {
            QApplication::setPalette(Palett(qPrintable(skjema)));
        } else if (qEnvironmentVariable("GTK_THEME").endsWith(QStringLiteral(":dark"))) {
            // The theme must really have been applied, or this run proves nothing.
            QVERIFY(QApplication::palette().color(QPalette::Window).lightness() < 128);
        }
        vindu.reset();
        form.reset();
        Bygg();
        SkrivInn("180", "80");
        QTest::mouseClick(K<QWidget>(Kg), Qt::LeftButton);
        const QImage bilde = vindu->Klientflate()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QApplication::setPalette(for_);
        QVERIFY(qFuzzyCompare(bilde.devicePixelRatio(), 1.0));

        for (const auto& k : kroppstall::form::Kontroller) {
            const bool tekst =
                k.type == kroppstall::form::Type::Label || k.type == kroppstall::form::Type::TextBox;
            if (!tekst ||
                (k.type == kroppstall::form::Type::TextBox && K<QLineEdit>(k.id)->text().isEmpty())) {
                continue;
            }
            QWidget* w = vindu->Kontroll(k.id);
            const double kontrast = Tekstkontrast(bilde, w->geometry().adjusted(2, 2, -2, -2));
            QVERIFY2(kontrast >= kroppstall::form::MinsteKontrast,
                     qPrintable(QStringLiteral("%1: %2:1").arg(w->objectName()).arg(kontrast)));
            if (k.id.navn == Navn::Label2) { // one white table: no bars behind the lines
                QCOMPARE(QColor(Bakgrunn(bilde, w->geometry())), QColor(Qt::white));
            }
        }
        // Nor gaps between them: the box's inside, beside the lines and between them, is white.
        const QRect boks = vindu->Kontroll({Navn::Shape1})->geometry();
        const QRect marg(boks.left() + 2, boks.top() + 2, 6, boks.height() - 4);
        for (int y = marg.top(); y <= marg.bottom(); ++y) {
            for (int x = marg.left(); x <= marg.right(); ++x) {
                QVERIFY2(QColor(bilde.pixel(x, y)) == QColor(Qt::white),
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        }
    }

    // Run with QT_SCALE_FACTOR set: every rule and the outline are drawn, about `scale` device pixels
    // thick, where the layout puts them, and the box's fill stays inside its outline.
    void linesAndOutlineScaleWithTheWindow() {
        const QImage bilde = vindu->Klientflate()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const double s = bilde.devicePixelRatio();
        const QRgb gra = qRgb(128, 128, 128);
        const auto tykkelse = [&](bool vannrett, double ved, double fra, double til) {
            // Grey device pixels across the expected place, counted at three points along the line.
            int minst = 1 << 20, mest = 0;
            for (const double t : {0.25, 0.5, 0.75}) {
                const double langs = (fra + (til - fra) * t) * s;
                int n = 0;
                for (int d = static_cast<int>(std::floor(ved * s)) - 3;
                     d <= static_cast<int>(std::ceil(ved * s)) + 3; ++d) {
                    const int x = vannrett ? static_cast<int>(langs) : d,
                              y = vannrett ? d : static_cast<int>(langs);
                    n += bilde.valid(x, y) && bilde.pixel(x, y) == gra ? 1 : 0;
                }
                minst = std::min(minst, n);
                mest = std::max(mest, n);
            }
            return std::pair{minst, mest};
        };
        const int lavest = std::max(1, static_cast<int>(std::floor(s))),
                  hoyest = static_cast<int>(std::ceil(s));
        const auto sjekk = [&](const char* hva, std::pair<int, int> funnet) {
            QVERIFY2(funnet.first >= lavest && funnet.second <= hoyest,
                     qPrintable(QStringLiteral("%1 at scale %2: %3 to %4 device pixels, expected about %5")
                                    .arg(hva)
                                    .arg(s)
                                    .arg(funnet.first)
                                    .arg(funnet.second)
                                    .arg(s)));
        };
        const auto px = [](int twips) { return twips / 15.0; };
        const auto* line1 = kroppstall::form::FinnKontroll({Navn::Line1});
        const auto* line2 = kroppstall::form::FinnKontroll({Navn::Line2});
        const auto* boks = kroppstall::form::FinnKontroll({Navn::Shape1});
        sjekk("Line1", tykkelse(true, px(line1->Linje.Y1) + 0.5, px(line1->Linje.X1), px(line1->Linje.X2)));
        sjekk("Line2", tykkelse(true, px(line2->Linje.Y1) + 0.5, px(line2->Linje.X1), px(line2->Linje.X2)));
        const double v = px(boks->Rekt.Left), o = px(boks->Rekt.Top);
        const double h = v + px(boks->Rekt.Width), u = o + px(boks->Rekt.Height);
        sjekk("left edge", tykkelse(false, v + 0.5, o + 5, u - 5));
        sjekk("right edge", tykkelse(false, h - 0.5, o + 5, u - 5));
        sjekk("top edge", tykkelse(true, o + 0.5, v + 5, h - 5));
        sjekk("bottom edge", tykkelse(true, u - 0.5, v + 5, h - 5));
        // Just outside the right and bottom edges lies the window, not the box's white fill.
        for (const double t : {0.25, 0.5, 0.75}) {
            const int x = static_cast<int>(std::ceil(h * s)), y = static_cast<int>((o + (u - o) * t) * s);
            QVERIFY2(QColor(bilde.pixel(x, y)) != QColor(Qt::white),
                     qPrintable(QStringLiteral("white at %1,%2").arg(x).arg(y)));
            const int x2 = static_cast<int>((v + (h - v) * t) * s), y2 = static_cast<int>(std::ceil(u * s));
            QVERIFY2(QColor(bilde.pixel(x2, y2)) != QColor(Qt::white),
                     qPrintable(QStringLiteral("white at %1,%2").arg(x2).arg(y2)));
        }
    }

    void upAndDownMoveTheSelectionInTheOptionPair_data() {
        QTest::addColumn<int>("tast");
        QTest::addColumn<bool>("fraKg");
        QTest::newRow("Down from BMI") << int(Qt::Key_Down) << false;
        QTest::newRow("Right from BMI") << int(Qt::Key_Right) << false;
        QTest::newRow("Up from Kg.") << int(Qt::Key_Up) << true;
        QTest::newRow("Left from Kg.") << int(Qt::Key_Left) << true;
    }

    void upAndDownMoveTheSelectionInTheOptionPair() {
        QFETCH(int, tast);
        QFETCH(bool, fraKg);
        SkrivInn("180", "80");
        const Id fra = fraKg ? Kg : Bmi;
        const Id til = fraKg ? Bmi : Kg;
        if (fraKg) {
            QTest::mouseClick(K<QWidget>(Kg), Qt::LeftButton);
        }
        K<QWidget>(fra)->setFocus();
        teller.hendelser.clear();
        QTest::keyClick(K<QWidget>(fra), static_cast<Qt::Key>(tast));
        QVERIFY(K<QRadioButton>(til)->isChecked());
        QVERIFY(!K<QRadioButton>(fra)->isChecked());
        QCOMPARE(QApplication::focusWidget(), K<QWidget>(til));
        QCOMPARE(teller.Antall(til, Hendelse::Click), 1);
        QCOMPARE(teller.Antall(fra, Hendelse::Click), 0);
        QCOMPARE(Label2(5),
                 fraKg ? QStringLiteral("BMI grenseverdier") : QStringLiteral("Kg. grenseverdier"));
    }

    void screenReadersReadTheWindowInReadingOrder() {
        QAccessibleInterface* flate = QAccessible::queryAccessibleInterface(vindu->Klientflate());
        QVERIFY(flate != nullptr);
        QStringList lest;
        for (int i = 0; i < flate->childCount(); ++i) {
            QAccessibleInterface* barn = flate->child(i);
            QVERIFY(barn != nullptr);
            QCOMPARE(flate->indexOfChild(barn), i);
            QCOMPARE(barn->parent()->object(), vindu->Klientflate());
            lest << barn->object()->objectName();
        }
        const QStringList forventet{
            "lblHoyde(0)", "txtHoyde(0)",     "lblVekt(0)",      "txtVekt(0)", "cmdRegn(0)", "lblBmi(0)",
            "txtBmi(0)",   "lblVurdering(0)", "txtVurdering(0)", "Option1(0)", "Option1(1)", "Label2(5)",
            "Label2(0)",   "Label2(1)",       "Label2(2)",       "Label2(3)",  "Label2(4)"};
        QCOMPARE(lest, forventet);
        // The drawn shapes, the rules and the picture are decoration: nothing to announce.
        for (const Id id :
             {Id{Navn::Shape1}, Id{Navn::Shape2}, Id{Navn::Line1}, Id{Navn::Line2}, Id{Navn::Image1}}) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(vindu->Kontroll(id));
            QVERIFY(a == nullptr || a->state().invisible || flate->indexOfChild(a) < 0);
        }
    }

    void accessKeysOpenTheMenus() {
        const QList<QPair<Qt::Key, Id>> tabell{{Qt::Key_F, {Navn::mnuFil}}, {Qt::Key_O, {Navn::mnuOm}}};
        for (const auto& [tast, meny] : tabell) {
            QTest::keyClick(vindu.get(), tast, Qt::AltModifier);
            QTRY_COMPARE(QApplication::activePopupWidget(), vindu->Meny(meny)->menu());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
        }
    }

    void boxesAreAnnouncedByTheirLabelsAndButtonsByCaptions() {
        const QList<QPair<Id, QString>> tabell{{txtHoyde, "Høyde i cm:"},
                                               {txtVekt, "Vekt i kg:"},
                                               {txtBmi, "BMI:"},
                                               {txtVurdering, "Vurdering:"},
                                               {cmdRegn, "Regn ut"},
                                               {Bmi, "BMI"},
                                               {Kg, "Kg."}};
        for (const auto& [id, navn] : tabell) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(K<QWidget>(id));
            QVERIFY(a != nullptr);
            QCOMPARE(a->text(QAccessible::Name), navn);
        }
    }

    void maxLengthsHoldForTypingAndPasting() {
        QTest::keyClicks(K<QLineEdit>(txtHoyde), QStringLiteral("18055"));
        QTest::keyClicks(K<QLineEdit>(txtVekt), QStringLiteral("123456"));
        QCOMPARE(K<QLineEdit>(txtHoyde)->text(), QStringLiteral("180"));
        QCOMPARE(K<QLineEdit>(txtVekt)->text(), QStringLiteral("1234"));

        QGuiApplication::clipboard()->setText(QStringLiteral("98765"));
        for (const auto& [id, forventet] : QList<QPair<Id, QString>>{{txtHoyde, "987"}, {txtVekt, "9876"}}) {
            auto* boks = K<QLineEdit>(id);
            boks->clear();
            boks->setFocus();
            QTest::keySequence(boks, QKeySequence::Paste);
            QCOMPARE(boks->text(), forventet);
        }
    }

    void tabFollowsTabIndexAmongEnabledControls() {
        const auto tab = [] {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            return QApplication::focusWidget();
        };
        QCOMPARE(tab(), K<QWidget>(txtVekt));
        QCOMPARE(tab(), K<QWidget>(txtHoyde));

        SkrivInn("180", "80");
        K<QWidget>(txtHoyde)->setFocus();
        QCOMPARE(tab(), K<QWidget>(txtVekt));
        QCOMPARE(tab(), K<QWidget>(cmdRegn));
        QCOMPARE(tab(), K<QWidget>(Bmi)); // the group is entered at its selected button
        QCOMPARE(tab(), K<QWidget>(txtHoyde));
    }

    void enterPressesCalculateOnlyWhileItIsEnabled() {
        SkrivInn("180", "8");
        QTest::keyClick(K<QWidget>(txtVekt), Qt::Key_Return);
        QCOMPARE(teller.Antall(cmdRegn, Hendelse::Click), 0);

        QTest::keyClick(K<QWidget>(txtVekt), Qt::Key_0);
        QTest::keyClick(K<QWidget>(txtVekt), Qt::Key_Return);
        QCOMPARE(teller.Antall(cmdRegn, Hendelse::Click), 1);
        QCOMPARE(K<QLineEdit>(txtBmi)->text(), QStringLiteral("24,7"));

        QTest::keyClick(K<QWidget>(txtHoyde), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(teller.Antall(cmdRegn, Hendelse::Click), 2);
    }

    void typedSessionShowsTheResultAndTheKgTable() {
        QTest::keyClicks(K<QWidget>(txtHoyde), QStringLiteral("180"));
        QVERIFY(!K<QWidget>(cmdRegn)->isEnabled());
        QTest::keyClick(K<QWidget>(txtHoyde), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("80"));
        QVERIFY(K<QWidget>(cmdRegn)->isEnabled() && K<QWidget>(Bmi)->isEnabled() &&
                K<QWidget>(Kg)->isEnabled());
        QTest::mouseClick(K<QWidget>(cmdRegn), Qt::LeftButton);
        QCOMPARE(K<QLineEdit>(txtBmi)->text(), QStringLiteral("24,7"));
        QCOMPARE(K<QLineEdit>(txtVurdering)->text(), QStringLiteral("Normalvekt"));

        QTest::mouseClick(K<QWidget>(Kg), Qt::LeftButton);
        const QStringList kg{"Under 59,9 = Undervekt",        "59,9 - 80,6 = Normalvekt",
                             "80,6 - 96,8 = Overvekt",        "96,8 - 129,2 = Kraftig overvekt",
                             "Over 129,2 = Sykelig overvekt", "Kg. grenseverdier"};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(Label2(i), kg[i]);
        }

        // Invalid input disables the three controls but leaves the last results on display.
        QTest::keyClick(K<QWidget>(txtVekt), Qt::Key_Backspace);
        QVERIFY(!K<QWidget>(cmdRegn)->isEnabled() && !K<QWidget>(Kg)->isEnabled());
        QCOMPARE(K<QLineEdit>(txtBmi)->text(), QStringLiteral("24,7"));
        QCOMPARE(Label2(5), QStringLiteral("Kg. grenseverdier"));
    }

    void everyWayOfSelectingAnOptionRecalculatesOnce_data() {
        QTest::addColumn<QString>("maate");
        for (const char* m : {"mouse", "arrow key", "space key", "accessible press", "accessible toggle"}) {
            QTest::newRow(m) << QString::fromLatin1(m);
        }
    }

    void everyWayOfSelectingAnOptionRecalculatesOnce() {
        QFETCH(QString, maate);
        SkrivInn("180", "80");
        teller.hendelser.clear();
        auto* kg = K<QRadioButton>(Kg);
        if (maate == "mouse") {
            QTest::mouseClick(kg, Qt::LeftButton);
        } else if (maate == "arrow key") {
            K<QWidget>(Bmi)->setFocus();
            QTest::keyClick(K<QWidget>(Bmi), Qt::Key_Right);
        } else if (maate == "space key") {
            kg->setFocus();
            QTest::keyClick(kg, Qt::Key_Space);
        } else {
            QAccessibleActionInterface* handling =
                QAccessible::queryAccessibleInterface(kg)->actionInterface();
            QVERIFY(handling != nullptr);
            handling->doAction(maate == "accessible press" ? QAccessibleActionInterface::pressAction()
                                                           : QAccessibleActionInterface::toggleAction());
        }
        QTRY_VERIFY(kg->isChecked()); // a screen reader's press animates the click
        QTest::qWait(200);
        QCOMPARE(teller.Antall(Kg, Hendelse::Click), 1);
        QCOMPARE(teller.Antall(Bmi, Hendelse::Click), 0);
        QCOMPARE(Label2(5), QStringLiteral("Kg. grenseverdier"));

        QTest::mouseClick(K<QWidget>(Bmi), Qt::LeftButton);
        QCOMPARE(teller.Antall(Bmi, Hendelse::Click), 1);
        QCOMPARE(Label2(0), QStringLiteral("Under 18,5 = Undervekt"));
    }

    void mailLaunchReportsFailureTruthfully_data() {
        QTest::addColumn<QString>("skript");
        QTest::addColumn<bool>("boks");
        QTest::newRow("xdg-open exits 3") << "exit 3" << true;
        QTest::newRow("xdg-open exits 0") << "exit 0" << false;
        QTest::newRow("no xdg-open") << QString() << true;
        // Still running when the mail program is up: a late failure is no longer the launch's.
        QTest::newRow("xdg-open outlasts the start") << "sleep 5; exit 3" << false;
    }

    void mailLaunchReportsFailureTruthfully() {
        QFETCH(QString, skript);
        QFETCH(bool, boks);
        QTemporaryDir mappe;
        QVERIFY(mappe.isValid());
        const QString logg = mappe.filePath(QStringLiteral("argumenter"));
        if (!skript.isNull()) {
            LagXdgOpen(mappe, logg, skript);
        }
        const QByteArray sti = qgetenv("PATH");
        qputenv("PATH",
                skript.isNull() ? mappe.path().toLocal8Bit() : mappe.path().toLocal8Bit() + ":" + sti);

        vindu->Meny({Navn::mnuOmD, 4})->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(vindu->findChildren<QProcess*>().isEmpty(),
                                 Skjemavindu::Oppstartsfrist + 2000);
        qputenv("PATH", sti);

        if (!skript.isNull()) {
            QFile fil(logg);
            QVERIFY(fil.open(QIODevice::ReadOnly));
            QCOMPARE(fil.readAll(), QByteArray("mailto:tindrel@example.org"));
        }
        if (boks) {
            QTRY_COMPARE(vakt->sett.size(), 1);
            const Boks b = vakt->sett.takeFirst();
            QCOMPARE(b.tittel, QStringLiteral("Kroppstall"));
            QCOMPARE(b.tekst, QStringLiteral("Det oppstod en feil ved åpning av epost programmet."));
            QCOMPARE(b.ikon, QMessageBox::Warning);
            QCOMPARE(b.knapper, 1);
            if (skript.isNull()) {
                QCOMPARE(b.prosesser, 0); // nothing to run, so nothing was started
            }
        } else {
            QTest::qWait(skript.startsWith(QStringLiteral("sleep")) ? 2500 : 100);
            QCOMPARE(vakt->sett.size(), 0);
        }
    }

    // Clicks while a launch is under way start nothing; its one failure box comes once, and once it is
    // closed the user may try again.
    void oneMailLaunchAtATimeAndOneFailureBox() {
        QTemporaryDir mappe;
        const QString startlogg = mappe.filePath(QStringLiteral("starter"));
        LagXdgOpen(mappe, mappe.filePath(QStringLiteral("argumenter")),
                   QStringLiteral("echo >> '%1'; sleep 2; exit 3").arg(startlogg));
        const QByteArray sti = qgetenv("PATH");
        qputenv("PATH", mappe.path().toLocal8Bit() + ":" + sti);
        const auto starter = [&startlogg] {
            QFile fil(startlogg);
            return fil.open(QIODevice::ReadOnly) ? fil.readAll().count('\n') : 0;
        };
        for (int runde = 1; runde <= 2; ++runde) {
            for (int klikk = 0; klikk < 3; ++klikk) {
                vindu->Meny({Navn::mnuOmD, 4})->trigger();
                QTest::qWait(300);
            }
            QTRY_COMPARE_WITH_TIMEOUT(vakt->sett.size(), 1, 8000);
            QTest::qWait(1500); // time enough for a second launch to fail too, had one started
            QCOMPARE(vakt->sett.size(), 1);
            QCOMPARE(starter(), runde);
            vakt->sett.clear();
        }
        qputenv("PATH", sti);
    }

    void homePageLaunchIsSilentEvenWhenItFails() {
        QTemporaryDir mappe;
        const QString logg = mappe.filePath(QStringLiteral("argumenter"));
        LagXdgOpen(mappe, logg, QStringLiteral("exit 3"));
        const QByteArray sti = qgetenv("PATH");
        qputenv("PATH", mappe.path().toLocal8Bit() + ":" + sti);
        vindu->Meny({Navn::mnuOmD, 5})->trigger();
        qputenv("PATH", sti);

        QTRY_VERIFY(QFile::exists(logg));
        QFile argumenter(logg);
        QVERIFY(argumenter.open(QIODevice::ReadOnly));
        QCOMPARE(argumenter.readAll(), QByteArray("https://tindrel.example.org/"));
        QTest::qWait(100);
        QCOMPARE(vakt->sett.size(), 0);
    }

    void wrongPropertyFailsAndAnUntrappedErrorEndsTheProgram() {
        QVERIFY_THROWS_EXCEPTION(kroppstall::form::Kjoretidsfeil, vindu->SkrivTekst({Navn::Label2, 0}, "x"));
        QVERIFY_THROWS_EXCEPTION(kroppstall::form::Kjoretidsfeil, vindu->LesValue(cmdRegn));
        QVERIFY_THROWS_EXCEPTION(kroppstall::form::Kjoretidsfeil,
                                 vindu->SkrivCaption({Navn::Label2, 6}, "x"));

        struct Feilende final : kroppstall::form::Hendelsesmottaker {
            void Utlos(Id, Hendelse) override { throw kroppstall::form::Kjoretidsfeil("prøvefeil"); }
        } feilende;
        Skjemavindu annet({});
        annet.Start(feilende);
        QVERIFY(annet.Avsluttet());
        QCOMPARE(vakt->sett.size(), 1);
        QCOMPARE(vakt->sett.takeFirst().ikon, QMessageBox::Critical);
        NyttProgram();

        // A failure while the window is built: a picture handed in for a control that shows none.
        Teller tellende;
        tellende.form = form.get();
        Skjemavindu feilbygd({QIcon(), {{{Navn::Label2, 0}, QPixmap(16, 16)}}});
        feilbygd.Start(tellende);
        QVERIFY(feilbygd.Avsluttet());
        QCOMPARE(tellende.Antall({Navn::frmBmi}, Hendelse::Initialize), 1);
        QCOMPARE(tellende.Antall({Navn::frmBmi}, Hendelse::Load), 0);
        QCOMPARE(vakt->sett.size(), 1);
        QCOMPARE(vakt->sett.first().ikon, QMessageBox::Critical);
        QVERIFY2(vakt->sett.takeFirst().tekst.contains(QStringLiteral("Label2(0)")),
                 "the error names the control");
        NyttProgram();
    }

    void fileExitAndTheCloseBoxEndTheProgram_data() {
        QTest::addColumn<bool>("meny");
        QTest::newRow("File > Avslutt") << true;
        QTest::newRow("close box") << false;
    }

    void fileExitAndTheCloseBoxEndTheProgram() {
        QFETCH(bool, meny);
        QTimer::singleShot(0, vindu.get(), [this, meny] {
            if (meny) {
                vindu->Meny({Navn::mnuFilAvslutt})->trigger();
            } else {
                vindu->close();
            }
        });
        QTimer reserve;
        reserve.setSingleShot(true);
        QObject::connect(&reserve, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
        reserve.start(5000);
        // The event loop ends by itself once the window is gone, as the program's would.
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!vindu->isVisible());
        QCOMPARE(teller.Antall({Navn::mnuFilAvslutt}, Hendelse::Click), meny ? 1 : 0);
    }
};

QTEST_MAIN(TestHovedvindu)
#include "tst_hovedvindu.moc"
