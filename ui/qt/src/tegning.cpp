#include "tegning.h"

#include <QPainter>

namespace kroppstall::qt {

Formflate::Formflate(QWidget* forelder, QColor kant, std::optional<QColor> fyll)
    : QWidget(forelder), kant_(kant), fyll_(fyll) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Formflate::paintEvent(QPaintEvent* /*hendelse*/) {
    QPainter p(this);
    if (fyll_) {
        p.fillRect(rect(), *fyll_);
    }
    p.setPen(QPen(kant_, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

Linjeflate::Linjeflate(QWidget* forelder, QColor farge, QPoint fra, QPoint til)
    : QWidget(forelder), farge_(farge), fra_(fra), til_(til) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Linjeflate::paintEvent(QPaintEvent* /*hendelse*/) {
    QPainter p(this);
    p.setPen(QPen(farge_, 0));
    p.drawLine(fra_, til_);
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
