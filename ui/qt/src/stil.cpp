#include "kroppstall/qt/stil.h"

#include <QIconEngine>
#include <QPointer>

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

} // namespace

QIcon Stil::standardIcon(StandardPixmap hva, const QStyleOption* valg, const QWidget* widget) const {
    if (hva == SP_ToolBarHorizontalExtensionButton) {
        return QIcon(new UtsattIkon(this, hva));
    }
    return QProxyStyle::standardIcon(hva, valg, widget);
}

} // namespace kroppstall::qt
