#pragma once

#include <QColor>
#include <QLineEdit>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

namespace kroppstall::qt {

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
