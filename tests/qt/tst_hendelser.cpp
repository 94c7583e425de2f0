#include "vindustest.h"

using namespace vindustest;

// Events from typing, Tab, Enter and the options reaching the form, and what the user then sees.
class Events : public Vindustest {
    Q_OBJECT

private Q_SLOTS:
    void maxLengthsHoldForTypingAndPasting() {
        QTest::keyClicks(K<QLineEdit>(txtHoyde), QStringLiteral("18055"));
        QTest::keyClicks(K<QLineEdit>(txtVekt), QStringLiteral("123456"));
        QCOMPARE(K<QLineEdit>(txtHoyde)->text(), QStringLiteral("180"));
        QCOMPARE(K<QLineEdit>(txtVekt)->text(), QStringLiteral("1234"));

        // A single-line box keeps what was pasted up to its first line break, then cuts it to length;
        // what stood after the cursor stays.
        struct Liming {
            Id boks;
            QString for_, utklipp, etter;
            int markor;
        };
        const QList<Liming> tabell{{txtHoyde, "", "98765", "987", 0},   {txtVekt, "", "98765", "9876", 0},
                                   {txtVekt, "", "80\n", "80", 0},      {txtHoyde, "", "80\r\n", "80", 0},
                                   {txtVekt, "", "1\n80", "1", 0},      {txtHoyde, "", "1805\n", "180", 0},
                                   {txtVekt, "10", "8\r\n5", "180", 1}, {txtVekt, "", " 80\t\n", " 80\t", 0}};
        for (const auto& r : tabell) {
            auto* boks = K<QLineEdit>(r.boks);
            boks->setText(r.for_);
            boks->setCursorPosition(r.markor);
            boks->setFocus();
            QGuiApplication::clipboard()->setText(r.utklipp);
            QTest::keySequence(boks, QKeySequence::Paste);
            QCOMPARE(boks->text(), r.etter);
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
};

QTEST_MAIN(Events)
#include "tst_hendelser.moc"
