#include "vindustest.h"

using namespace vindustest;

// Screen readers and the keys of the option pair and the menus.
class Accessibility : public Vindustest {
    Q_OBJECT

private Q_SLOTS:
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
};

QTEST_MAIN(Accessibility)
#include "tst_tilgang.moc"
