// An ordered list of owned nodes: a document's objects or materials, an object's children or tags, a
// material's shaders. Each node remembers its place, so taking it out and stepping on cost no search.
#pragma once

#include <list>
#include <memory>

#include "scn/handles.h"

namespace host {

class NodeList {
 public:
  using Slots = std::list<std::unique_ptr<scn::SceneNode>>;
  using Position = Slots::iterator;

  // A node's lists name the node; a document's lists name the document.
  // Out of line: the list's destructor needs the complete node type.
  explicit NodeList(scn::SceneNode* owner);
  explicit NodeList(scn::Document* document);
  ~NodeList();
  NodeList(const NodeList&) = delete;
  NodeList& operator=(const NodeList&) = delete;

  scn::SceneNode* Owner() const { return owner_; }
  scn::Document* Document() const { return document_; }

  bool Empty() const { return slots_.empty(); }
  scn::SceneNode* First() const;
  // The node after node, which lies in this list; null after the last.
  scn::SceneNode* After(const scn::SceneNode& node) const;
  // Takes ownership and puts the node last.
  scn::SceneNode* Append(std::unique_ptr<scn::SceneNode> node);
  // Hands a node of this list back to the caller.
  std::unique_ptr<scn::SceneNode> Take(scn::SceneNode& node);
  // Frees every node, first to last; each is released (SceneNode::Release) while still in the list.
  void Clear();

 private:
  scn::SceneNode* owner_ = nullptr;
  scn::Document* document_ = nullptr;
  Slots slots_;
};

}  // namespace host
