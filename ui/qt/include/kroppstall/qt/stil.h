#pragma once

#include <QProxyStyle>

namespace kroppstall::qt {

// The style the application would have anyway (the desktop's, or the one QT_STYLE_OVERRIDE names),
// except that:
// - the menu bar's overflow icon is read only when it is first drawn. The menu bar asks for that icon
//   as soon as it is made, and reading it makes Qt load every image-format plugin it has; the button
//   shows only when the menus do not fit, which in this window they do;
// - the control with the keyboard focus shows it by a ring that stands out from what lies around it
//   in every colour scheme: around a box, inside a button, around an option's caption;
// - the edge of Fusion's option circle stands out from the window, where Fusion's own grey does not.
class Stil final : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap hva, const QStyleOption* valg, const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement hva, const QStyleOption* valg, QPainter* p,
                       const QWidget* widget) const override;
    void drawControl(ControlElement hva, const QStyleOption* valg, QPainter* p,
                     const QWidget* widget) const override;
};

} // namespace kroppstall::qt
