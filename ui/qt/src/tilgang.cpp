#include "tilgang.h"

#include "tegning.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <algorithm>
#include <cstddef>

namespace kroppstall::qt {

namespace {

class KlientTilgang final : public QAccessibleWidget {
public:
    explicit KlientTilgang(Skjemaflate* flate) : QAccessibleWidget(flate, QAccessible::Client) {}

    int childCount() const override { return static_cast<int>(Flate()->lesefolge.size()); }
    QAccessibleInterface* child(int indeks) const override {
        const auto& rekke = Flate()->lesefolge;
        if (indeks < 0 || indeks >= static_cast<int>(rekke.size()) ||
            rekke[static_cast<std::size_t>(indeks)].isNull()) {
            return nullptr;
        }
        return QAccessible::queryAccessibleInterface(rekke[static_cast<std::size_t>(indeks)].data());
    }
    int indexOfChild(const QAccessibleInterface* barn) const override {
        if (barn == nullptr) {
            return -1;
        }
        const auto& rekke = Flate()->lesefolge;
        const auto funnet = std::find(rekke.begin(), rekke.end(), barn->object());
        return funnet != rekke.end() ? static_cast<int>(funnet - rekke.begin()) : -1;
    }

private:
    Skjemaflate* Flate() const { return static_cast<Skjemaflate*>(widget()); }
};

// What a screen reader sees of a Visningsboks: a text to read, with no way to change it and no focus,
// unlike Qt's own line-edit interface, which reports every line edit as editable.
class VisningTilgang final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit VisningTilgang(QLineEdit* boks) : QAccessibleWidget(boks, QAccessible::EditableText) {}

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = false;
        s.readOnly = true;
        s.focusable = false;
        s.focused = false;
        return s;
    }
    QString text(QAccessible::Text hva) const override {
        return hva == QAccessible::Value ? Boks()->text() : QAccessibleWidget::text(hva);
    }
    void setText(QAccessible::Text /*hva*/, const QString& /*tekst*/) override {}
    QStringList actionNames() const override { return {}; }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    void selection(int /*indeks*/, int* start, int* slutt) const override { *start = *slutt = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int /*start*/, int /*slutt*/) override {}
    void removeSelection(int /*indeks*/) override {}
    void setSelection(int /*indeks*/, int /*start*/, int /*slutt*/) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int /*posisjon*/) override {}
    QString text(int start, int slutt) const override { return Boks()->text().mid(start, slutt - start); }
    int characterCount() const override { return static_cast<int>(Boks()->text().size()); }
    QRect characterRect(int /*posisjon*/) const override { return {}; }
    int offsetAtPoint(const QPoint& /*punkt*/) const override { return -1; }
    void scrollToSubstring(int /*start*/, int /*slutt*/) override {}
    QString attributes(int posisjon, int* start, int* slutt) const override {
        *start = *slutt = posisjon;
        return {};
    }

private:
    QLineEdit* Boks() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* Tilgangsfabrikk(const QString& /*klasse*/, QObject* objekt) {
    if (auto* flate = dynamic_cast<Skjemaflate*>(objekt)) {
        return new KlientTilgang(flate);
    }
    if (auto* boks = dynamic_cast<Visningsboks*>(objekt)) {
        return new VisningTilgang(boks);
    }
    return nullptr;
}

} // namespace

void InstallerTilgang() {
    static const bool installert = [] {
        QAccessible::installFactory(Tilgangsfabrikk);
        return true;
    }();
    static_cast<void>(installert);
}

bool Pilfilter::eventFilter(QObject* mal, QEvent* hendelse) {
    if (hendelse->type() == QEvent::KeyPress || hendelse->type() == QEvent::KeyRelease) {
        auto* tast = static_cast<QKeyEvent*>(hendelse);
        if (tast->key() == Qt::Key_Up || tast->key() == Qt::Key_Down) {
            QKeyEvent vannrett(tast->type(), tast->key() == Qt::Key_Up ? Qt::Key_Left : Qt::Key_Right,
                               tast->modifiers(), tast->text(), tast->isAutoRepeat());
            QCoreApplication::sendEvent(mal, &vannrett);
            return true;
        }
    }
    return QObject::eventFilter(mal, hendelse);
}

} // namespace kroppstall::qt
