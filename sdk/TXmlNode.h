#pragma once
// An XML element that owns its children. Documents are parsed into a tree of
// these and written back from it; pointers to nodes stay valid while the node
// lives. Attributes and children keep document order.

#include <memory>
#include <utility>
#include <vector>

#include "str.h"

class TXmlNode {
 public:
  explicit TXmlNode(const str& name = "");
  ~TXmlNode();
  TXmlNode(const TXmlNode&) = delete;
  TXmlNode& operator=(const TXmlNode&) = delete;

  const str& GetName() const { return mName; }
  void SetName(const str& name) { mName = name; }
  TXmlNode* GetParent() const { return mParent; }

  // First child of that name, or null.
  TXmlNode* GetChild(const str& name) const;
  // Text of the first child of that name ("" when there is none).
  str GetChildContent(const str& name) const;
  size_t GetChildCount() const { return mChildren.size(); }
  TXmlNode* GetChildAt(size_t i) const { return i < mChildren.size() ? mChildren[i].get() : nullptr; }

  // Child cursor: ResetChildren, then GetNextChild until it returns false.
  void ResetChildren() { mChildCursor = 0; }
  bool GetNextChild(str* name, TXmlNode** child);
  // Attribute cursor, the same way.
  void ResetAttributes() { mAttrCursor = 0; }
  bool GetNextAttribute(str* name, str* value);

  // "" when absent; `found`, when given, tells whether it was there.
  str GetAttribute(const str& name, bool* found = nullptr) const;
  bool HasAttribute(const str& name) const;
  void SetAttribute(const str& name, const str& value);
  void RemoveAttribute(const str& name);
  size_t GetAttributeCount() const { return mAttrs.size(); }

  const str& GetContent() const { return mContent; }
  void SetContent(const str& text) { mContent = text; }

  TXmlNode* CreateChild(const str& name);                 // appends
  TXmlNode* AdoptChild(std::unique_ptr<TXmlNode> child);  // appends
  std::unique_ptr<TXmlNode> OrphanChild(TXmlNode* child);
  bool RemoveChild(TXmlNode* child);  // deletes it; false when not a child
  void RemoveChildren();
  std::unique_ptr<TXmlNode> Clone() const;

  // Content is the element's own text, kept exactly; beside child elements a
  // text of blanks only is layout and is not kept.
  // Parsing replaces this node's name, attributes, content and children with
  // the document's root element. Failure leaves the node empty and prints one
  // line on stderr naming the file (or "string") and the reason.
  bool ParseFile(const str& path);
  bool ParseString(const str& text, const str& what = "string");
  // The same without the line on stderr, for a reader that only looks and
  // must leave no trace.
  bool ParseStringQuietly(const str& text);
  // Serialises this node as a whole document (no declaration when bare).
  str AsString(bool declaration = false) const;
  // Writes atomically: temp file, fsync, rename.
  bool SaveFile(const str& path) const;
  // Whether AsString parses back into a tree equal to this one: names the
  // writer must leave out, or text the reader folds, make it false.
  bool RoundTrips() const;
  // Same name, attributes in order, content and children, all the way down.
  bool SameTreeAs(const TXmlNode& other) const;

  // Whether text can serve as an element or attribute name.
  static bool IsValidName(const str& name);

 private:
  str mName;
  str mContent;
  std::vector<std::pair<str, str>> mAttrs;
  std::vector<std::unique_ptr<TXmlNode>> mChildren;
  TXmlNode* mParent = nullptr;
  size_t mChildCursor = 0;
  size_t mAttrCursor = 0;
  void WriteTo(str& out, int depth) const;
  bool Parse(const str& text, const str& what, bool quiet);
};
