// 2,000 live particles must be simulated and drawn well inside one 16 ms
// tick. The script keeps the population steady: 2,000 a second living one
// second each, textured and additive like the game's sparks.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "sdk/TLuaParticleSystem.h"
#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"

namespace {

const int kParticles = 2000;

// The script is written to /tmp and read by its absolute path; its texture
// comes from the bundled content.
const char* const kScript = "/tmp/tolvane-particle-bench.lua";

void MakeContent() {
  static bool made = false;
  if (made) return;
  made = true;
  std::ofstream(kScript) << "Emitter{ rate = " << kParticles
                         << ", life = 1, radius = 40, speed = {20, 60}, gravity = {0, 30},"
                            " size = {12, 2}, color = {{1, 1, 0.8}, {1, 0.4, 0.1}}, alpha = {1, 0},"
                            " blend = \"add\", texture = \"particles/dot.png\", max = 4000 }\n"
                            "gActive = true\n";
  const std::string here = __FILE__;
  const size_t at = here.rfind("bench/");
  TPlatform::SetContentRoot(at == std::string::npos ? "content" : here.substr(0, at) + "content");
}

void Fill(TLuaParticleSystem& ps) {
  if (!ps.LoadScript(kScript)) std::abort();
  for (int i = 0; i < 100; ++i) ps.Update(16);  // over a second: the population is steady
}

void BM_ParticleUpdate2000(benchmark::State& state) {
  MakeContent();
  TLuaParticleSystem ps;
  Fill(ps);
  for (auto _ : state) ps.Update(16);
  state.counters["particles"] = double(ps.GetParticleCount());
}
BENCHMARK(BM_ParticleUpdate2000)->Unit(benchmark::kMicrosecond);

void BM_ParticleUpdateAndDraw2000(benchmark::State& state) {
  MakeContent();
  TPlatform::SetHeadless(true);
  static bool opened = TRenderer::GetInstance()->Open(true, false);
  if (!opened) {
    state.SkipWithError("no headless renderer");
    return;
  }
  TLuaParticleSystem ps;
  Fill(ps);
  TRenderer* r = TRenderer::GetInstance();
  for (auto _ : state) {
    ps.Update(16);
    const bool opened = r->Begin2d();
    ps.Draw(TVec3());
    if (opened) r->End2d();
  }
  state.counters["particles"] = double(ps.GetParticleCount());
}
BENCHMARK(BM_ParticleUpdateAndDraw2000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
