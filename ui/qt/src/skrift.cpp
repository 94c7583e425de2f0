#include "skrift.h"

#include "kroppstall/form/erstatninger.h"
#include "skjemavindu.h"
#include "tekst.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLabel>
#include <algorithm>
#include <cmath>
#include <map>

namespace kroppstall::qt {

namespace {

// The named faces where installed; otherwise a face of close metrics. Debian's fonts-wine keeps
// Wine's Tahoma outside fontconfig's search path, so it is registered from its file.
QString FinnFamilie(const QString& onsket) {
    if (QFontDatabase::hasFamily(onsket)) {
        return onsket;
    }
    static const std::map<QString, QStringList> filer{
        {QStringLiteral("Tahoma"), {QStringLiteral(KROPPSTALL_TAHOMA_FIL)}},
    };
    if (const auto f = filer.find(onsket); f != filer.end()) {
        for (const QString& fil : f->second) {
            const int id = QFontDatabase::addApplicationFont(fil);
            if (id >= 0 && QFontDatabase::applicationFontFamilies(id).contains(onsket)) {
                return onsket;
            }
        }
    }
    for (const form::Erstatning& e : form::Erstatninger(Utf8(onsket))) {
        const QString familie = Tekst(e.Familie);
        if (QFontDatabase::hasFamily(familie)) {
            return familie;
        }
    }
    return onsket;
}

} // namespace

// Every hasFamily asks fontconfig to match aliases, and the form names the same two faces for each
// control; the installed fonts do not change while the program runs, so each is looked up once.
QString Familie(std::string_view navn) {
    static std::map<QString, QString> funnet;
    const QString onsket = Tekst(navn);
    auto f = funnet.find(onsket);
    if (f == funnet.end()) {
        f = funnet.emplace(onsket, FinnFamilie(onsket)).first;
    }
    return f->second;
}

void TilpassBredde(const std::vector<std::pair<QLabel*, QStringList>>& etiketter) {
    const auto skrift = [](const QLabel* etikett, int strekk) {
        QFont f = etikett->font();
        f.setStretch(strekk < 100 ? strekk : QFont::AnyStretch);
        return f;
    };
    // The most any text needs of its label's width, as a share of it.
    const auto forhold = [&](int strekk) {
        double storst = 0.0;
        for (const auto& [etikett, tekster] : etiketter) {
            const QFontMetricsF fm(skrift(etikett, strekk));
            for (const QString& tekst : tekster) {
                storst = std::max(storst, fm.horizontalAdvance(tekst) / etikett->width());
            }
        }
        return storst;
    };
    int strekk = 100;
    for (double r = forhold(strekk); r > 1.0 && strekk > 75; r = forhold(strekk)) {
        strekk = std::min(strekk - 1, static_cast<int>(std::floor(strekk / r)));
    }
    for (const auto& [etikett, tekster] : etiketter) {
        etikett->setFont(skrift(etikett, strekk));
    }
}

QString VidesteTall(const QFont& skrift) {
    const QFontMetricsF fm(skrift);
    QChar siffer = u'0';
    for (char16_t c = u'1'; c <= u'9'; ++c) {
        if (fm.horizontalAdvance(QChar(c)) > fm.horizontalAdvance(siffer)) {
            siffer = QChar(c);
        }
    }
    const QChar skille = fm.horizontalAdvance(u',') >= fm.horizontalAdvance(u'.') ? QChar(u',') : QChar(u'.');
    return QString(3, siffer) + skille + siffer;
}

QFont Skjemavindu::Skrift(const form::Skrift& skrift) const {
    QFont f(Familie(skrift.Familie));
    f.setPointSizeF(skrift.Storrelse);
    f.setWeight(static_cast<QFont::Weight>(skrift.Vekt));
    f.setItalic(false);
    return f;
}

} // namespace kroppstall::qt
