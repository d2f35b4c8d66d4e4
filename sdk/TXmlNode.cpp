#include "TXmlNode.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <pugixml.hpp>
#include <sstream>

#include "TReport.h"

TXmlNode::TXmlNode(const str& name) : mName(name) {}

TXmlNode::~TXmlNode() = default;

TXmlNode* TXmlNode::GetChild(const str& name) const {
  for (const auto& c : mChildren)
    if (c->mName == name) return c.get();
  return nullptr;
}

str TXmlNode::GetChildContent(const str& name) const {
  TXmlNode* c = GetChild(name);
  return c ? c->mContent : str();
}

bool TXmlNode::GetNextChild(str* name, TXmlNode** child) {
  if (mChildCursor >= mChildren.size()) return false;
  TXmlNode* c = mChildren[mChildCursor++].get();
  if (name) *name = c->mName;
  if (child) *child = c;
  return true;
}

bool TXmlNode::GetNextAttribute(str* name, str* value) {
  if (mAttrCursor >= mAttrs.size()) return false;
  const auto& a = mAttrs[mAttrCursor++];
  if (name) *name = a.first;
  if (value) *value = a.second;
  return true;
}

str TXmlNode::GetAttribute(const str& name, bool* found) const {
  for (const auto& a : mAttrs)
    if (a.first == name) {
      if (found) *found = true;
      return a.second;
    }
  if (found) *found = false;
  return str();
}

bool TXmlNode::HasAttribute(const str& name) const {
  bool found;
  GetAttribute(name, &found);
  return found;
}

void TXmlNode::SetAttribute(const str& name, const str& value) {
  for (auto& a : mAttrs)
    if (a.first == name) {
      a.second = value;
      return;
    }
  mAttrs.emplace_back(name, value);
}

void TXmlNode::RemoveAttribute(const str& name) {
  for (size_t i = 0; i < mAttrs.size(); ++i)
    if (mAttrs[i].first == name) {
      mAttrs.erase(mAttrs.begin() + i);
      if (mAttrCursor > i) --mAttrCursor;
      return;
    }
}

TXmlNode* TXmlNode::CreateChild(const str& name) {
  return AdoptChild(std::unique_ptr<TXmlNode>(new TXmlNode(name)));
}

TXmlNode* TXmlNode::AdoptChild(std::unique_ptr<TXmlNode> child) {
  if (!child) return nullptr;
  if (child->mParent) child = child->mParent->OrphanChild(child.release());
  child->mParent = this;
  mChildren.push_back(std::move(child));
  return mChildren.back().get();
}

std::unique_ptr<TXmlNode> TXmlNode::OrphanChild(TXmlNode* child) {
  for (size_t i = 0; i < mChildren.size(); ++i)
    if (mChildren[i].get() == child) {
      std::unique_ptr<TXmlNode> out = std::move(mChildren[i]);
      mChildren.erase(mChildren.begin() + i);
      // A child taken out behind the cursor must not make the walk skip one.
      if (mChildCursor > i) --mChildCursor;
      out->mParent = nullptr;
      return out;
    }
  return nullptr;
}

bool TXmlNode::RemoveChild(TXmlNode* child) {
  return OrphanChild(child) != nullptr;
}

void TXmlNode::RemoveChildren() {
  mChildren.clear();
  mChildCursor = 0;
}

std::unique_ptr<TXmlNode> TXmlNode::Clone() const {
  std::unique_ptr<TXmlNode> copy(new TXmlNode(mName));
  copy->mContent = mContent;
  copy->mAttrs = mAttrs;
  for (const auto& c : mChildren) copy->AdoptChild(c->Clone());
  return copy;
}

