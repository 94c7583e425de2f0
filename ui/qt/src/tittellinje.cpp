#include "tittellinje.h"

#include "wayland.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
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

// A window that cannot change its size cannot be maximized, whatever its hints say.
bool FastStorrelse(const QWidget& vindu) {
    return vindu.minimumSize() == vindu.maximumSize();
}

class Tittellinje : public QWidget {
public:
    explicit Tittellinje(QWidget& vindu) : QWidget(&vindu), vindu_(vindu) {
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
        LagKnapper(*rad, flagg);

        // Alt+Space opens the window menu on every desktop that has one.
        auto* meny = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
        meny->setContext(Qt::WindowShortcut);
        connect(meny, &QShortcut::activated, this, [this] { Vindusmeny(QPoint(0, height())); });

        // The window's own layout, a fixed size included, keeps clear of the bar.
        vindu.setContentsMargins(0, Hoyde, 0, 0);
        vindu.installEventFilter(this);
        // Qt drops the frameless hint from any set that names a title or a button.
        const Qt::WindowFlags uten = (flagg & Qt::WindowType_Mask) | Qt::FramelessWindowHint;
        if (QWindow* w = vindu.windowHandle()) {
            // Told to the window system without hiding the window, which would end a dialog's exec().
            vindu.overrideWindowFlags(uten);
            w->setFlags(uten);
            setGeometry(0, 0, vindu.width(), Hoyde);
            if (vindu.isVisible()) {
                show();
            }
        } else {
            vindu.setWindowFlags(uten);
        }
    }

private:
    // Only the buttons the window's hints ask for.
    void LagKnapper(QHBoxLayout& rad, Qt::WindowFlags flagg) {
        if (flagg.testFlag(Qt::WindowMinimizeButtonHint)) {
            auto* k = new Knapp(Knappetype::Minimer, QStringLiteral("Minimer"), this);
            connect(k, &QAbstractButton::clicked, this, [this] { vindu_.showMinimized(); });
            rad.addWidget(k);
        }
        if (flagg.testFlag(Qt::WindowMaximizeButtonHint)) {
            maksimer_ = new Knapp(Knappetype::Maksimer, QStringLiteral("Maksimer"), this);
            connect(maksimer_, &QAbstractButton::clicked, this, [this] { Maksimer(); });
            rad.addWidget(maksimer_);
        }
        if (flagg.testFlag(Qt::WindowCloseButtonHint)) {
            auto* k = new Knapp(Knappetype::Lukk, QStringLiteral("Lukk"), this);
            connect(k, &QAbstractButton::clicked, this, [this] { vindu_.close(); });
            rad.addWidget(k);
        }
    }

protected:
    bool eventFilter(QObject* objekt, QEvent* e) override {
        switch (e->type()) {
        case QEvent::Resize:
            setGeometry(0, 0, vindu_.width(), Hoyde);
            break;
        case QEvent::Show:
            if (maksimer_ != nullptr) {
                maksimer_->setVisible(!FastStorrelse(vindu_));
            }
            break;
        case QEvent::WindowTitleChange:
        case QEvent::WindowIconChange:
            Vis();
            break;
        case QEvent::ActivationChange:
            Vis();
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
        } else if (e->button() == Qt::RightButton) {
            Vindusmeny(e->position().toPoint());
        }
    }

    // As on other desktops, a double-click maximizes, but only a window that can be maximized; the
    // press before it has started a move, which the double-click leaves alone.
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && maksimer_ != nullptr && !FastStorrelse(vindu_)) {
            Maksimer();
        }
    }

private:
    void Vis() {
        ikon_->setPixmap(vindu_.windowIcon().pixmap(16, 16));
        tittel_->setText(vindu_.windowTitle());
        // An inactive window's caption is greyed, as the compositor's own frames do it.
        QPalette farger = tittel_->palette();
        farger.setColor(QPalette::WindowText,
                        palette().color(vindu_.isActiveWindow() ? QPalette::Active : QPalette::Disabled,
                                        QPalette::WindowText));
        tittel_->setPalette(farger);
    }

    void Maksimer() { vindu_.isMaximized() ? vindu_.showNormal() : vindu_.showMaximized(); }

    void Vindusmeny(QPoint sted) {
        if (QWindow* w = vindu_.windowHandle()) {
            static_cast<void>(wayland::VisVindusmeny(*w, mapTo(&vindu_, sted)));
        }
    }

    QWidget& vindu_;
    QLabel* ikon_ = nullptr;
    QLabel* tittel_ = nullptr;
    Knapp* maksimer_ = nullptr;
};

// Where the compositor announced frames of its own, Qt asks it for one. Should it answer that the
// program draws after all, Qt draws its default frame, which is seen here by its margins once the
// window is exposed: the window then gets our bar in its place.
class Rammevakt : public QObject {
public:
    explicit Rammevakt(QWidget& vindu) : QObject(&vindu), vindu_(vindu) { vindu.installEventFilter(this); }

protected:
    bool eventFilter(QObject* objekt, QEvent* e) override {
        QWindow* w = vindu_.windowHandle();
        if (objekt == &vindu_ && e->type() == QEvent::Show && w != nullptr && w != vaktet_) {
            w->installEventFilter(this);
            vaktet_ = w;
        } else if (objekt == w && e->type() == QEvent::Expose && !w->frameMargins().isNull()) {
            // Not while Qt is still delivering the exposure of the frame it is about to lose.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    new Tittellinje(vindu_);
                    deleteLater();
                },
                Qt::QueuedConnection);
            w->removeEventFilter(this);
            vindu_.removeEventFilter(this);
        }
        return QObject::eventFilter(objekt, e);
    }

private:
    QWidget& vindu_;
    QWindow* vaktet_ = nullptr;
};

// Boxes and dialogs get their frame as Qt polishes them, after their window exists and before it is
// shown, wherever in the program they are opened.
class Dialogvakt : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objekt, QEvent* e) override {
        if (e->type() == QEvent::Polish && objekt->isWidgetType()) {
            auto& w = static_cast<QWidget&>(*objekt);
            if (w.windowType() == Qt::Dialog) {
                VelgRamme(w);
            }
        }
        return QObject::eventFilter(objekt, e);
    }
};

void VaktDialoger() {
    if (wayland::PaWayland()) {
        qApp->installEventFilter(new Dialogvakt(qApp));
    }
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(VaktDialoger)

void VelgRamme(QWidget& vindu) {
    // Once for each window.
    static constexpr char Valgt[] = "kroppstall-ramme";
    if (!wayland::PaWayland() || vindu.property(Valgt).toBool()) {
        return;
    }
    vindu.setProperty(Valgt, true);
    if (wayland::Kompositor().serverrammer) {
        new Rammevakt(vindu);
    } else {
        new Tittellinje(vindu);
    }
}

} // namespace kroppstall::qt
