#pragma once
// The one place visual objects are made: finds a description by path, lets
// a registered creator build the object tree, and places it in the draw list
// the caller chose. Paths: a description name, optionally "@id" or "@#N"
// segments walking into its "objects" sections, optionally "?" and a creator
// name.

#include <boost/shared_ptr.hpp>
#include <map>
#include <memory>

#include "sdk/str.h"

class GVBase;
class GVObject;
class GVDrawList;
class GVFrames;
class GVTextures;
class TXmlNode;

class GVFactory {
 public:
  class GVObjectCreator {
   public:
    virtual ~GVObjectCreator() = default;
    virtual GVObject* Create(const str& path, TXmlNode* element, GVBase* parent) = 0;
    virtual GVObject* Clone(GVObject* object) = 0;
    virtual bool Attach(GVObject* object, GVDrawList* list, GVObject* parent, bool startNormal) = 0;
    virtual str GetName() const = 0;
    virtual TXmlNode* OpenDocument(const str& path, std::unique_ptr<TXmlNode>& document) = 0;
    virtual void ReleaseDocument(std::unique_ptr<TXmlNode>& document, GVObject* object) = 0;
  };

  class GVDefaultObjectCreator : public GVObjectCreator {
   public:
    explicit GVDefaultObjectCreator(GVFactory* factory) : mFactory(factory) {}
    GVObject* Create(const str& path, TXmlNode* element, GVBase* parent) override;
    GVObject* Clone(GVObject* object) override;
    bool Attach(GVObject* object, GVDrawList* list, GVObject* parent, bool startNormal) override;
    str GetName() const override { return "default"; }
    // Parses the file before the first "@" and walks the "@" segments.
    TXmlNode* OpenDocument(const str& path, std::unique_ptr<TXmlNode>& document) override;
    void ReleaseDocument(std::unique_ptr<TXmlNode>& document, GVObject*) override { document.reset(); }

   private:
    GVFactory* mFactory;
  };

  typedef GVObjectCreator* (*CreatorMaker)(GVFactory* factory);

  static GVFactory* GetInstance();
  virtual ~GVFactory();

  virtual boost::shared_ptr<GVTextures> LoadTextures(TXmlNode* element, GVObject* object);
  virtual boost::shared_ptr<GVFrames> LoadFrames(TXmlNode* element, GVObject* object);
  // The entry point: a placed object the caller owns, or null. Cloning
  // creations are not offered; `clone` is ignored.
  virtual GVObject* CreateObject(TXmlNode* element, const str& path, bool clone = false,
                                 GVBase* context = nullptr);
  // An object of `path` with pictures under `imageFolder` and descriptions
  // under "xml/", placed in `list`; the factory's own settings are left as
  // they were found. Null for an empty path or one that makes nothing.
  GVObject* CreateInList(GVDrawList* list, const str& imageFolder, const str& path);
  virtual GVObject* CreateExported(const str& path);
  // A child loaded but not yet placed.
  virtual GVObject* CreateChild(const str& path, TXmlNode* element, GVBase* container);
  // Places an existing object; null (the object deleted) when that fails.
  virtual GVObject* Reattach(GVObject* object, GVDrawList* list, GVObject* parent, bool startNormal);

  // The creator named after the path's "?", "default" without one; null for
  // a name nobody registered.
  GVObjectCreator* FindCreator(const str& path);
  void RegisterCreator(const str& name, CreatorMaker maker) { mRegistry[name] = maker; }
  // Description folder + name + ".xml", then the path's "@" segments.
  str BuildPath(const str& path) const;

  GVDrawList* drawList = nullptr;  // not owned
  str imageFolder;                 // where new texture sets start ("anim/")
  str descriptionFolder;           // where descriptions live ("xml/")
  int32_t mode = 0;
  enum { kMaxDepth = 32 };

 private:
  GVFactory();
  // Nesting of child creations, bounded so that descriptions exporting each
  // other in a ring cannot recurse without end.
  int mDepth = 0;
  std::map<str, CreatorMaker> mRegistry;
  std::map<str, std::unique_ptr<GVObjectCreator>> mCreators;
};
