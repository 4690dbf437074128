// Scene files: a record file (files/recordfile.h: header, then tagged values) holding Int32 object count
// and that many object records (scene/objectrecord.h). The plug-in's resource folder carries such files
// (its "quadmesh.scn").
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "scn/tables.h"

namespace host {

class SceneService;

// Replaces the file (an earlier file stays as it was when writing fails); false with the reason in *error
// for a plug-in object or a failed write.
bool SaveSceneFile(const scn::RecordTable& records, const std::filesystem::path& file,
                   const std::vector<const scn::SceneNode*>& objects, std::string* error);
// The first object of that name, depth-first through each record's hierarchy, taken out of it as a new
// object owned by the caller; null with the reason in *error when the file is missing or damaged or holds
// no object of that name.
std::unique_ptr<scn::SceneNode> LoadSceneObject(SceneService& scene, const scn::RecordTable& records,
                                                const std::filesystem::path& file, const std::string& name,
                                                std::string* error);

}  // namespace host
