// 2,000 live particles, emitted from the screen's middle as the game's
// effects are, with the bundled effects' own sizes: small sparks (12 px
// shrinking to 2) and the glow's 48-64 px. The update alone; the draw of one
// frame on the headless software renderer; and the same sprites copied
// straight through SDL (the floor). Prints the draw's ratio to the floor.
// Then a script whose numbers no screen can use, against the floor of its
// area budget: 16 full-screen copies.
// Run from build/bench: the textures come from the bundled content.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "bench/GameBenchSetup.h"
#include "sdk/TLuaParticleSystem.h"
#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"
#include "sdk/TTexture.h"

namespace {

const int kParticles = 2000;

// The emitter's place: the screen's middle, where the particles land on it.
class Middle : public TParticleFunction {
 public:
  int GetFloatCount() const override { return 2; }
  bool Evaluate(TParticleArgs& args) override {
    const float v[2] = {400, 300};
    args.Append(v, 2);
    return true;
  }
};

struct Effect {
  const char* name;
  const char* emitter;  // the fields after the rate and life
};

// The bundled spark's and glow's looks, at 2,000 a second living one second
// each, so that 2,000 are alive at once. The scripts are written to /tmp and
// read by their absolute paths.
const Effect kSmall = {"small",
                       "radius = 120, speed = {20, 60}, gravity = {0, 30}, size = {12, 2},"
                       " color = {{1, 1, 0.8}, {1, 0.4, 0.1}}, alpha = {1, 0}, blend = \"add\","
                       " texture = \"particles/spark.png\""};
const Effect kGlow = {"glow",
                      "radius = 120, size = {48, 64}, color = {1, 0.85, 0.5}, alpha = {0, 0.6, 0},"
                      " blend = \"add\", texture = \"particles/glow.png\""};

std::string ScriptOf(const Effect& e) {
  const std::string path = std::string("/tmp/tolvane-particle-bench-") + e.name + ".lua";
  std::ofstream(path) << "Emitter{ rate = " << kParticles << ", life = 1, " << e.emitter << " }\n"
                      << "gActive = true\n";
  return path;
}

bool Open() {
  static bool opened = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    TPlatform::SetHeadless(true);
    TPlatform::SetContentRoot(bench::RepoRoot() + "/content");
    return TRenderer::GetInstance()->Open(true, false);
  }();
  return opened;
}

// A system of the effect with its population steady (over a second run).
struct Filled {
  Middle middle;
  TLuaParticleSystem ps;
  explicit Filled(const Effect& e) {
    ps.RegisterDataSource("dLocus", &middle);
    if (!ps.LoadScript(ScriptOf(e))) std::abort();
    for (int i = 0; i < 100; ++i) ps.Update(16);
  }
};

SDL_Renderer* Sdl() {
  return static_cast<SDL_Renderer*>(TRenderer::GetInstance()->GetSdlRenderer());
}

void BM_ParticleUpdate2000(benchmark::State& state) {
  if (!Open()) return state.SkipWithError("no headless renderer");
  Filled f(kSmall);
  for (auto _ : state) f.ps.Update(16);
  state.counters["particles"] = double(f.ps.GetParticleCount());
}
BENCHMARK(BM_ParticleUpdate2000)->Unit(benchmark::kMicrosecond);

// One frame's draw of the particles, as a layer or a sprite effect draws
// them; the flush makes the renderer do the work inside the timing.
void Draw(benchmark::State& state, const Effect& e) {
  if (!Open()) return state.SkipWithError("no headless renderer");
  Filled f(e);
  TRenderer* r = TRenderer::GetInstance();
  for (auto _ : state) {
    r->BeginFrame();
    f.ps.Draw(TVec3());
    SDL_RenderFlush(Sdl());
  }
  std::vector<TParticleQuad> quads;
  f.ps.GetQuads(TVec3(), quads);
  state.counters["particles"] = double(quads.size());
}

