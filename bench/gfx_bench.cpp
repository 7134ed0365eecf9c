// Drawing costs: converting the reel sheet into an X image, pasting one
// reel frame (plain and with black as transparent) and laying out a wrapped
// paragraph. Needs an X server named by DISPLAY. Each iteration waits for
// the server (XSync), so the figures include its share of the work.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/Form.h"
#include "app/Screen.h"
#include "gfx/Graphics.h"
#include "gfx/Picture.h"

namespace {

constexpr int kSheetWidth = 1152, kSheetHeight = 96, kFrame = 96;

Form* window = nullptr;
std::vector<unsigned char> sheetRgb;

// The reel sheet from Data/, or a generated one of the same size.
std::vector<unsigned char> LoadSheet() {
    const std::string path = std::string(RULLOMAT_SOURCE_DIR) + "/Data/frutta96x96.bin";
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t size = static_cast<size_t>(kSheetWidth) * kSheetHeight * 3;
    if (bytes.size() == size) return bytes;
    std::fprintf(stderr, "gfx_bench: %s missing or of another size; using a generated sheet\n", path.c_str());
    bytes.resize(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(i * 31 + i / 3456);
    return bytes;
}

void CreateReelSheet(benchmark::State& state) {
    for (auto _ : state) {
        XImage* image = CreateXImage(window, sheetRgb.data(), kSheetWidth, kSheetHeight);
        benchmark::DoNotOptimize(image);
        DestroyXImage(image);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(sheetRgb.size()));
}
BENCHMARK(CreateReelSheet)->Unit(benchmark::kMicrosecond);

void PasteReelFrame(benchmark::State& state) {
    XImage* sheet = CreateXImage(window, sheetRgb.data(), kSheetWidth, kSheetHeight);
    Graphics g(window);
    int symbol = 0;
    for (auto _ : state) {
        g.PutImagePart(10, 10, kFrame, kFrame, sheet, symbol * kFrame, 0);
        XSync(window->GetDisplay(), False);
        symbol = (symbol + 1) % 12;
    }
    DestroyXImage(sheet);
}
BENCHMARK(PasteReelFrame)->Unit(benchmark::kMicrosecond);

void PasteReelFrameTransparent(benchmark::State& state) {
    XImage* sheet = CreateXImage(window, sheetRgb.data(), kSheetWidth, kSheetHeight);
    Graphics g(window);
    int symbol = 0;
    for (auto _ : state) {
        g.PutPictureTransparent(120, 10, kFrame, kFrame, sheet, symbol * kFrame, 0);
        XSync(window->GetDisplay(), False);
        symbol = (symbol + 1) % 12;
    }
    DestroyXImage(sheet);
}
BENCHMARK(PasteReelFrameTransparent)->Unit(benchmark::kMicrosecond);

void DrawWrappedParagraph(benchmark::State& state) {
    const std::string paragraph = "Tre ciliegie sulla linea pagano il doppio della puntata, tre campane il quintuplo; "
                                  "il sette rosso su tutti e cinque i rulli paga cento volte la puntata. Dopo il primo "
                                  "giro i rulli con un simbolo pagante restano fermi: si possono liberare o bloccare "
                                  "prima del rilancio, e il risultato viene pagato alla fine del secondo giro.";
    Graphics g(window);
    for (auto _ : state) {
        g.DrawText(230, 10, 300, 200, paragraph, 0x000000, 0xFFFFFF, 2);
        XSync(window->GetDisplay(), False);
    }
    state.SetLabel(std::to_string(paragraph.size()) + " bytes");
}
BENCHMARK(DrawWrappedParagraph)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Screen screen;
    if (screen.GetDisplay() == nullptr) {
        std::fprintf(stderr, "gfx_bench: no X display; set DISPLAY to a running server (an Xvfb will do)\n");
        return 1;
    }
    Form form(0);
    form.SetScreen(&screen);
    form.SetPosition(0, 0);
    form.SetSize(560, 240);
    form.Create();
    XSync(screen.GetDisplay(), False);
    window = &form;
    sheetRgb = LoadSheet();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    form.DestroyWindow();
    return 0;
}
