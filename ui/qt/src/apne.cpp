#include "apne.h"

#include "kroppstall/qt/hovedvindu.h"
#include "tekst.h"

#include <QProcess>
#include <QTimer>
#include <memory>

namespace kroppstall::qt {

void Slipp(QProcess* prosess) {
    prosess->disconnect();
    prosess->setParent(nullptr);
    QObject::connect(prosess, &QProcess::finished, prosess, &QObject::deleteLater);
}

// xdg-open reports through its exit status whether a program took the URL; waiting for it in the
// event loop keeps the window responsive meanwhile.
void Hovedvindu::ApneEpost(form::Vindushandtak /*eier*/, std::string_view url,
                           std::function<void(bool)> ferdig) {
    auto* prosess = new QProcess(this);
    prosess->setProgram(QStringLiteral("xdg-open"));
    prosess->setArguments({Tekst(url)});
    prosess->setProcessChannelMode(QProcess::ForwardedChannels);
    prosess->setStandardInputFile(QProcess::nullDevice());

    auto svar = std::make_shared<std::function<void(bool)>>(std::move(ferdig));
    auto melde = [this, svar](bool lyktes) {
        if (!*svar) {
            return; // a failed start can be followed by more signals; report once
        }
        const std::function<void(bool)> f = std::move(*svar);
        *svar = nullptr;
        Kjor([&] { f(lyktes); });
    };
    connect(prosess, &QProcess::errorOccurred, this, [melde, prosess](QProcess::ProcessError feil) {
        if (feil == QProcess::FailedToStart) {
            melde(false);
            prosess->deleteLater();
        }
    });
    connect(prosess, &QProcess::finished, this, [melde, prosess](int kode, QProcess::ExitStatus status) {
        melde(status == QProcess::NormalExit && kode == 0);
        prosess->deleteLater();
    });
    // Where xdg-open runs the mail program in the foreground, it is still running once the program
    // is up; from then on the launch counts as done, and the mail program's own exit is not ours.
    QTimer::singleShot(Oppstartsfrist, prosess, [melde, prosess] {
        melde(true);
        Slipp(prosess);
    });
    prosess->start();
}

void Hovedvindu::ApneNettside(std::string_view url) {
    static_cast<void>(QProcess::startDetached(QStringLiteral("xdg-open"), {Tekst(url)}));
}

} // namespace kroppstall::qt