// The same sprites copied straight through SDL: each particle's texture,
// place, size, tint and blend, nothing else.
void Floor(benchmark::State& state, const Effect& e) {
  if (!Open()) return state.SkipWithError("no headless renderer");
  Filled f(e);
  std::vector<TParticleQuad> quads;
  f.ps.GetQuads(TVec3(), quads);
  if (quads.empty() || !quads[0].texture) return state.SkipWithError("the effect's texture is missing");
  SDL_Texture* tex = static_cast<SDL_Texture*>(quads[0].texture->GetSdlTexture());
  SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_ADD);
  const float extent = float(std::max(quads[0].texture->GetWidth(), quads[0].texture->GetHeight()));
  TRenderer* r = TRenderer::GetInstance();
  for (auto _ : state) {
    r->BeginFrame();
    for (const TParticleQuad& q : quads) {
      const float w = quads[0].texture->GetWidth() * q.size / extent;
      const float h = quads[0].texture->GetHeight() * q.size / extent;
      const SDL_FRect d{q.x - w / 2, q.y - h / 2, w, h};
      SDL_SetTextureColorMod(tex, Uint8(q.color.r * 255), Uint8(q.color.g * 255), Uint8(q.color.b * 255));
      SDL_SetTextureAlphaMod(tex, Uint8(q.alpha * 255));
      SDL_RenderCopyF(Sdl(), tex, nullptr, &d);
    }
    SDL_RenderFlush(Sdl());
  }
  state.counters["particles"] = double(quads.size());
}

void BM_ParticleDraw2000Small(benchmark::State& state) {
  Draw(state, kSmall);
}
BENCHMARK(BM_ParticleDraw2000Small)->Unit(benchmark::kMicrosecond);

void BM_SdlCopySmallFloor(benchmark::State& state) {
  Floor(state, kSmall);
}
BENCHMARK(BM_SdlCopySmallFloor)->Unit(benchmark::kMicrosecond);

void BM_ParticleDraw2000Glow(benchmark::State& state) {
  Draw(state, kGlow);
}
BENCHMARK(BM_ParticleDraw2000Glow)->Unit(benchmark::kMicrosecond);

void BM_SdlCopyGlowFloor(benchmark::State& state) {
  Floor(state, kGlow);
}
BENCHMARK(BM_SdlCopyGlowFloor)->Unit(benchmark::kMicrosecond);

// A script whose numbers no screen can use: a position that is not a
// number, sizes past any screen, speeds and spreads at the float's end. Its
// frame is bounded by the area budget; the floor is that budget's 16
// full-screen copies.
const char* const kUnbounded =
    "gActive = true\n"
    "Emitter{burst = 50, life = 10, x = 0/0, size = 1e12}\n"
    "Emitter{burst = 50, life = 10, speed = 1e38, gravity = {1e38, 1e38}, size = {1e30, 1e30},"
    " texture = \"particles/dot.png\"}\n"
    "Emitter{burst = 50, life = 10, spread = {1e38, 1e38}, size = 1/0, texture = \"particles/dot.png\"}\n";

void BM_ParticleDrawUnbounded(benchmark::State& state) {
  if (!Open()) return state.SkipWithError("no headless renderer");
  const std::string path = "/tmp/tolvane-particle-bench-unbounded.lua";
  std::ofstream(path) << kUnbounded;
  Middle middle;
  TLuaParticleSystem ps;
  ps.RegisterDataSource("dLocus", &middle);
  if (!ps.LoadScript(path)) return state.SkipWithError("the script did not load");
  ps.Update(16);
  TRenderer* r = TRenderer::GetInstance();
  for (auto _ : state) {
    r->BeginFrame();
    ps.Draw(TVec3());
    SDL_RenderFlush(Sdl());
  }
  state.counters["particles"] = double(ps.GetParticleCount());
}
BENCHMARK(BM_ParticleDrawUnbounded)->Unit(benchmark::kMicrosecond);

void BM_SdlCopy16ScreensFloor(benchmark::State& state) {
  if (!Open()) return state.SkipWithError("no headless renderer");
  TTextureRef dot = TTexture::Get("particles/dot.png");
  if (!dot || dot->IsEmpty()) return state.SkipWithError("particles/dot.png is missing");
  SDL_Texture* tex = static_cast<SDL_Texture*>(dot->GetSdlTexture());
  const SDL_FRect screen{0, 0, 800, 600};
  TRenderer* r = TRenderer::GetInstance();
  for (auto _ : state) {
    r->BeginFrame();
    for (int i = 0; i < 16; ++i) SDL_RenderCopyF(Sdl(), tex, nullptr, &screen);
    SDL_RenderFlush(Sdl());
  }
}
BENCHMARK(BM_SdlCopy16ScreensFloor)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("BM_ParticleDraw2000Small", "BM_SdlCopySmallFloor");
  reporter.PrintRatio("BM_ParticleDraw2000Glow", "BM_SdlCopyGlowFloor");
  reporter.PrintRatio("BM_ParticleDrawUnbounded", "BM_SdlCopy16ScreensFloor");
  TRenderer::Shutdown();
  benchmark::Shutdown();
  return 0;
}
