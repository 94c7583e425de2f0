#pragma once

#include <QColor>
#include <QIcon>
#include <QLineEdit>
#include <QPainter>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

namespace kroppstall::qt {

// An outline of about one pixel at 96 dpi, a whole number of device pixels thick, just inside `rute`.
void Ramme(QPainter& p, const QRectF& rute, const QColor& farge);

// An unfilled or solid rectangle with an outline of about one pixel at 96 dpi inside its bounds.
class Figurflate final : public QWidget {
public:
    Figurflate(QWidget* forelder, QColor kant, std::optional<QColor> fyll);

protected:
    void paintEvent(QPaintEvent* hendelse) override;

private:
    QColor kant_;
    std::optional<QColor> fyll_;
};

// A picture drawn from the largest of its sizes that fits the device pixels it covers, so that it
// stays sharp at every scale; stretched over the control, or at its smallest size's logical size.
class Bildeflate final : public QWidget {
public:
    Bildeflate(QWidget* forelder, QIcon bilde, bool strekk);

protected:
    void paintEvent(QPaintEvent* hendelse) override;

private:
    QIcon bilde_;
    bool strekk_;
};

// A line of about one pixel at 96 dpi between two points, given relative to the widget that just
// covers it.
class Linjeflate final : public QWidget {
public:
    Linjeflate(QWidget* forelder, QColor farge, QPoint fra, QPoint til);

protected:
    void paintEvent(QPaintEvent* hendelse) override;

private:
    QColor farge_;
    QPoint fra_, til_;
};

// The form's client area. Screen readers get its controls in `lesefolge`, not in the stacking order
// that Qt keeps its children in.
class Skjemaflate final : public QWidget {
public:
    using QWidget::QWidget;
    std::vector<QPointer<QWidget>> lesefolge;
};

// A box that only shows what the program writes: no typing, and a write by anyone else (a screen
// reader's "set text", say) is undone at once.
class Visningsboks final : public QLineEdit {
public:
    explicit Visningsboks(QWidget* forelder);
    void Vis(const QString& tekst);

private:
    QString vist_;
    bool egen_ = false;
};

} // namespace kroppstall::qt
