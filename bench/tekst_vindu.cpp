// The floor for a window that shows any text in the program's faces: the bare window with a menu bar
// of two menus and one label in Tahoma, registered from its file where fontconfig does not list it.
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMenuBar>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget vindu;
    vindu.setWindowTitle(QStringLiteral("Vindu med tekst"));
    vindu.resize(320, 240);
    if (!QFontDatabase::hasFamily(QStringLiteral("Tahoma"))) {
        QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
    }
    auto* meny = new QMenuBar(&vindu);
    meny->addMenu(QStringLiteral("&Fil"));
    meny->addMenu(QStringLiteral("&Om"));
    auto* etikett = new QLabel(QStringLiteral("Vekt (kg):"), &vindu);
    QFont skrift(QStringLiteral("Tahoma"));
    skrift.setPointSizeF(8.25);
    etikett->setFont(skrift);
    etikett->move(10, 40);
    vindu.show();
    return QApplication::exec();
}
