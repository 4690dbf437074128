// Parameter descriptions of a node, as the host builds them from description resources.
#pragma once

#include <map>
#include <vector>

#include "scn/container.h"
#include "scn/tables.h"

namespace host {

// Type codes (entry value scn::kDescType). Value parameters take the code of the value type they hold;
// buttons and groups hold no value.
enum class DescType : scn::Int32 {
  Long = static_cast<scn::Int32>(scn::ValueType::Int32),
  Bool = static_cast<scn::Int32>(scn::ValueType::Bool),
  Real = static_cast<scn::Int32>(scn::ValueType::Float64),
  Vector = static_cast<scn::Int32>(scn::ValueType::Vector),
  Matrix = static_cast<scn::Int32>(scn::ValueType::Matrix),
  String = static_cast<scn::Int32>(scn::ValueType::String),
  Filename = static_cast<scn::Int32>(scn::ValueType::Filename),
  Link = static_cast<scn::Int32>(scn::ValueType::Link),
  Button = 100,
  Group = 101,
};

// Entry values beyond those of scn/tables.h (kDescType, kDescNameId, kDescName, kDescDefault).
inline constexpr scn::Int32 kDescParent = 5;  // id of the enclosing group; absent at top level
inline constexpr scn::Int32 kDescMin = 6;     // LONG and REAL
inline constexpr scn::Int32 kDescMax = 7;
inline constexpr scn::Int32 kDescStep = 8;
inline constexpr scn::Int32 kDescAccept = 9;  // LINK: the node type it accepts

}  // namespace host

namespace scn {

struct Description {
  std::map<Int32, Container> entries;
  std::vector<Int32> order;  // ids in the order the resources listed them

  Container* Find(Int32 id) {
    auto it = entries.find(id);
    return it == entries.end() ? nullptr : &it->second;
  }
  const Container* Find(Int32 id) const {
    auto it = entries.find(id);
    return it == entries.end() ? nullptr : &it->second;
  }
};

}  // namespace scn
