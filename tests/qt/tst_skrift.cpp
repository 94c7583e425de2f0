#include "vindustest.h"

using namespace vindustest;

// Faces and text fitting.
class Fonts : public Vindustest {
    Q_OBJECT

private Q_SLOTS:
    void fontsResolveAndNoFixedTextIsClipped() {
        const bool tahomaFraWine = QFile::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
        for (const auto& k : kroppstall::form::Kontroller) {
            QWidget* w = vindu->Kontroll(k.id);
            const auto skrift = k.Font.value_or(kroppstall::form::FrmBmi.Font);
            const QString navn = w->objectName();
            QCOMPARE(w->font().pointSizeF(), skrift.Storrelse);
            const QString familie = QFontInfo(w->font()).family();
            if (skrift.Familie == "Tahoma" && tahomaFraWine) {
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
                const bool erValg = qobject_cast<QRadioButton*>(w) != nullptr;
                const QRect innhold = knapp->style()->subElementRect(
                    erValg ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents, &opt, knapp);
                QVERIFY2(fm.horizontalAdvance(tekst) <= innhold.width(), qPrintable(navn));
                QVERIFY2(fm.height() <= innhold.height(), qPrintable(navn));
            } else {
                QVERIFY2(fm.horizontalAdvance(tekst) <= w->width(), qPrintable(navn));
                QVERIFY2(fm.height() <= w->height(), qPrintable(navn));
            }
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
};

QTEST_MAIN(Fonts)
#include "tst_skrift.moc"
