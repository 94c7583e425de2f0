#include "bilder.h"
#include "vindustest.h"

using namespace vindustest;

// The window as built from the layout tables: its frame, its controls and their design-time state.
class MainWindow : public Vindustest {
    Q_OBJECT

private Q_SLOTS:
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
};

QTEST_MAIN(MainWindow)
#include "tst_hovedvindu.moc"
