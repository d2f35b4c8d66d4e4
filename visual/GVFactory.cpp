#include "GVFactory.h"

#include "GVFrame.h"
#include "GVObject.h"
#include "GVTexture.h"
#include "sdk/TPlatform.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
GVFactory::GVObjectCreator* MakeDefaultCreator(GVFactory* f) {
  return new GVFactory::GVDefaultObjectCreator(f);
}

// Keeps the factory's mode for the outermost creation and restores it.
struct ModeScope {
  GVFactory* f;
  int32_t saved;
  ModeScope(GVFactory* factory, bool clone) : f(factory), saved(factory->mode) {
    if (f->mode == 0) f->mode = clone ? 1 : 2;
  }
  ~ModeScope() { f->mode = saved; }
};
}  // namespace

GVFactory* GVFactory::GetInstance() {
  static GVFactory instance;
  return &instance;
}

GVFactory::GVFactory() {
  RegisterCreator("default", &MakeDefaultCreator);
}

GVFactory::~GVFactory() {
  mCreators.clear();
}

str GVFactory::BuildPath(const str& path) const {
  if (path.empty()) return str();
  str p = path.substr(0, path.find('?'));
  size_t at = p.find('@');
  str name = p.substr(0, at);
  str segments = at == str::npos ? str() : p.substr(at);
  return descriptionFolder + name + ".xml" + segments;
}

GVFactory::GVObjectCreator* GVFactory::FindCreator(const str& path) {
  size_t q = path.find('?');
  str name = q == str::npos ? str("default") : path.substr(q + 1);
  auto made = mCreators.find(name);
  if (made != mCreators.end()) return made->second.get();
  auto reg = mRegistry.find(name);
  if (reg == mRegistry.end()) {
    Report("visual objects: \"%s\" names no object creator \"%s\"", path.c_str(), name.c_str());
    return nullptr;
  }
  GVObjectCreator* c = reg->second(this);
  mCreators[name].reset(c);
  return c;
}

GVObject* GVFactory::CreateObject(TXmlNode* element, const str& path, bool clone, GVBase* context) {
  ModeScope scope(this, clone);
  if (!element && path.empty()) return nullptr;
  GVObject* parent = context ? context->GetParentObject() : nullptr;
  GVObjectCreator* creator = FindCreator(path);
  if (!creator) return nullptr;
  GVObject* object = creator->Create(BuildPath(path), element, context ? context->GetParent() : nullptr);
  if (!object) return nullptr;
  if (!creator->Attach(object, drawList, parent, true)) {
    delete object;
    return nullptr;
  }
  return object;
}

GVObject* GVFactory::CreateExported(const str& path) {
  return CreateChild(path, nullptr, nullptr);
}

GVObject* GVFactory::CreateChild(const str& path, TXmlNode* element, GVBase* container) {
  GVObjectCreator* creator = FindCreator(path);
  if (!creator) return nullptr;
  if (mDepth >= kMaxDepth) {
    Report(
        "visual objects: \"%s\" is nested more than %d deep (do descriptions export each other?); not made",
        path.c_str(), int(kMaxDepth));
    return nullptr;
  }
  GVBase* owner = container ? container->GetParent() : nullptr;
  str built = element ? path : BuildPath(path);
  ++mDepth;
  GVObject* child = creator->Create(built, element, owner);
  --mDepth;
  return child;
}

GVObject* GVFactory::Reattach(GVObject* object, GVDrawList* list, GVObject* parent, bool startNormal) {
  if (!object) return nullptr;
  GVObjectCreator* creator = FindCreator(object->GetId());
  if (!creator || !creator->Attach(object, list, parent, startNormal)) {
    delete object;
    return nullptr;
  }
  return object;
}

boost::shared_ptr<GVTextures> GVFactory::LoadTextures(TXmlNode* element, GVObject* object) {
  auto* set = new GVTextures(imageFolder);
  if (set->Load(element, object)) return boost::shared_ptr<GVTextures>(set);
  delete set;
  GVObject* parent = object ? object->GetParentObject() : nullptr;
  if (parent && parent->GetTextures()) return parent->GetTextures();
  return boost::shared_ptr<GVTextures>();
}

boost::shared_ptr<GVFrames> GVFactory::LoadFrames(TXmlNode* element, GVObject* object) {
  auto* set = new GVFrames;
  if (set->Load(element, object)) return boost::shared_ptr<GVFrames>(set);
  delete set;
  return boost::shared_ptr<GVFrames>();
}

// ---- the default creator ----

GVObject* GVFactory::GVDefaultObjectCreator::Create(const str& path, TXmlNode* element, GVBase* parent) {
  if (path.empty() && !element) return nullptr;
  std::unique_ptr<TXmlNode> document;
  if (!element) element = OpenDocument(path, document);
  GVObject* object = new GVObject;
  bool ok = element && object->Load(element, parent);
  if (document) ReleaseDocument(document, object);
  if (ok) return object;
  delete object;
  return nullptr;
}

GVObject* GVFactory::GVDefaultObjectCreator::Clone(GVObject* object) {
  if (!object) return nullptr;
  GVObject* copy = new GVObject;
  if (object->CopyTo(copy)) return copy;
  delete copy;
  return nullptr;
}

bool GVFactory::GVDefaultObjectCreator::Attach(GVObject* object, GVDrawList* list, GVObject* parent,
                                               bool startNormal) {
  return object && object->Attach(list, parent, startNormal);
}

TXmlNode* GVFactory::GVDefaultObjectCreator::OpenDocument(const str& path, std::unique_ptr<TXmlNode>& doc) {
  doc.reset(new TXmlNode);
  size_t at = path.find('@');
  str file = path.substr(0, at);
  if (!doc->ParseFile(TPlatform::ResolvePath(file))) return nullptr;
  // The description's object is its element "main", the root itself or a child of it.
  TXmlNode* element = doc->GetName() == "main" ? doc.get() : doc->GetChild("main");
  if (!element) {
    Report("%s: no element \"main\"", file.c_str());
    return nullptr;
  }
  while (at != str::npos) {
    size_t next = path.find('@', at + 1);
    str segment = path.substr(at + 1, next == str::npos ? str::npos : next - at - 1);
    at = next;
    TXmlNode* objects = element->GetChild("objects");
    TXmlNode* selected = nullptr;
    str wantedId = segment;
    if (objects && !segment.empty() && segment[0] == '#') {
      wantedId = segment.substr(1);
      selected = objects->GetChildAt(size_t(std::max(0, wantedId.to_int())));
    } else if (objects) {
      for (size_t i = 0; i < objects->GetChildCount() && !selected; ++i)
        if (objects->GetChildAt(i)->GetAttribute("id") == segment) selected = objects->GetChildAt(i);
    }
    if (!selected || selected->GetAttribute("id") != wantedId) {
      Report("%s: no object \"%s\" in \"%s\"", file.c_str(), segment.c_str(), path.c_str());
      return nullptr;
    }
    element = selected;
  }
  return element;
}

GVObject* GVFactory::CreateInList(GVDrawList* list, const str& images, const str& path) {
  if (path.empty()) return nullptr;
  // The factory is shared; leave it as it was found for whoever comes next.
  GVDrawList* oldList = drawList;
  str oldImages = imageFolder, oldDescriptions = descriptionFolder;
  drawList = list;
  imageFolder = images;
  descriptionFolder = "xml/";
  GVObject* object = CreateObject(nullptr, path);
  drawList = oldList;
  imageFolder = oldImages;
  descriptionFolder = oldDescriptions;
  return object;
}
