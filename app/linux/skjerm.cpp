#include "skjerm.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibrary>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <QSettings>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace kroppstall::app {

namespace {

std::string Miljo(const char* navn) {
    const char* verdi = std::getenv(navn);
    return verdi != nullptr ? verdi : "";
}

struct Kandidat {
    std::string tekst; // as Qt is given it, with any ':' options
    std::string navn;  // the plugin's key
};

// The platform plugins that Qt 6.4 will try, in order: QT_QPA_PLATFORM (a ';' list, each name
// perhaps with ':' options), else Wayland where the session names one (WAYLAND_DISPLAY set, even
// empty, or XDG_SESSION_TYPE=wayland), then X11.
std::vector<Kandidat> Plattformer() {
    std::vector<Kandidat> ut;
    const std::string valgt = Miljo("QT_QPA_PLATFORM");
    std::string_view rest = valgt;
    while (!rest.empty()) {
        const auto slutt = rest.find(';');
        const std::string_view tekst = rest.substr(0, slutt);
        const std::string_view navn = tekst.substr(0, tekst.find(':'));
        if (!navn.empty()) {
            ut.push_back({std::string(tekst), std::string(navn)});
        }
        rest = slutt == std::string_view::npos ? std::string_view{} : rest.substr(slutt + 1);
    }
    if (ut.empty()) {
        if (std::getenv("WAYLAND_DISPLAY") != nullptr || Miljo("XDG_SESSION_TYPE") == "wayland") {
            ut.push_back({"wayland", "wayland"});
        }
        ut.push_back({"xcb", "xcb"});
    }
    return ut;
}

// Whether Qt will find a plugin for the platform. Qt goes by the key in a plugin's metadata, not by
// its file name ("wayland" is libqwayland-generic.so), so the same directories are read the same
// way; the metadata is read from the file, nothing is loaded.
bool HarTillegg(const std::string& navn) {
    QStringList mapper;
    if (const QString egen = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH"); !egen.isEmpty()) {
        mapper << egen;
    }
    QStringList baser = qEnvironmentVariable("QT_PLUGIN_PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    std::error_code feil;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", feil);
    const QDir programmappe(QString::fromStdString(program.parent_path().string()));
    // A qt6.conf or qt.conf beside the program moves Qt's own plugins; Qt reads it only once
    // QApplication exists, and then adds the program's directory as well.
    QString egne = QLibraryInfo::path(QLibraryInfo::PluginsPath);
    for (const char* oppsett : {"qt6.conf", "qt.conf"}) {
        const QString fil = programmappe.filePath(QLatin1String(oppsett));
        if (!feil && QFile::exists(fil)) {
            QSettings innhold(fil, QSettings::IniFormat);
            innhold.beginGroup(QStringLiteral("Paths"));
            const QDir prefiks(programmappe.absoluteFilePath(
                innhold.value(QStringLiteral("Prefix"), QStringLiteral(".")).toString()));
            egne = prefiks.absoluteFilePath(
                innhold.value(QStringLiteral("Plugins"), QStringLiteral("plugins")).toString());
            break;
        }
    }
    baser << egne;
    if (!feil) {
        baser << programmappe.path();
    }
    for (const QString& base : baser) {
        mapper << base + QStringLiteral("/platforms");
    }
    const QString nokkel = QString::fromStdString(navn);
    for (const QString& mappe : mapper) {
        const QDir dir(mappe);
        for (const QString& fil : dir.entryList(QDir::Files)) {
            const QString sti = dir.filePath(fil);
            if (!QLibrary::isLibrary(sti)) {
                continue;
            }
            const QJsonObject data = QPluginLoader(sti).metaData();
            // QPlatformIntegrationFactoryInterface_iid, from Qt's private platform headers.
            if (data.value(QStringLiteral("IID")).toString() !=
                QStringLiteral("org.qt-project.Qt.QPA.QPlatformIntegrationFactoryInterface.5.3")) {
                continue;
            }
            const QJsonArray nokler =
                data.value(QStringLiteral("MetaData")).toObject().value(QStringLiteral("Keys")).toArray();
            for (const QJsonValue& k : nokler) {
                if (k.toString().compare(nokkel, Qt::CaseInsensitive) == 0) {
                    return true;
                }
            }
        }
    }
    return false;
}

xcb_connection_t* X11(std::string& provd) {
    const std::string skjerm = Miljo("DISPLAY");
    if (skjerm.empty()) {
        provd = "X11 (DISPLAY er ikke satt)";
        return nullptr;
    }
    provd = "X11-skjermen \"" + skjerm + "\"";
    xcb_connection_t* forbindelse = xcb_connect(skjerm.c_str(), nullptr);
    if (xcb_connection_has_error(forbindelse) != 0) {
        xcb_disconnect(forbindelse);
        return nullptr;
    }
    return forbindelse;
}

bool Wayland(std::string& provd) {
    // As libwayland-client: "wayland-0" only when the variable is not set at all.
    const char* satt = std::getenv("WAYLAND_DISPLAY");
    const std::string navn = satt != nullptr ? satt : "wayland-0";
    provd = "Wayland-skjermen \"" + navn + "\"";
    if (navn.empty()) {
        return false;
    }
    std::string sti = navn;
    if (navn.front() != '/') {
        const std::string mappe = Miljo("XDG_RUNTIME_DIR");
        if (mappe.empty()) {
            provd += " (XDG_RUNTIME_DIR er ikke satt)";
            return false;
        }
        sti = mappe + "/" + navn;
    }
    sockaddr_un adresse{};
    if (sti.size() >= sizeof(adresse.sun_path)) {
        return false;
    }
    adresse.sun_family = AF_UNIX;
    std::memcpy(adresse.sun_path, sti.c_str(), sti.size() + 1);
    const int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) {
        return false;
    }
    const bool apen = connect(s, reinterpret_cast<const sockaddr*>(&adresse), sizeof(adresse)) == 0;
    close(s);
    return apen;
}

} // namespace

Skjermsjekk::Skjermsjekk() {
    const std::vector<Kandidat> plattformer = Plattformer();
    std::string provd;
    for (auto p = plattformer.begin(); p != plattformer.end(); ++p) {
        std::string denne;
        bool svarer = true; // offscreen, vnc, eglfs and the like need no display of ours to check
        if (p->navn == "xcb") {
            x11_ = X11(denne);
            svarer = x11_ != nullptr;
        } else if (p->navn.rfind("wayland", 0) == 0) {
            svarer = Wayland(denne);
        }
        if (svarer && HarTillegg(p->navn)) {
            // Qt is given this one and those after it: of each one before it would print a warning.
            for (auto neste = p; p != plattformer.begin() && neste != plattformer.end(); ++neste) {
                plattform_ += (neste == p ? "" : ";") + neste->tekst;
            }
            return;
        }
        if (svarer && denne.empty()) {
            denne = "Qt-tillegget \"" + p->navn + "\" (ikke installert)";
        } else if (svarer) {
            denne += " (svarer, men Qt-tillegget \"" + p->navn + "\" er ikke installert" +
                     (p->navn.rfind("wayland", 0) == 0 ? "; det ligger i pakken qt6-wayland)" : ")");
        }
        if (x11_ != nullptr) {
            xcb_disconnect(x11_);
            x11_ = nullptr;
        }
        provd += (provd.empty() ? "" : ", ") + denne;
    }
    feil_ = "kroppstall: fant ingen skjerm å åpne vinduet på; prøvde " + provd;
}

Skjermsjekk::~Skjermsjekk() {
    if (x11_ != nullptr) {
        xcb_disconnect(x11_);
    }
}

} // namespace kroppstall::app
