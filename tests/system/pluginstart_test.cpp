// The plug-in's entry, start, end and messages, through the loaded module.
#include <gtest/gtest.h>

#include <vector>

#include "loadedhost.h"
#include "registry/registry.h"

using host::PluginKind;

namespace {

struct Expected {
  PluginKind kind;
  int id;
};

// The registrations of a start, in order.
const std::vector<Expected> kStartOrder = {
    {PluginKind::Object, 1040464},         {PluginKind::Object, 1053360},
    {PluginKind::Message, 1040676},        {PluginKind::Command, 1040642},
    {PluginKind::PreferencePage, 1040654}, {PluginKind::Tag, 1040866},
    {PluginKind::Shader, 1040942},         {PluginKind::Tag, 1040839},
    {PluginKind::Command, 1050446},
};

std::vector<Expected> Registered(host::Registry& registry) {
  std::vector<Expected> out;
  for (const auto& r : registry.Entries()) out.push_back({r.kind, r.id});
  return out;
}

bool operator==(const Expected& a, const Expected& b) {
  return a.kind == b.kind && a.id == b.id;
}

class PluginStartTest : public LoadedHostTest {};

TEST_F(PluginStartTest, StartRegistersEveryPluginInOrder) {
  StartPlugin();
  EXPECT_EQ(Registered(H().registry()), kStartOrder);
}

TEST_F(PluginStartTest, RegistrationsCarryTheirNamesFlagsAndDiskLevels) {
  StartPlugin();
  auto& reg = H().registry();
  const auto* face = reg.Find(1040464, PluginKind::Object);
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(face->flags, 0x10004004);
  EXPECT_EQ(face->description, "Ofacecapture");
  EXPECT_EQ(face->diskLevel, 3);
  EXPECT_FALSE(face->name.empty());
  EXPECT_NE(face->icon, nullptr);
  const auto* message = reg.Find(1040676, PluginKind::Message);
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(message->name, "ConnectionMessage");
  EXPECT_EQ(reg.Find(1040866, PluginKind::Tag)->description, "teye");
  EXPECT_EQ(reg.Find(1040942, PluginKind::Shader)->description, "xfaceshader");
  EXPECT_EQ(reg.Find(1040839, PluginKind::Tag)->description, "tfacepose");
  EXPECT_EQ(reg.Find(1050446, PluginKind::Command)->flags, 0x10000000);
}

TEST_F(PluginStartTest, AFailedRegistrationEndsTheStartAndKeepsTheEarlierOnes) {
  LoadModule();
  ASSERT_EQ(M().Message(1, nullptr), 1);
  H().registry().FailRegistration(1040654);
  H().registry().SetStarting(true);
  EXPECT_EQ(M().Call(host::PluginModule::kStart, nullptr, nullptr, nullptr), 0);
  H().registry().SetStarting(false);
  const std::vector<Expected> firstThree(kStartOrder.begin(), kStartOrder.begin() + 4);
  EXPECT_EQ(Registered(H().registry()), firstThree);
  EXPECT_EQ(H().memory().LiveBlocksAt("capturedialog.h"), 0u) << "no queue after a failed start";
}

TEST_F(PluginStartTest, TheQueueIsMadeAtStartAndFreedAtTheLastEnd) {
  StartPlugin();
  EXPECT_EQ(H().memory().LiveBlocksAt("capturedialog.h"), 1u);
  ASSERT_EQ(M().Init(), 1);  // a second initialisation needs a second end
  EXPECT_EQ(M().End(), 1);
  EXPECT_EQ(H().memory().LiveBlocksAt("capturedialog.h"), 1u);
  EXPECT_EQ(M().End(), 1);
  EXPECT_EQ(H().memory().LiveBlocksAt("capturedialog.h"), 0u);
  EXPECT_EQ(M().End(), 1) << "an end after the last does nothing";
  module_.reset();
}

TEST_F(PluginStartTest, AQueueAllocationFailureStillStarts) {
  LoadModule();
  ASSERT_EQ(M().Message(1, nullptr), 1);
  H().memory().FailAllocationsAt("capturedialog.h");
  H().registry().SetStarting(true);
  EXPECT_EQ(M().Call(host::PluginModule::kStart, nullptr, nullptr, nullptr), 1);
  H().registry().SetStarting(false);
  EXPECT_TRUE(H().diagnostics().Contains("Out of memory"));
  EXPECT_EQ(Registered(H().registry()), kStartOrder);
}

TEST_F(PluginStartTest, EntryAnswers) {
  std::string error;
  module_ = host::PluginModule::Load(H(), KINETRA_PLUGIN_DIR, &error);
  ASSERT_TRUE(module_) << error;
  scn::HostTables old = *H().Tables();
  old.version = 20999;
  std::string folder = KINETRA_PLUGIN_DIR;
  EXPECT_EQ(M().Call(1, &old, nullptr, folder.data()), -3) << "version below 21000";
  EXPECT_EQ(M().Call(1, const_cast<scn::HostTables*>(H().Tables()), nullptr, nullptr), -3) << "no folder";
  EXPECT_EQ(M().Init(), 1);
  EXPECT_EQ(M().Call(4, nullptr, nullptr, nullptr), 5);
  EXPECT_EQ(M().Call(5, nullptr, nullptr, nullptr), -1);
  EXPECT_EQ(M().Call(99, nullptr, nullptr, nullptr), -1);
}

TEST_F(PluginStartTest, BeforeAnInitialiseNothingStartsAndNoMessageIsTaken) {
  std::string error;
  module_ = host::PluginModule::Load(H(), KINETRA_PLUGIN_DIR, &error);
  ASSERT_TRUE(module_) << error;
  EXPECT_EQ(M().Call(2, nullptr, nullptr, nullptr), 0) << "start";
  EXPECT_EQ(M().Message(0, nullptr), -1);
  EXPECT_EQ(M().Message(1, nullptr), -1);
  EXPECT_EQ(M().Call(3, nullptr, nullptr, nullptr), 1) << "an end without a start does nothing";
  EXPECT_EQ(M().Call(4, nullptr, nullptr, nullptr), 5);
  EXPECT_TRUE(H().registry().Entries().empty());

  // An initialise that was refused leaves the module as it was.
  scn::HostTables partial = *H().Tables();
  partial.net = nullptr;
  std::string folder = KINETRA_PLUGIN_DIR;
  EXPECT_EQ(M().Call(1, &partial, nullptr, folder.data()), -3);
  EXPECT_EQ(M().Call(2, nullptr, nullptr, nullptr), 0);
  EXPECT_TRUE(H().registry().Entries().empty());
}

TEST_F(PluginStartTest, InitialiseRefusesTablesWithAServiceMissing) {
  std::string error;
  module_ = host::PluginModule::Load(H(), KINETRA_PLUGIN_DIR, &error);
  ASSERT_TRUE(module_) << error;
  std::string folder = KINETRA_PLUGIN_DIR;
  const std::pair<const char*, void (*)(scn::HostTables&)> missing[] = {
      {"core", [](scn::HostTables& t) { t.core = nullptr; }},
      {"file", [](scn::HostTables& t) { t.file = nullptr; }},
      {"record", [](scn::HostTables& t) { t.record = nullptr; }},
      {"registry", [](scn::HostTables& t) { t.registry = nullptr; }},
      {"ui", [](scn::HostTables& t) { t.ui = nullptr; }},
      {"scene", [](scn::HostTables& t) { t.scene = nullptr; }},
      {"bitmap", [](scn::HostTables& t) { t.bitmap = nullptr; }},
      {"thread", [](scn::HostTables& t) { t.thread = nullptr; }},
      {"net", [](scn::HostTables& t) { t.net = nullptr; }},
  };
  for (const auto& [name, drop] : missing) {
    scn::HostTables tables = *H().Tables();
    drop(tables);
    EXPECT_EQ(M().Call(1, &tables, nullptr, folder.data()), -3) << name;
  }
  EXPECT_EQ(M().Init(), 1) << "whole tables are taken";
}

TEST_F(PluginStartTest, MessagesByIdAndTheirHighBits) {
  LoadModule();
  EXPECT_EQ(M().Message(0, nullptr), 1);
  EXPECT_EQ(M().Message(1, nullptr), 1) << "the string resource loads";
  EXPECT_EQ(M().Message(2, nullptr), -1);
  EXPECT_EQ(M().Message(-1, nullptr), -1);
  // Only the low 32 bits of p1 carry the id.
  void* highBits = reinterpret_cast<void*>((std::uintptr_t{1} << 40) | 0u);
  EXPECT_EQ(M().Call(6, highBits, nullptr, nullptr), 1);
}

}  // namespace
