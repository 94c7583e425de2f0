#include "apne.h"

#include "skjemavindu.h"
#include "tekst.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <memory>

namespace kroppstall::qt {

namespace {

// Both items launch through xdg-open; empty where it is not installed, so that nothing is run then.
QString Apner() {
    return QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
}

} // namespace

void Slipp(QProcess* prosess) {
    prosess->disconnect();
    prosess->setParent(nullptr);
    QObject::connect(prosess, &QProcess::finished, prosess, &QObject::deleteLater);
}

// xdg-open reports through its exit status whether a program took the URL; waiting for it in the
// event loop keeps the window responsive meanwhile.
void Skjemavindu::ApneEpost(form::Vindushandtak /*eier*/, std::string_view url,
                            std::function<void(bool)> ferdig) {
    if (epostIGang_) {
        return; // the launch under way answers for this click too: one launch, at most one box
    }
    const QString apner = Apner();
    if (apner.isEmpty()) {
        epostIGang_ = true;
        Trygt([&] { ferdig(false); });
        epostIGang_ = false;
        return;
    }
    auto* prosess = new QProcess(this);
    prosess->setProgram(apner);
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
        // Until the report is done (a failure box closed), the launch is still under way.
        Trygt([&] { f(lyktes); });
        epostIGang_ = false;
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
    epostIGang_ = true;
    prosess->start();
}

void Skjemavindu::ApneNettside(std::string_view url) {
    if (const QString apner = Apner(); !apner.isEmpty()) {
        static_cast<void>(QProcess::startDetached(apner, {Tekst(url)}));
    }
}

} // namespace kroppstall::qt
