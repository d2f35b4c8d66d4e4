#pragma once
// Shared set-up of the visual-object tests: XML from text, the factory
// pointed at the fixtures, and the headless clock.

#include <gtest/gtest.h>

#include <memory>

#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"
#include "sdk/TXmlNode.h"
#include "visual/GVDrawList.h"
#include "visual/GVFactory.h"
#include "visual/GVObject.h"

inline std::unique_ptr<TXmlNode> ParseXml(const char* text) {
  std::unique_ptr<TXmlNode> n(new TXmlNode);
  n->ParseString(text);
  return n;
}

inline void PointFactoryAt(GVDrawList* list) {
  GVFactory* f = GVFactory::GetInstance();
  f->drawList = list;
  f->imageFolder = "visual/anim/";
  f->descriptionFolder = "visual/xml/";
}

// Moves the virtual clock on in 16 ms heartbeats (the last one shorter).
inline void Advance(uint32_t ms) {
  TPlatform* p = TPlatform::GetInstance();
  while (ms > 0) {
    uint32_t step = ms < 16 ? ms : 16;
    p->Tick(step);
    ms -= step;
  }
}

inline void OpenHeadlessRenderer() {
  static bool opened = TRenderer::GetInstance()->Open(true, false);
  (void)opened;
}

// A test whose objects the factory makes into the test's own draw list.
class VisualFactoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenHeadlessRenderer();
    PointFactoryAt(&list);
  }
  std::unique_ptr<GVObject> Make(const char* path) {
    return std::unique_ptr<GVObject>(GVFactory::GetInstance()->CreateObject(nullptr, path));
  }
  // An object described by the XML text of its "main" element.
  std::unique_ptr<GVObject> MakeFrom(const str& xml) {
    return std::unique_ptr<GVObject>(GVFactory::GetInstance()->CreateObject(ParseXml(xml.c_str()).get(), ""));
  }
  GVDrawList list;
};
