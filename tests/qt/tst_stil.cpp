#include "vindustest.h"

using namespace vindustest;

// The program's style: the icons it draws as the base style does.
class Style : public Vindustest {
    Q_OBJECT

private Q_SLOTS:
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
};

QTEST_MAIN(Style)
#include "tst_stil.moc"
