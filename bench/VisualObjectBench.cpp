// The cost of keeping 2,000 visual objects of one draw list up to date: a
// pass in which nothing changed, a pass in which one object changes depth,
// a pass in which every object moved, and alpha hit tests.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/GameBenchSetup.h"
#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"
#include "sdk/TXmlNode.h"
#include "visual/GVDrawList.h"
#include "visual/GVFactory.h"
#include "visual/GVObject.h"

namespace {

const int kObjects = 2000;

struct Scene {
  GVDrawList list;
  std::vector<std::unique_ptr<GVObject>> objects;

  Scene() {
    TPlatform::SetContentRoot(bench::RepoRoot() + "/tests/fixtures");
    TRenderer::GetInstance()->Open(true, false);
    GVFactory* f = GVFactory::GetInstance();
    f->drawList = &list;
    f->imageFolder = "visual/anim/";
    f->descriptionFolder = "visual/xml/";
    for (int i = 0; i < kObjects; ++i) {
      // Off the screen, so the passes measure the list, not the pixels.
      str xml = str::format(
          "<main hit_test='alpha' deltaX='%d' deltaY='-100' deltaZ='%d'><images><img "
          "name='ring.png'/></images>"
          "<framelist centering='left'><frame w='20' h='20'/></framelist></main>",
          i % 800, i % 50);
      TXmlNode e;
      e.ParseString(xml);
      objects.emplace_back(f->CreateObject(&e, ""));
    }
    list.Draw();
  }
};

Scene& Shared() {
  static Scene scene;
  return scene;
}

void BM_DrawListUnchanged(benchmark::State& state) {
  Scene& s = Shared();
  for (auto _ : state) s.list.Draw();
}
BENCHMARK(BM_DrawListUnchanged);

void BM_DrawListOneDepthChange(benchmark::State& state) {
  Scene& s = Shared();
  int i = 0;
  for (auto _ : state) {
    GVObject* o = s.objects[i++ % kObjects].get();
    o->deltaZ = float((i * 7) % 50);
    o->changed = 1;
    s.list.Draw();
  }
}
BENCHMARK(BM_DrawListOneDepthChange);

void BM_DrawListAllMoved(benchmark::State& state) {
  Scene& s = Shared();
  int frame = 0;
  for (auto _ : state) {
    ++frame;
    for (auto& o : s.objects) {
      o->deltaX = float(frame % 7);
      o->changed = 1;
    }
    s.list.Draw();
  }
}
BENCHMARK(BM_DrawListAllMoved);

void BM_AlphaHitTests(benchmark::State& state) {
  Scene& s = Shared();
  int i = 0;
  for (auto _ : state) {
    GVObject* o = s.objects[i++ % kObjects].get();
    benchmark::DoNotOptimize(o->HitTestSelf(TPoint(o->GetEffective().deltaX + 3, -90)));
  }
}
BENCHMARK(BM_AlphaHitTests);

}  // namespace

BENCHMARK_MAIN();
