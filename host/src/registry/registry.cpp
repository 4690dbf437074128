#include "registry/registry.h"

#include <algorithm>

#include "bitmaps/bitmapservice.h"
#include "core/host.h"
#include "prefs/prefsservice.h"
#include "scn/commanddata.h"

namespace host {
namespace {
Registry& R() { return Host::Current()->registry(); }

template <typename T>
void DestroyPluginObject(Host& host, T*& p) {
  if (!p) return;
  p->~T();
  host.memory().Free(p);
  p = nullptr;
}
}  // namespace

const char* KindName(PluginKind kind) {
  switch (kind) {
    case PluginKind::Object:
      return "object";
    case PluginKind::Tag:
      return "tag";
    case PluginKind::Shader:
      return "shader";
    case PluginKind::Command:
      return "command";
    case PluginKind::Message:
      return "message";
    case PluginKind::PreferencePage:
      return "preferences";
  }
  return "?";
}

Registry::~Registry() { Clear(); }

bool Registry::Add(Registration r, const scn::Bitmap* icon) {
  Host& host = host_;
  if (!host.CheckMainThread("Register")) return false;
  if (!starting_) host.diagnostics().ReportMisbehaviour("registration of " + std::to_string(r.id) + " outside start");
  auto fail = std::find(failIds_.begin(), failIds_.end(), r.id);
  const bool taken = Find(r.id, r.kind) != nullptr;
  if (fail != failIds_.end() || taken || (r.kind != PluginKind::Command && r.kind != PluginKind::Message && !r.alloc)) {
    if (fail != failIds_.end()) failIds_.erase(fail);
    host.diagnostics().Output("registration refused: " + std::string(KindName(r.kind)) + " " + std::to_string(r.id));
    // The host owns what was handed to it, also when it refuses.
    DestroyPluginObject(host, r.command);
    DestroyPluginObject(host, r.message);
    return false;
  }
  r.icon = icon ? BitmapService::Clone(icon) : nullptr;
  entries_.push_back(std::move(r));
  return true;
}

const Registration* Registry::Find(scn::Int32 id, PluginKind kind) const {
  for (const auto& e : entries_)
    if (e.id == id && e.kind == kind) return &e;
  return nullptr;
}

const Registration* Registry::Find(scn::Int32 id) const {
  for (const auto& e : entries_)
    if (e.id == id) return &e;
  return nullptr;
}

bool Registry::RunCommand(scn::Int32 id, scn::Int32 subId) {
  if (!host_.CheckMainThread("RunCommand")) return false;
  const Registration* r = Find(id, PluginKind::Command);
  if (!r || !r->command) {
    host_.diagnostics().Output("RunCommand: no command " + std::to_string(id));
    return false;
  }
  (void)subId;
  return r->command->ExecuteCommand(nullptr);
}

bool Registry::SendPluginMessage(scn::Int32 id, void* data) {
  bool handled = false;
  for (auto& e : entries_)
    if (e.message) handled = e.message->HandleMessage(id, data) || handled;
  return handled;
}

void Registry::Clear() {
  // Open preference pages run code of the registered plug-ins.
  host_.prefs().CloseAllPages();
  for (auto& e : entries_) {
    DestroyPluginObject(host_, e.command);
    DestroyPluginObject(host_, e.message);
    BitmapService::Free(e.icon);
    e.icon = nullptr;
  }
  entries_.clear();
}

void Registry::FillTable(scn::RegistryTable& t) {
  t.RegisterObjectType = [](scn::Int32 id, const scn::String& name, scn::Int32 flags, scn::NodeAllocator alloc,
                            const scn::String& description, const scn::Bitmap* icon, scn::Int32 diskLevel) {
    Registration r{PluginKind::Object, id, name, flags, description};
    r.alloc = alloc;
    r.diskLevel = diskLevel;
    return scn::Bool(R().Add(std::move(r), icon));
  };
  t.RegisterTagType = [](scn::Int32 id, const scn::String& name, scn::Int32 flags, scn::NodeAllocator alloc,
                         const scn::String& description, const scn::Bitmap* icon, scn::Int32 diskLevel) {
    Registration r{PluginKind::Tag, id, name, flags, description};
    r.alloc = alloc;
    r.diskLevel = diskLevel;
    return scn::Bool(R().Add(std::move(r), icon));
  };
  t.RegisterShaderType = [](scn::Int32 id, const scn::String& name, scn::Int32 flags, scn::NodeAllocator alloc,
                            const scn::String& description, scn::Int32 diskLevel) {
    Registration r{PluginKind::Shader, id, name, flags, description};
    r.alloc = alloc;
    r.diskLevel = diskLevel;
    return scn::Bool(R().Add(std::move(r), nullptr));
  };
  t.RegisterCommandType = [](scn::Int32 id, const scn::String& name, scn::Int32 flags, const scn::Bitmap* icon,
                             const scn::String& help, scn::CommandData* command) {
    Registration r{PluginKind::Command, id, name, flags, help};
    r.command = command;
    if (!command) {
      Host::Current()->diagnostics().ReportMisbehaviour("RegisterCommandType without a command object");
      return scn::Bool(false);
    }
    return scn::Bool(R().Add(std::move(r), icon));
  };
  t.RegisterMessagePlugin = [](scn::Int32 id, const scn::String& name, scn::Int32 flags, scn::MessageData* data) {
    Registration r{PluginKind::Message, id, name, flags, ""};
    r.message = data;
    if (!data) {
      Host::Current()->diagnostics().ReportMisbehaviour("RegisterMessagePlugin without a message object");
      return scn::Bool(false);
    }
    return scn::Bool(R().Add(std::move(r), nullptr));
  };
  t.RunCommand = [](scn::Int32 id, scn::Int32 subId) { return scn::Bool(R().RunCommand(id, subId)); };
}

}  // namespace host
