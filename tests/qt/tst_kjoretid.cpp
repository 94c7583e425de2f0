#include "vindustest.h"

using namespace vindustest;

// The run-time operations: the number format, a property a control lacks, the error guard, unloading.
class RunTime : public Vindustest {
    Q_OBJECT

private Q_SLOTS:
    void numberFormatComesFromTheLocale() {
        QCOMPARE(kroppstall::qt::Tallformat(QLocale(QLocale::NorwegianBokmal, QLocale::Norway)),
                 NumberFormat::Norsk());
        QCOMPARE(kroppstall::qt::Tallformat(QLocale(QLocale::English, QLocale::UnitedStates)),
                 NumberFormat::Engelsk());
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

QTEST_MAIN(RunTime)
#include "tst_kjoretid.moc"
