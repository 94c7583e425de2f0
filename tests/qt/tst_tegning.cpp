#include "bilder.h"
#include "vindustest.h"

using namespace vindustest;

namespace {

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

// The pixels that focus changes around `rute`, `uten` to `med`, that stand out by 3:1 from both the
// control's own background and the window above it: their outline, and the weakest contrast found at
// the middle of its four sides (0 where a side has none), so that a ring passes and a caret does not.
double Fokusring(const QImage& uten, const QImage& med, QRect rute) {
    using kroppstall::form::Kontrast;
    const auto eget = Rgb(Bakgrunn(uten, rute));
    const auto vindu = Rgb(Bakgrunn(uten, QRect(rute.left(), rute.top() - 3, rute.width(), 2)));
    std::map<std::pair<int, int>, double> ring;
    QRect omriss;
    for (int y = rute.top() - 2; y <= rute.bottom() + 2; ++y) {
        for (int x = rute.left() - 2; x <= rute.right() + 2; ++x) {
            const QRgb p = med.pixel(x, y);
            const double k = std::min(Kontrast(Rgb(p), eget), Kontrast(Rgb(p), vindu));
            if (p != uten.pixel(x, y) && k >= kroppstall::form::MinsteKantkontrast) {
                ring[{x, y}] = k;
                omriss |= QRect(x, y, 1, 1);
            }
        }
    }
    if (omriss.width() < 8 || omriss.height() < 8) {
        return 0.0;
    }
    const auto side = [&](QPoint midt) {
        double best = 0.0;
        for (const auto& [p, k] : ring) {
            if (std::abs(p.first - midt.x()) <= 2 && std::abs(p.second - midt.y()) <= 2) {
                best = std::max(best, k);
            }
        }
        return best;
    };
    const QPoint m = omriss.center();
    return std::min({side({omriss.left(), m.y()}), side({omriss.right(), m.y()}), side({m.x(), omriss.top()}),
                     side({m.x(), omriss.bottom()})});
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

// What the window paints: colours in every scheme, greyed text, rules and outline at every scale.
class Painting : public Vindustest {
    Q_OBJECT

    // The window built again in a colour scheme, with valid input, so that every control is enabled.
    void ByggISkjema(const QString& skjema) {
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
    }

private Q_SLOTS:
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
        ByggISkjema(skjema);
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
        // The option circles, selected or not, stand out from the window: on each of their four sides,
        // the outer half of the radius holds an edge of 3:1.
        for (const Id id : {Bmi, Kg}) {
            auto* w = K<QRadioButton>(id);
            QStyleOptionButton valg;
            valg.initFrom(w);
            const QRect sirkel =
                w->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &valg, w).translated(w->pos());
            const auto bak = Rgb(Bakgrunn(bilde, w->geometry()));
            const int r = sirkel.width() / 2;
            double svakest = 21.0;
            for (const QPoint retning : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                double kant = 1.0;
                for (int d = r / 2 + 1; d <= r + 2; ++d) {
                    const QPoint p = sirkel.center() + retning * d;
                    kant = std::max(kant, kroppstall::form::Kontrast(Rgb(bilde.pixel(p)), bak));
                }
                svakest = std::min(svakest, kant);
            }
            qInfo("%s, %s: circle edge %.2f:1", qPrintable(skjema), qPrintable(w->objectName()), svakest);
            QVERIFY2(svakest >= kroppstall::form::MinsteKantkontrast, qPrintable(w->objectName()));
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

    void focusShowsOnEveryControlInEveryScheme_data() { everyTextStandsOutInEveryScheme_data(); }

    // Every control that takes the focus shows it by a ring that stands out from the control and the
    // window around it.
    void focusShowsOnEveryControlInEveryScheme() {
        QFETCH(QString, skjema);
        const QPalette for_ = QApplication::palette();
        ByggISkjema(skjema);
        const auto grab = [this] {
            return vindu->Klientflate()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        for (const Id id : {txtHoyde, txtVekt, cmdRegn, Bmi, Kg}) {
            QWidget* w = K<QWidget>(id);
            if (QWidget* fokus = QApplication::focusWidget()) {
                fokus->clearFocus();
            }
            const QImage uten = grab();
            w->setFocus(Qt::TabFocusReason);
            const double ring = Fokusring(uten, grab(), w->geometry());
            qInfo("%s, %s: focus ring %.2f:1", qPrintable(skjema), qPrintable(w->objectName()), ring);
            QVERIFY2(ring >= kroppstall::form::MinsteKantkontrast, qPrintable(w->objectName()));
        }
        QApplication::setPalette(for_);
    }

    // Run with QT_SCALE_FACTOR set too: where one of the picture's images has just its device size,
    // the picture shows that image pixel for pixel, not a smaller one scaled up.
    void pictureIsDrawnFromItsLargestImageThatFits() {
        namespace b = kroppstall::bilder;
        using kroppstall::qt::Bilde;
        const QList<QPixmap> storrelser{Bilde<b::Bilde16Side>(b::Bilde16), Bilde<b::Bilde32Side>(b::Bilde32),
                                        Bilde<b::Bilde48Side>(b::Bilde48)};
        QIcon bilde;
        for (const QPixmap& p : storrelser) {
            bilde.addPixmap(p);
        }
        vindu.reset();
        form.reset();
        Bygg({{Id{Navn::Image1}, bilde}});
        const QImage flate = vindu->Klientflate()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        const double s = flate.devicePixelRatio();
        const QRect r = vindu->Kontroll({Navn::Image1})->geometry();
        const QRect enheter(qRound(r.x() * s), qRound(r.y() * s), qRound(r.width() * s),
                            qRound(r.height() * s));
        const auto fasit = std::find_if(storrelser.begin(), storrelser.end(),
                                        [&](const QPixmap& p) { return p.size() == enheter.size(); });
        if (fasit == storrelser.end()) {
            QSKIP("none of the picture's images has its device size at this scale");
        }
        QImage vist = flate.copy(enheter);
        vist.setDevicePixelRatio(1.0);
        QCOMPARE(vist, fasit->toImage().convertToFormat(QImage::Format_ARGB32));
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
};

QTEST_MAIN(Painting)
#include "tst_tegning.moc"
