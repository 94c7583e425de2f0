#include "tegning.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

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

qreal Strek(qreal skala) {
    return std::max<qreal>(1.0, std::round(skala)) / skala;
}

} // namespace

void Ramme(QPainter& p, const QRectF& r, const QColor& farge) {
    const qreal t = std::min({Strek(p.device()->devicePixelRatioF()), r.width() / 2, r.height() / 2});
    p.fillRect(QRectF(r.left(), r.top(), r.width(), t), farge);
    p.fillRect(QRectF(r.left(), r.bottom() - t, r.width(), t), farge);
    p.fillRect(QRectF(r.left(), r.top() + t, t, r.height() - 2 * t), farge);
    p.fillRect(QRectF(r.right() - t, r.top() + t, t, r.height() - 2 * t), farge);
}

void Figurflate::paintEvent(QPaintEvent* /*hendelse*/) {
    QPainter p(this);
    if (fyll_) {
        p.fillRect(rect(), *fyll_);
    }
    Ramme(p, rect(), kant_);
}

Bildeflate::Bildeflate(QWidget* forelder, QIcon bilde, bool strekk)
    : QWidget(forelder), bilde_(std::move(bilde)), strekk_(strekk) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Bildeflate::paintEvent(QPaintEvent* /*hendelse*/) {
    const QList<QSize> storrelser = bilde_.availableSizes();
    if (storrelser.isEmpty()) {
        return;
    }
    const auto bredde = [](QSize a, QSize b) { return a.width() < b.width(); };
    const QSize minst = *std::min_element(storrelser.begin(), storrelser.end(), bredde);
    const qreal skala = devicePixelRatioF();
    const QSize enheter = (QSizeF(strekk_ ? size() : minst) * skala).toSize();
    QSize valgt = minst; // where none fits
    for (const QSize& s : storrelser) {
        if (s.width() <= enheter.width() && s.height() <= enheter.height() && bredde(valgt, s)) {
            valgt = s;
        }
    }
    QPixmap bilde = bilde_.pixmap(valgt, 1.0);
    if (bilde.size() != enheter) {
        bilde = bilde.scaled(enheter, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    bilde.setDevicePixelRatio(skala);
    QPainter(this).drawPixmap(0, 0, bilde);
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
        p.setPen(QPen(farge_, Strek(devicePixelRatioF())));
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
