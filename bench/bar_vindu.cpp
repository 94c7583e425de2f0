// The floor for start-up: a bare Qt Widgets window with a title, nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget vindu;
    vindu.setWindowTitle(QStringLiteral("Bart vindu"));
    vindu.resize(320, 240);
    vindu.show();
    return QApplication::exec();
}
