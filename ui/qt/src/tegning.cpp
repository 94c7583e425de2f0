#include "tegning.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace kroppstall::qt {

Figurflate::Figurflate(QWidget* forelder, QColor kant, std::optional<QColor> fyll)
    : QWidget(forelder), kant_(kant), fyll_(fyll) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

// Outlines and lines are filled rectangles a whole number of device pixels thick, about one pixel
// at 96 dpi: a one-pixel pen lands between device pixels at fractional scales and vanishes, and it
// stays one device pixel thin where everything else doubles. The outline lies inside the shape's
// rectangle, edge to edge with a fill of the same rectangle.
namespace {

qreal Strek(const QWidget& w) {
    const qreal skala = w.devicePixelRatioF();
    return std::max<qreal>(1.0, std::round(skala)) / skala;
}

} // namespace

void Figurflate::paintEvent(QPaintEvent* /*hendelse*/) {
    QPainter p(this);
    const QRectF r = rect();
    if (fyll_) {
        p.fillRect(r, *fyll_);
    }
    const qreal t = std::min({Strek(*this), r.width() / 2, r.height() / 2});
    p.fillRect(QRectF(0, 0, r.width(), t), kant_);
    p.fillRect(QRectF(0, r.height() - t, r.width(), t), kant_);
    p.fillRect(QRectF(0, t, t, r.height() - 2 * t), kant_);
    p.fillRect(QRectF(r.width() - t, t, t, r.height() - 2 * t), kant_);
}

Linjeflate::Linjeflate(QWidget* forelder, QColor farge, QPoint fra, QPoint til)
    : QWidget(forelder), farge_(farge), fra_(fra), til_(til) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Linjeflate::paintEvent(QPaintEvent* /*hendelse*/) {
    QPainter p(this);
    if (fra_.x() == til_.x() || fra_.y() == til_.y()) {
        p.fillRect(rect(), farge_); // the widget just covers the line
    } else {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(farge_, Strek(*this)));
        p.drawLine(QPointF(fra_) + QPointF(0.5, 0.5), QPointF(til_) + QPointF(0.5, 0.5));
    }
}

Visningsboks::Visningsboks(QWidget* forelder) : QLineEdit(forelder) {
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!egen_ && text() != vist_) {
            Vis(vist_);
        }
    });
}

void Visningsboks::Vis(const QString& tekst) {
    vist_ = tekst;
    egen_ = true;
    setText(tekst);
    egen_ = false;
}

} // namespace kroppstall::qt
