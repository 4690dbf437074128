// The eye tag: turns its object like one eye of a linked face capture object, from that eye's look
// weights or, for captures that carry them, from the captured eye matrix.
#pragma once

#include "scn/nodedata.h"

inline constexpr scn::Int32 kEyeTagId = 1040866;

// Parameters of the tag's description.
enum EyeTagParameter : scn::Int32 {
  kEyeTagLink = 1000,       // link: the face capture object to follow
  kEyeTagSide = 1001,       // Int32: 0 left, 1 right; any other value leaves the object alone
  kEyeTagUseMatrix = 1002,  // Bool: the capture's eye matrix instead of the look weights
  kEyeTagHelp = 1003,       // button
};

// After the face capture objects have written this evaluation's weights.
inline constexpr scn::Int32 kEyeTagPriority = 5000;

class TUEyeTag : public scn::TagData {
 public:
  static scn::NodeData* Alloc();

  scn::Bool InitNodeData(scn::SceneNode* node) override;
  scn::Bool OnNodeMessage(scn::SceneNode* node, scn::Int32 type, void* data) override;
  scn::Bool IsParameterEnabled(scn::SceneNode* node, scn::Int32 id, const scn::Container& itemDesc) override;
  scn::Int32 ExecuteTag(scn::SceneNode* tag, scn::Document* doc, scn::SceneNode* object,
                        scn::Int32 priority) override;
  scn::Bool AddToPriorityList(scn::SceneNode* tag) override;
};

bool RegisterEyeTag();
