#include "scene/scenefile.h"

#include "files/recordfile.h"
#include "scene/objectrecord.h"
#include "scene/scenenode.h"

namespace host {
namespace {

scn::SceneNode* FindNamed(scn::SceneNode& object, const std::string& name) {
  if (object.name == name) return &object;
  for (scn::SceneNode* c = object.children.First(); c; c = object.children.After(*c))
    if (scn::SceneNode* found = FindNamed(*c, name)) return found;
  return nullptr;
}

// The named node, out of the hierarchy it lies in (the rest goes with root).
std::unique_ptr<scn::SceneNode> TakeOut(std::unique_ptr<scn::SceneNode> root, scn::SceneNode& found) {
  if (&found == root.get()) return root;
  return found.list->Take(found);
}

}  // namespace

bool SaveSceneFile(const scn::RecordTable& records, const std::filesystem::path& file,
                   const std::vector<const scn::SceneNode*>& objects, std::string* error) {
  auto rf = RecordFile::ForWriting();
  if (!records.WriteInt32(rf.get(), static_cast<scn::Int32>(objects.size()))) {
    *error = "cannot write " + file.string();
    return false;
  }
  for (const scn::SceneNode* object : objects) {
    if (!WriteObjectRecord(records, rf.get(), *object)) {
      *error = "the object \"" + object->name + "\" is no host object, or its record failed";
      return false;
    }
  }
  if (!RecordFile::SaveToFile(*rf, file)) {
    *error = "cannot write " + file.string();
    return false;
  }
  return true;
}

std::unique_ptr<scn::SceneNode> LoadSceneObject(SceneService& scene, const scn::RecordTable& records,
                                                const std::filesystem::path& file, const std::string& name,
                                                std::string* error) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    *error = "no scene file " + file.string();
    return nullptr;
  }
  auto rf = RecordFile::LoadFromFile(file);
  scn::Int32 count = 0;
  if (!rf || !records.ReadInt32(rf.get(), &count) || count < 0) {
    *error = "the scene file " + file.string() + " is damaged";
    return nullptr;
  }
  for (scn::Int32 i = 0; i < count; ++i) {
    auto object = ReadObjectRecord(scene, records, rf.get());
    if (!object) {
      *error = "the scene file " + file.string() + " is damaged at object " + std::to_string(i + 1) + " of " +
               std::to_string(count);
      return nullptr;
    }
    if (scn::SceneNode* found = FindNamed(*object, name)) return TakeOut(std::move(object), *found);
  }
  *error = "the scene file " + file.string() + " holds no object \"" + name + "\"";
  return nullptr;
}

}  // namespace host
