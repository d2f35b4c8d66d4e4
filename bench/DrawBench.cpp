// What drawing through TDrawSpec costs over plain SDL copies: 2,000 textured
// quads a frame on the headless software renderer, against SDL_RenderCopy of
// the same quads (the floor). Prints the ratio at the end.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "sdk/TRenderer.h"
#include "sdk/TTexture.h"

namespace {

const int kQuads = 2000;
const int kSize = 32;

TTextureRef Picture() {
  static TTextureRef t;
  if (!t) {
    std::vector<uint32_t> px(kSize * kSize);
    for (int i = 0; i < kSize * kSize; ++i) px[i] = 0xC0000000u | uint32_t(i * 2654435761u >> 8);
    t = TTexture::FromPixels(kSize, kSize, px.data());
  }
  return t;
}

SDL_Renderer* Sdl() {
  return static_cast<SDL_Renderer*>(TRenderer::GetInstance()->GetSdlRenderer());
}

float QuadX(int i) {
  return float((i * 37) % 800);
}
float QuadY(int i) {
  return float((i * 53) % 600);
}

void BM_DrawSpecQuads(benchmark::State& state) {
  TTextureRef t = Picture();
  for (auto _ : state) {
    for (int i = 0; i < kQuads; ++i) {
      TDrawSpec spec;
      spec.matrix.Translate(QuadX(i), QuadY(i));
      spec.alpha = 0.75f;
      t->Draw(spec);
    }
    SDL_RenderFlush(Sdl());
  }
  state.SetItemsProcessed(state.iterations() * kQuads);
}
BENCHMARK(BM_DrawSpecQuads)->Unit(benchmark::kMillisecond);

// Rotated quads leave the copy path for triangles.
void BM_DrawSpecRotatedQuads(benchmark::State& state) {
  TTextureRef t = Picture();
  for (auto _ : state) {
    for (int i = 0; i < kQuads; ++i) {
      TDrawSpec spec;
      spec.matrix.Rotate(0.01f * i);
      spec.matrix.Translate(QuadX(i), QuadY(i));
      spec.alpha = 0.75f;
      t->Draw(spec);
    }
    SDL_RenderFlush(Sdl());
  }
  state.SetItemsProcessed(state.iterations() * kQuads);
}
BENCHMARK(BM_DrawSpecRotatedQuads)->Unit(benchmark::kMillisecond);

void BM_SdlRenderCopyFloor(benchmark::State& state) {
  SDL_Texture* tex = static_cast<SDL_Texture*>(Picture()->GetSdlTexture());
  SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
  SDL_SetTextureColorMod(tex, 255, 255, 255);
  SDL_SetTextureAlphaMod(tex, 191);
  for (auto _ : state) {
    for (int i = 0; i < kQuads; ++i) {
      const SDL_Rect d{int(QuadX(i)) - kSize / 2, int(QuadY(i)) - kSize / 2, kSize, kSize};
      SDL_RenderCopy(Sdl(), tex, nullptr, &d);
    }
    SDL_RenderFlush(Sdl());
  }
  state.SetItemsProcessed(state.iterations() * kQuads);
}
BENCHMARK(BM_SdlRenderCopyFloor)->Unit(benchmark::kMillisecond);

// The console output, plus the time of each benchmark kept for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (!run.error_occurred && run.aggregate_name.empty())
        times[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  benchmark::Initialize(&argc, argv);
  if (!TRenderer::GetInstance()->Open(true, false)) return 1;
  TRenderer::GetInstance()->BeginFrame();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double floor = reporter.times["BM_SdlRenderCopyFloor"];
  if (floor > 0) {
    for (const char* name : {"BM_DrawSpecQuads", "BM_DrawSpecRotatedQuads"})
      if (reporter.times.count(name))
        std::printf("%s / SDL_RenderCopy floor: %.2f\n", name, reporter.times[name] / floor);
  }
  TRenderer::Shutdown();
  benchmark::Shutdown();
  return 0;
}
