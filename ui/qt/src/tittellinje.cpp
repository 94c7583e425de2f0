#include "tittellinje.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace kroppstall::qt {

namespace {

constexpr int Hoyde = 28;

enum class Knappetype { Minimer, Maksimer, Lukk };

class Knapp : public QAbstractButton {
public:
    Knapp(Knappetype type, const QString& navn, QWidget* forelder) : QAbstractButton(forelder), type_(type) {
        setFocusPolicy(Qt::NoFocus);
        setAccessibleName(navn);
        setToolTip(navn);
        setFixedSize(Hoyde - 6, Hoyde - 6);
        setAttribute(Qt::WA_Hover);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (underMouse() || isDown()) {
            p.fillRect(rect(), palette().color(isDown() ? QPalette::Dark : QPalette::Midlight));
        }
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(palette().color(QPalette::WindowText), 1.5));
        const QRectF r = QRectF(rect()).adjusted(7, 7, -7, -7);
        switch (type_) {
        case Knappetype::Minimer:
            p.drawLine(r.bottomLeft(), r.bottomRight());
            break;
        case Knappetype::Maksimer:
            p.drawRect(r);
            break;
        case Knappetype::Lukk:
            p.drawLine(r.topLeft(), r.bottomRight());
            p.drawLine(r.bottomLeft(), r.topRight());
            break;
        }
    }

private:
    Knappetype type_;
};

class Tittellinje : public QWidget {
public:
    explicit Tittellinje(QMainWindow& vindu) : QWidget(&vindu), vindu_(vindu) {
        auto* rad = new QHBoxLayout(this);
        rad->setContentsMargins(6, 3, 3, 3);
        rad->setSpacing(2);
        ikon_ = new QLabel(this);
        rad->addWidget(ikon_);
        tittel_ = new QLabel(this);
        tittel_->setAlignment(Qt::AlignCenter);
        QFont skrift = tittel_->font();
        skrift.setBold(true);
        tittel_->setFont(skrift);
        rad->addWidget(tittel_, 1);
        Vis();

        const Qt::WindowFlags flagg = vindu.windowFlags();
        if (flagg.testFlag(Qt::WindowMinimizeButtonHint)) {
            auto* k = new Knapp(Knappetype::Minimer, QStringLiteral("Minimer"), this);
            connect(k, &QAbstractButton::clicked, this, [this] { vindu_.showMinimized(); });
            rad->addWidget(k);
        }
        if (flagg.testFlag(Qt::WindowMaximizeButtonHint)) {
            auto* k = new Knapp(Knappetype::Maksimer, QStringLiteral("Maksimer"), this);
            connect(k, &QAbstractButton::clicked, this,
                    [this] { vindu_.isMaximized() ? vindu_.showNormal() : vindu_.showMaximized(); });
            rad->addWidget(k);
        }
        if (flagg.testFlag(Qt::WindowCloseButtonHint)) {
            auto* k = new Knapp(Knappetype::Lukk, QStringLiteral("Lukk"), this);
            connect(k, &QAbstractButton::clicked, this, [this] { vindu_.close(); });
            rad->addWidget(k);
        }

        // The window's own layout, a fixed size included, keeps clear of the bar.
        vindu.setContentsMargins(0, Hoyde, 0, 0);
        vindu.installEventFilter(this);
        // Qt drops the frameless hint from any set that names a title or a button.
        vindu.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    }

protected:
    bool eventFilter(QObject* objekt, QEvent* e) override {
        switch (e->type()) {
        case QEvent::Resize:
            setGeometry(0, 0, vindu_.width(), Hoyde);
            break;
        case QEvent::WindowTitleChange:
        case QEvent::WindowIconChange:
            Vis();
            break;
        case QEvent::ActivationChange:
            update();
            break;
        default:
            break;
        }
        return QWidget::eventFilter(objekt, e);
    }

    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Window).darker(vindu_.isActiveWindow() ? 115 : 105));
        p.setPen(palette().color(QPalette::Mid));
        p.drawLine(0, height() - 1, width(), height() - 1);
    }

    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && vindu_.windowHandle() != nullptr) {
            vindu_.windowHandle()->startSystemMove();
        }
    }

private:
    void Vis() {
        ikon_->setPixmap(vindu_.windowIcon().pixmap(16, 16));
        tittel_->setText(vindu_.windowTitle());
    }

    QMainWindow& vindu_;
    QLabel* ikon_ = nullptr;
    QLabel* tittel_ = nullptr;
};

} // namespace

void GiTittellinje(QMainWindow& vindu) {
    new Tittellinje(vindu);
}

} // namespace kroppstall::qt
