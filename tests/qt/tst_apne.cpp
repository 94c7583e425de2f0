#include "vindustest.h"

using namespace vindustest;

namespace {

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

} // namespace

// Launching the mail program and the browser through xdg-open.
class Launching : public Vindustest {
    Q_OBJECT

private Q_SLOTS:
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
};

QTEST_MAIN(Launching)
#include "tst_apne.moc"
