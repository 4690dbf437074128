// Registered plug-ins of every kind, in registration order.
#pragma once

#include <string>
#include <vector>

#include "scn/tables.h"
#include "scn/tables_bitmap.h"

namespace host {

class Host;

enum class PluginKind { Object, Tag, Shader, Command, Message, PreferencePage };
const char* KindName(PluginKind kind);

struct Registration {
  PluginKind kind;
  scn::Int32 id = 0;
  std::string name;
  scn::Int32 flags = 0;
  std::string description;
  scn::Bitmap* icon = nullptr;  // the host's copy
  scn::Int32 diskLevel = 0;
  scn::Int32 sortValue = 0;
  scn::NodeAllocator alloc = nullptr;
  scn::CommandData* command = nullptr;   // owned
  scn::MessageData* message = nullptr;   // owned
};

class Registry {
 public:
  explicit Registry(Host& host) : host_(host) {}
  ~Registry();

  static void FillTable(scn::RegistryTable& table);

  // The plug-in's start is under way; registrations outside it are misbehaviour.
  void SetStarting(bool starting) { starting_ = starting; }
  // The next registration of this id is refused.
  void FailRegistration(scn::Int32 id) { failIds_.push_back(id); }

  bool Add(Registration r, const scn::Bitmap* icon);
  const std::vector<Registration>& Entries() const { return entries_; }
  const Registration* Find(scn::Int32 id, PluginKind kind) const;
  const Registration* Find(scn::Int32 id) const;
  bool RunCommand(scn::Int32 id, scn::Int32 subId);
  // Sends a message to every message plug-in; true when one handled it.
  bool SendPluginMessage(scn::Int32 id, void* data);
  // Frees the command and message objects and the icons.
  void Clear();

 private:
  Host& host_;
  std::vector<Registration> entries_;
  std::vector<scn::Int32> failIds_;
  bool starting_ = false;
};

}  // namespace host
