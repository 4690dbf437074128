// A dialog window's layout tree, built by the plug-in's group and gadget calls. The recorder only keeps
// the tree and says whether a call fits it; the UI service reports what does not.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "scn/types.h"

namespace scn {
struct CustomGadget;
}

namespace host {

enum class LayoutKind { Group, CustomGadget };

struct LayoutItem {
  LayoutKind kind = LayoutKind::Group;
  scn::Int32 id = 0;
  scn::Int32 flags = 0;
  // Groups.
  scn::Int32 columns = 0;
  scn::Int32 rows = 0;
  std::string title;
  scn::Int32 groupFlags = 0;
  std::vector<std::unique_ptr<LayoutItem>> children;
  // Custom gadgets: the gadget, owned by the window.
  scn::CustomGadget* gadget = nullptr;
  LayoutItem* parent = nullptr;
};

struct GroupSpec {
  scn::Int32 id = 0;
  scn::Int32 flags = 0;
  scn::Int32 columns = 0;
  scn::Int32 rows = 0;
  std::string title;
  scn::Int32 groupFlags = 0;
};

class Layout {
 public:
  Layout();

  // The implicit outermost group; it has no id of its own and is never found by FindGroup.
  const LayoutItem& Root() const { return *root_; }

  // Opens a group inside the innermost open one. A non-zero id that names an existing group reopens it
  // (content is appended), so a flushed group is rebuilt in place.
  LayoutItem& BeginGroup(const GroupSpec& spec);
  // Closes the innermost open group; false when none is open.
  bool EndGroup();
  std::size_t OpenGroups() const { return open_.size(); }

  // Adds a custom gadget to the innermost open group.
  LayoutItem& AddGadget(scn::CustomGadget* gadget);

  enum class FlushResult { Flushed, UnknownGroup, GroupOpenInside };
  // Removes the content of a group; the gadgets it held are appended to removed.
  FlushResult Flush(scn::Int32 groupId, std::vector<scn::CustomGadget*>* removed);

  // Depth-first, the first match.
  LayoutItem* FindGroup(scn::Int32 id) const;
  LayoutItem* FindGadget(scn::Int32 id) const;
  // Every custom gadget in layout order.
  std::vector<scn::CustomGadget*> Gadgets() const;

 private:
  LayoutItem& Current() const { return open_.empty() ? *root_ : *open_.back(); }

  std::unique_ptr<LayoutItem> root_;
  std::vector<LayoutItem*> open_;
};

}  // namespace host
