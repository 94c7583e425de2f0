#include "kroppstall/qt/stil.h"

#include "farger.h"
#include "kroppstall/form/farge.h"
#include "tegning.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QStyleOption>
#include <QWidget>

namespace kroppstall::qt {

namespace {

// Stands in for the base style's icon, and asks for it only when someone needs its pixels or sizes.
class UtsattIkon final : public QIconEngine {
public:
    UtsattIkon(const QProxyStyle* stil, QStyle::StandardPixmap hva) : stil_(stil), hva_(hva) {}

    void paint(QPainter* p, const QRect& rute, QIcon::Mode modus, QIcon::State tilstand) override {
        Ikon().paint(p, rute, Qt::AlignCenter, modus, tilstand);
    }
    QPixmap pixmap(const QSize& storrelse, QIcon::Mode modus, QIcon::State tilstand) override {
        return Ikon().pixmap(storrelse, modus, tilstand);
    }
    QPixmap scaledPixmap(const QSize& storrelse, QIcon::Mode modus, QIcon::State tilstand,
                         qreal skala) override {
        return Ikon().pixmap(storrelse, skala, modus, tilstand);
    }
    QSize actualSize(const QSize& storrelse, QIcon::Mode modus, QIcon::State tilstand) override {
        return Ikon().actualSize(storrelse, modus, tilstand);
    }
    QList<QSize> availableSizes(QIcon::Mode modus, QIcon::State tilstand) override {
        return Ikon().availableSizes(modus, tilstand);
    }
    // Answered without reading, so that a look at the button does not read the icon after all.
    bool isNull() override { return hentet_ ? ikon_.isNull() : stil_.isNull(); }
    QIconEngine* clone() const override { return new UtsattIkon(*this); }

private:
    const QIcon& Ikon() {
        if (!hentet_ && !stil_.isNull()) {
            ikon_ = stil_->QProxyStyle::standardIcon(hva_, nullptr, nullptr);
            hentet_ = true;
        }
        return ikon_;
    }

    QPointer<const QProxyStyle> stil_; // the application may change its style meanwhile
    QStyle::StandardPixmap hva_;
    QIcon ikon_;
    bool hentet_ = false;
};

// `kant` kept visible against `bakgrunn` by the colour rule.
QColor Kantfarge(const QColor& kant, const QColor& bakgrunn) {
    return QtFarge(form::Synlig(Rgb(kant), Rgb(bakgrunn)));
}

// Fusion's option circle: its path, and the window's colour darkened, which is its edge.
void Optionkant(const QStyleOption& valg, QPainter& p) {
    const QColor fusion = valg.palette.color(QPalette::Window).darker(150);
    const QColor kant = Kantfarge(fusion, valg.palette.color(QPalette::Window));
    if (kant == fusion) {
        return;
    }
    const QRect r = valg.rect;
    const qreal radius = (r.width() + (r.width() + 1) % 2) / 2.0 - 1;
    QPainterPath sirkel;
    sirkel.addEllipse(QPointF(r.center() + QPoint(1, 1)), radius, radius);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kant, 1.5)); // covers Fusion's one-pixel edge, antialiased pixels too
    p.drawPath(sirkel);
    p.restore();
}

} // namespace

void Stil::drawPrimitive(PrimitiveElement hva, const QStyleOption* valg, QPainter* p,
                         const QWidget* widget) const {
    switch (hva) {
    case PE_FrameFocusRect: // around an option's caption
        Ramme(*p, valg->rect,
              Kantfarge(valg->palette.color(QPalette::WindowText), valg->palette.color(QPalette::Window)));
        return;
    case PE_PanelLineEdit:
        QProxyStyle::drawPrimitive(hva, valg, p, widget);
        if (valg->state.testFlag(State_HasFocus)) {
            // The highlight a shade darker, as Fusion draws a focused box's frame.
            const QColor fokus = valg->palette.color(QPalette::Highlight).darker(125);
            Ramme(*p, valg->rect, Kantfarge(fokus, valg->palette.color(QPalette::Window)));
        }
        return;
    case PE_IndicatorRadioButton:
        QProxyStyle::drawPrimitive(hva, valg, p, widget);
        // Disabled, it may fade: it cannot be used then.
        if (valg->state.testFlag(State_Enabled) &&
            baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0) {
            Optionkant(*valg, *p);
        }
        return;
    default:
        QProxyStyle::drawPrimitive(hva, valg, p, widget);
    }
}

void Stil::drawControl(ControlElement hva, const QStyleOption* valg, QPainter* p,
                       const QWidget* widget) const {
    QProxyStyle::drawControl(hva, valg, p, widget);
    // Fusion shows a default button's focus not at all.
    if (hva == CE_PushButton && valg->state.testFlag(State_HasFocus)) {
        Ramme(*p, subElementRect(SE_PushButtonFocusRect, valg, widget),
              Kantfarge(valg->palette.color(QPalette::ButtonText), valg->palette.color(QPalette::Button)));
    }
}

QIcon Stil::standardIcon(StandardPixmap hva, const QStyleOption* valg, const QWidget* widget) const {
    if (hva == SP_ToolBarHorizontalExtensionButton) {
        return QIcon(new UtsattIkon(this, hva));
    }
    return QProxyStyle::standardIcon(hva, valg, widget);
}

} // namespace kroppstall::qt
