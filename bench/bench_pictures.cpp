// Decoding the picture catalogue, as start-up does and whole, and encoding a snapshot-sized picture
// (1014 x 518, the grid page as drawn) at quality 100. Run:
// build/bench/bench_pictures --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include "assets/PictureCatalogue.h"
#include "assets/PictureTable.h"
#include "platform/codec/JpegCodec.h"
#include "shell/GridPage.h"
#include "widgets/TitleFont.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace corvane;

namespace {

// What start-up pays: every icon, and the one JPEG picture on the first screen.
void LoadCatalogueAtStartUp(benchmark::State& state) {
    for (auto _ : state) {
        const PictureCatalogue pictures = PictureCatalogue::Load();
        benchmark::DoNotOptimize(pictures.Picture(kExplanationPictures[0]));
    }
}
BENCHMARK(LoadCatalogueAtStartUp)->Unit(benchmark::kMillisecond);

// Every picture decoded, as after the user has seen them all.
void DecodeEveryPicture() {
    const PictureCatalogue pictures = PictureCatalogue::Load();
    for (const PictureEntry& entry : kPictureTable) {
        benchmark::DoNotOptimize(pictures.Has(entry.number));
    }
}

void DecodeWholeCatalogue(benchmark::State& state) {
    for (auto _ : state) {
        DecodeEveryPicture();
    }
}
BENCHMARK(DecodeWholeCatalogue)->Unit(benchmark::kMillisecond);

// The upper part of the window as a snapshot holds it: the grid page with a banner.
QImage SnapshotLikePicture() {
    const PictureCatalogue pictures = PictureCatalogue::Load();
    GridPage page(pictures, MakeTitleFont());
    page.resize(1010, 673);
    QImage image(1014, 518, QImage::Format_RGB888);
    image.fill(QColor(240, 240, 240));
    QPainter painter(&image);
    painter.drawPixmap(2, 2, page.grab());
    painter.drawPixmap(10, 400, pictures.Picture(kDpsMeBanner));
    return image;
}

void EncodeSnapshot(benchmark::State& state) {
    const QImage image = SnapshotLikePicture();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::optional<QByteArray> jpeg = EncodeJpeg(image, 100);
        bytes = jpeg ? static_cast<std::size_t>(jpeg->size()) : 0;
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(EncodeSnapshot)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QApplication::setFont(MakeControlFont());
    // The first large pictures of a process land on freshly mapped memory, whose page faults
    // cost more than the decoding on some machines; the repeated runs below reuse the heap.
    QElapsedTimer cold;
    cold.start();
    DecodeEveryPicture();
    std::printf("DecodeWholeCatalogue, first time in this process: %.1f ms\n",
                static_cast<double>(cold.nsecsElapsed()) / 1e6);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
