#include "kroppstall/form/frmBmi.h"
#include "skjemavindu.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using kroppstall::form::Id;
using kroppstall::form::Navn;
using kroppstall::qt::Skjemavindu;

const kroppstall::form::Kontakt Tindrel{"tindrel@example.org", "https://tindrel.example.org/"};

// The window as the program opens it: built, loaded, centred, shown and exposed.
struct Vindu {
    Skjemavindu hoved{kroppstall::qt::Ressurser{}};
    kroppstall::form::frmBmi form{hoved, kroppstall::NumberFormat::Norsk(), Tindrel};

    Vindu() {
        hoved.Start(form);
        hoved.VisMidtstilt();
        static_cast<void>(QTest::qWaitForWindowExposed(&hoved));
    }
    template <class W>
    W* K(Id id) {
        return qobject_cast<W*>(hoved.Kontroll(id));
    }
};

void StartTilVistVindu(benchmark::State& state) {
    for (auto _ : state) {
        Vindu v;
        benchmark::DoNotOptimize(&v);
    }
}
BENCHMARK(StartTilVistVindu)->Unit(benchmark::kMicrosecond);

// One typed digit and its deletion in the weight box: two Change events, each re-checking both boxes
// and setting Calculate and both options.
void TastetrykkIVinduet(benchmark::State& state) {
    Vindu v;
    auto* hoyde = v.K<QLineEdit>({Navn::txtHoyde});
    auto* vekt = v.K<QLineEdit>({Navn::txtVekt});
    QTest::keyClicks(hoyde, QStringLiteral("180"));
    QTest::keyClicks(vekt, QStringLiteral("8"));
    for (auto _ : state) {
        QTest::keyClick(vekt, Qt::Key_0);
        QTest::keyClick(vekt, Qt::Key_Backspace);
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(TastetrykkIVinduet)->Unit(benchmark::kMicrosecond);

// Calculate with the kilogram table for the tallest valid height: the heaviest search, then eight writes.
void RegnUtIVinduet(benchmark::State& state) {
    Vindu v;
    QTest::keyClicks(v.K<QLineEdit>({Navn::txtHoyde}), QStringLiteral("299"));
    QTest::keyClicks(v.K<QLineEdit>({Navn::txtVekt}), QStringLiteral("80"));
    v.K<QRadioButton>({Navn::Option1, 1})->setChecked(true);
    auto* regn = v.K<QPushButton>({Navn::cmdRegn});
    for (auto _ : state) {
        regn->click();
    }
}
BENCHMARK(RegnUtIVinduet)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // A benchmark needs no real display; the offscreen platform draws the same widgets.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