namespace {

bool IsNameStart(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsNameChar(unsigned char c) {
  return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// What the writer accepts: the names IsValidName allows, plus the UTF-8 and
// namespace names that parsed content may carry, so they are written back.
bool IsWritableName(const str& name) {
  if (name.empty()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = name[i];
    const bool ok = i == 0 ? IsNameStart(c) || c == ':' || c >= 0x80 : IsNameChar(c) || c == ':' || c >= 0x80;
    if (!ok) return false;
  }
  return true;
}

// Character data is kept exactly: carriage returns and the other control
// characters are written as references, because a parser folds raw ones.
void Escape(str& out, const str& text, bool attribute) {
  for (unsigned char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += attribute ? "&quot;" : "\"";
        break;
      case '\n':
        out += attribute ? "&#10;" : "\n";
        break;
      case '\t':
        out += attribute ? "&#9;" : "\t";
        break;
      case 0:
        break;  // cannot be represented at all
      default:
        if (c < 0x20) {
          out += "&#" + std::to_string(int(c)) + ";";
        } else {
          out += char(c);
        }
    }
  }
}

bool IsBlankChar(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsBlank(const char* s) {
  for (; *s; ++s)
    if (!IsBlankChar(*s)) return false;
  return true;
}

bool IsBlank(const str& s) {
  return std::all_of(s.begin(), s.end(), IsBlankChar);
}

// Building, writing and freeing the tree recurse, so a damaged file must not
// be able to nest deeper than the stack allows. The walk here is iterative.
const int kMaxDepth = 256;

bool TooDeep(pugi::xml_node root) {
  int depth = 0;
  pugi::xml_node n = root;
  while (n) {
    pugi::xml_node child = n.first_child();
    if (child) {
      if (++depth > kMaxDepth) return true;
      n = child;
      continue;
    }
    while (n && n != root && !n.next_sibling()) {
      n = n.parent();
      --depth;
    }
    if (!n || n == root) break;
    n = n.next_sibling();
  }
  return false;
}

void FromPugi(TXmlNode& node, const pugi::xml_node& src) {
  node.SetName(src.name());
  for (pugi::xml_attribute a = src.first_attribute(); a; a = a.next_attribute())
    node.SetAttribute(a.name(), a.value());
  bool hasElements = false;
  for (pugi::xml_node c = src.first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element) hasElements = true;
  str content;
  for (pugi::xml_node c = src.first_child(); c; c = c.next_sibling()) {
    if (c.type() == pugi::node_element) {
      FromPugi(*node.CreateChild(str()), c);
    } else if (c.type() == pugi::node_cdata) {
      content += c.value();
    } else if (c.type() == pugi::node_pcdata) {
      // Indentation between child elements is layout, not content; a leaf's
      // text is kept whole, blanks included, so values round-trip.
      if (!(hasElements && IsBlank(c.value()))) content += c.value();
    }
  }
  node.SetContent(content);
}

}  // namespace

bool TXmlNode::IsValidName(const str& name) {
  if (name.empty() || !IsNameStart(name[0])) return false;
  for (unsigned char c : name)
    if (!IsNameChar(c)) return false;
  return true;
}

bool TXmlNode::ParseString(const str& text, const str& what) {
  return Parse(text, what, false);
}

bool TXmlNode::ParseStringQuietly(const str& text) {
  return Parse(text, str(), true);
}

bool TXmlNode::Parse(const str& text, const str& what, bool quiet) {
  mName.clear();
  mContent.clear();
  mAttrs.clear();
  RemoveChildren();
  mAttrCursor = 0;
  pugi::xml_document doc;
  pugi::xml_parse_result res = doc.load_buffer(
      text.data(), text.size(), pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_fragment,
      pugi::encoding_utf8);
  pugi::xml_node root = doc.document_element();
  const char* problem = res ? nullptr : res.description();
  size_t offset = res ? text.size() : size_t(res.offset);
  if (!problem && !root) problem = "no root element";
  // The parser accepts fragments; a document has one root and no text
  // around it, and anything more means the file is not what was written.
  for (pugi::xml_node c = doc.first_child(); c && !problem; c = c.next_sibling())
    if ((c.type() == pugi::node_element && c != root) ||
        ((c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) && !IsBlank(c.value())))
      problem = "more than one root element, or text outside it";
  if (!problem && TooDeep(root)) problem = "elements nested too deeply";
  if (problem && quiet) return false;
  if (problem) {
    const int line = 1 + int(std::count(text.begin(), text.begin() + std::min(offset, text.size()), '\n'));
    if (res)
      Report("%s: XML error: %s", what.c_str(), problem);
    else
      Report("%s: XML error at line %d: %s", what.c_str(), line, problem);
    return false;
  }
  FromPugi(*this, root);
  return true;
}

bool TXmlNode::ParseFile(const str& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream buf;
  if (in) buf << in.rdbuf();
  if (!in) {
    mName.clear();
    mContent.clear();
    mAttrs.clear();
    RemoveChildren();
    Report("%s: cannot read the file", path.c_str());
    return false;
  }
  return ParseString(buf.str(), path);
}

void TXmlNode::WriteTo(str& out, int depth) const {
  const str indent(size_t(depth) * 2, ' ');
  out += indent + "<" + mName;
  for (const auto& a : mAttrs) {
    if (!IsWritableName(a.first)) {
      Report("XML attribute name \"%s\" of <%s> cannot be written; attribute left out", a.first.c_str(),
             mName.c_str());
      continue;
    }
    out += " " + a.first + "=\"";
    Escape(out, a.second, true);
    out += "\"";
  }
  if (mChildren.empty() && mContent.empty()) {
    out += "/>";
    return;
  }
  out += ">";
  // Only an element with no text of its own is laid out on lines: inside a
  // text the added blanks would become part of the content.
  const bool layout = mContent.empty();
  if (!mChildren.empty() && !mContent.empty() && IsBlank(mContent)) {
    // Plain blanks beside child elements read back as layout and vanish;
    // a CDATA section is kept whole. Blanks hold no "]]>" to end it early.
    // (A carriage return in it would still come back as a line feed.)
    out += "<![CDATA[" + mContent + "]]>";
  } else {
    Escape(out, mContent, false);
  }
  for (const auto& c : mChildren) {
    if (!IsWritableName(c->mName)) {
      Report("XML element name \"%s\" cannot be written; element left out", c->mName.c_str());
      continue;
    }
    if (layout) out += "\n";
    c->WriteTo(out, layout ? depth + 1 : 0);
  }
  if (layout) out += "\n" + indent;
  out += "</" + mName + ">";
}

str TXmlNode::AsString(bool declaration) const {
  str out;
  if (declaration) out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  if (!IsWritableName(mName)) {
    Report("XML element name \"%s\" cannot be written", mName.c_str());
    return out;
  }
  WriteTo(out, 0);
  out += "\n";
  return out;
}

bool TXmlNode::RoundTrips() const {
  TXmlNode back;
  return back.ParseString(AsString(), "written " + mName) && back.SameTreeAs(*this);
}

bool TXmlNode::SameTreeAs(const TXmlNode& other) const {
  if (mName != other.mName || mContent != other.mContent || mAttrs != other.mAttrs ||
      mChildren.size() != other.mChildren.size())
    return false;
  for (size_t i = 0; i < mChildren.size(); ++i)
    if (!mChildren[i]->SameTreeAs(*other.mChildren[i])) return false;
  return true;
}

bool TXmlNode::SaveFile(const str& path) const {
  const str text = AsString(true);
  const str temp = path + ".tmp";
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    Report("%s: cannot write (%s)", path.c_str(), std::strerror(errno));
    return false;
  }
  size_t done = 0;
  bool ok = true;
  while (done < text.size()) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;
      break;
    }
    done += size_t(n);
  }
  // The data must be on disk before the rename makes it the file, or a crash
  // could leave an empty document under the real name.
  if (ok && ::fsync(fd) != 0) ok = false;
  const int err = errno;
  if (::close(fd) != 0) ok = false;
  if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
    Report("%s: cannot write (%s)", path.c_str(), std::strerror(ok ? errno : err));
    ::unlink(temp.c_str());
    return false;
  }
  // Make the rename itself durable.
  const size_t slash = path.rfind('/');
  const str dir = slash == str::npos ? str(".") : slash == 0 ? str("/") : str(path.substr(0, slash));
  int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return true;
}
