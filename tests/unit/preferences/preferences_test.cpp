// The plug-in's preferences in-process: defaults, hooks, and the folders derived from the data folder.
#include "preferences.h"

#include <gtest/gtest.h>

#include <limits>

#include "inprocesshost.h"
#include "prefs/prefsservice.h"
#include "resources/description.h"
#include "scn/api.h"

namespace {

class PreferencesTest : public InProcessHostTest {
 protected:
  scn::Container& Prefs() {
    scn::Container* prefs = GetPreferencesContainer();
    EXPECT_NE(prefs, nullptr);
    return *prefs;
  }
  void SetDataFolder(const std::filesystem::path& p) { Prefs().SetFilename(PrefDataFolder, p.string()); }

  ARPreferences page_;
};

TEST_F(PreferencesTest, TheContainerIsMadeOnFirstUseInTheWorldSettings) {
  scn::Container& world = H().prefs().WorldSettings();
  EXPECT_FALSE(world.Has(kPrefsContainerId));
  scn::Container* first = GetPreferencesContainer();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(world.GetType(kPrefsContainerId), scn::ValueType::Container);
  EXPECT_TRUE(first->Values().empty());
  EXPECT_EQ(GetPreferencesContainer(), first) << "the same container on later calls";

  world.SetInt32(kPrefsContainerId, 5);  // something else under the id
  scn::Container* replaced = GetPreferencesContainer();
  ASSERT_NE(replaced, nullptr);
  EXPECT_EQ(world.GetType(kPrefsContainerId), scn::ValueType::Container);
}

TEST_F(PreferencesTest, NoFoldersWithoutAnExistingDataFolderAndNothingMadeUnderAMissingOne) {
  EXPECT_TRUE(GetCapturesFolder().IsEmpty()) << "no data folder set";
  const auto missing = temp_ / "missing";
  SetDataFolder(missing);
  EXPECT_TRUE(GetCapturesFolder().IsEmpty());
  EXPECT_TRUE(GetArModelsFolder().IsEmpty());
  EXPECT_FALSE(std::filesystem::exists(missing));
  temp_.Write("afile", "x");
  SetDataFolder(temp_ / "afile");  // a file is no data folder
  EXPECT_TRUE(GetCapturesFolder().IsEmpty());
}

TEST_F(PreferencesTest, AnExistingDataFolderGetsItsCapturesAndModelsFolders) {
  const auto data = temp_ / "data";
  std::filesystem::create_directory(data);
  SetDataFolder(data);
  EXPECT_EQ(GetCapturesFolder().GetString(), (data / "captures").string());
  EXPECT_TRUE(std::filesystem::is_directory(data / "captures"));
  EXPECT_FALSE(std::filesystem::exists(data / "armodels")) << "each accessor makes only its own folder";
  EXPECT_EQ(GetArModelsFolder().GetString(), (data / "armodels").string());
  EXPECT_TRUE(std::filesystem::is_directory(data / "armodels"));

  temp_.Write("data/captures/Take 1/capture.info", "kept");
  EXPECT_EQ(GetCapturesFolder().GetString(), (data / "captures").string());
  EXPECT_EQ(ReadFileBytes(data / "captures/Take 1/capture.info"), "kept")
      << "an existing folder is left alone";
}

TEST_F(PreferencesTest, DefaultsFillMissingAndWrongTypesAndKeepTheUsersValues) {
  struct Row {
    scn::Int32 id;
    scn::Value stored;  // monostate: nothing stored
    scn::Value after;
  };
  const std::vector<Row> rows = {
      {PrefPort, {}, scn::Int32(60001)},
      {PrefCustomIp, {}, scn::String()},
      {PrefUseCustomIp, {}, scn::Bool(true)},
      {PrefDataFolder, {}, scn::Filename()},
      {PrefPort, scn::Int32(5000), scn::Int32(5000)},
      {PrefCustomIp, scn::String("10.1.2.3"), scn::String("10.1.2.3")},
      {PrefUseCustomIp, scn::Bool(false), scn::Bool(false)},  // the switch turned off stays off
      {PrefDataFolder, scn::Filename("/d"), scn::Filename("/d")},
      {PrefPort, scn::String("60001"), scn::Int32(60001)},
      {PrefPort, scn::Float64(5000.0), scn::Int32(60001)},
      {PrefCustomIp, scn::Int32(7), scn::String()},
      {PrefUseCustomIp, scn::Int32(0), scn::Bool(true)},
      {PrefDataFolder, scn::String("/d"), scn::Filename()},
  };
  for (const auto& row : rows) {
    Prefs().Clear();
    if (!std::holds_alternative<std::monostate>(row.stored)) Prefs().Set(row.id, row.stored);
    EXPECT_TRUE(page_.InitNodeData(nullptr));
    const scn::Value* v = Prefs().Find(row.id);
    ASSERT_NE(v, nullptr) << row.id;
    EXPECT_EQ(*v, row.after) << "id " << row.id << ", stored type " << row.stored.index();
  }
}

TEST_F(PreferencesTest, WithADescriptionTheDefaultsGoIntoItsEntriesOnly) {
  scn::Description desc;
  ASSERT_TRUE(scn::ReadDescriptionResource(&desc, "arprefs"));
  desc.entries.erase(PrefDataFolder);  // an entry the description lacks is skipped
  for (scn::Int32 id : {PrefPort, PrefCustomIp, PrefUseCustomIp, PrefDataFolder})
    EXPECT_TRUE(page_.InitPageValues(id, &desc));
  EXPECT_TRUE(page_.InitPageValues(4711, &desc)) << "other ids set nothing";
  EXPECT_EQ(*desc.entries.at(PrefPort).Find(scn::kDescDefault), scn::Value(scn::Int32(60001)));
  EXPECT_EQ(*desc.entries.at(PrefCustomIp).Find(scn::kDescDefault), scn::Value(scn::String()));
  EXPECT_EQ(*desc.entries.at(PrefUseCustomIp).Find(scn::kDescDefault), scn::Value(scn::Bool(true)));
  EXPECT_FALSE(desc.entries.count(PrefDataFolder));
  EXPECT_TRUE(Prefs().Values().empty()) << "the container is not touched";
}

TEST_F(PreferencesTest, TheHooksStoreTheRightTypesAndRefuseValuesOfAnotherKind) {
  struct Row {
    scn::Int32 id;
    scn::Value in;
    bool accepted;
    scn::Value stored;
    scn::Value readBack;
  };
  const std::vector<Row> rows = {
      {PrefPort, scn::Int32(6000), true, scn::Int32(6000), scn::Int32(6000)},
      {PrefPort, scn::String("6000"), false, {}, scn::Int32(0)},
      // Ports are 1 to 65535, as the page's description says; a real is taken when it is such a port.
      {PrefPort, scn::Int32(1), true, scn::Int32(1), scn::Int32(1)},
      {PrefPort, scn::Int32(65535), true, scn::Int32(65535), scn::Int32(65535)},
      {PrefPort, scn::Float64(6000.0), true, scn::Int32(6000), scn::Int32(6000)},
      {PrefPort, scn::Int32(0), false, {}, scn::Int32(0)},
      {PrefPort, scn::Int32(-1), false, {}, scn::Int32(0)},
      {PrefPort, scn::Int32(70000), false, {}, scn::Int32(0)},
      {PrefPort, scn::Float64(1e10), false, {}, scn::Int32(0)},
      {PrefPort, scn::Float64(std::numeric_limits<double>::quiet_NaN()), false, {}, scn::Int32(0)},
      {PrefPort, scn::Float64(-std::numeric_limits<double>::infinity()), false, {}, scn::Int32(0)},
      {PrefPort, scn::Float64(0.5), false, {}, scn::Int32(0)},
      {PrefCustomIp, scn::String("192.168.0.9"), true, scn::String("192.168.0.9"),
       scn::String("192.168.0.9")},
      {PrefCustomIp, scn::Int32(1), false, {}, scn::String()},
      {PrefUseCustomIp, scn::Int32(0), true, scn::Bool(false), scn::Int32(0)},
      {PrefUseCustomIp, scn::Int32(5), true, scn::Bool(true), scn::Int32(1)},
      {PrefUseCustomIp, scn::String("1"), false, {}, scn::Int32(0)},
      {PrefUseCustomIp, scn::Float64(std::numeric_limits<double>::quiet_NaN()), false, {}, scn::Int32(0)},
      {PrefDataFolder, scn::Filename("/a/b"), true, scn::Filename("/a/b"), scn::Filename("/a/b")},
      {PrefDataFolder, scn::String("/c"), true, scn::Filename("/c"), scn::Filename("/c")},
      {PrefDataFolder, scn::Int32(3), false, {}, scn::Filename()},
  };
  for (const auto& row : rows) {
    Prefs().Clear();
    scn::Int32 flags = 0;
    EXPECT_EQ(page_.WriteParameterHook(nullptr, row.id, row.in, flags), row.accepted) << row.id;
    EXPECT_EQ((flags & scn::kParamSet) != 0, row.accepted);
    const scn::Value* stored = Prefs().Find(row.id);
    EXPECT_EQ(stored ? *stored : scn::Value{}, row.stored) << row.id;
    scn::Value out;
    flags = 0;
    EXPECT_TRUE(page_.ReadParameterHook(nullptr, row.id, out, flags));
    EXPECT_TRUE(flags & scn::kParamSet);
    EXPECT_EQ(out, row.readBack) << row.id;
  }
  scn::Value out;
  scn::Int32 flags = 0;
  EXPECT_TRUE(page_.ReadParameterHook(nullptr, 2000, out, flags));
  EXPECT_FALSE(flags & scn::kParamSet) << "other ids go to the base";
}

TEST_F(PreferencesTest, WithoutThePreferencesLibraryEverythingGoesToTheBase) {
  H().SetLibraryMissing(scn::kLibPreferences, true);
  EXPECT_EQ(GetPreferencesContainer(), nullptr);
  EXPECT_TRUE(GetCapturesFolder().IsEmpty());
  EXPECT_TRUE(GetArModelsFolder().IsEmpty());
  EXPECT_FALSE(page_.InitPageValues(PrefPort, nullptr));
  EXPECT_TRUE(page_.InitNodeData(nullptr));
  scn::Value out;
  scn::Int32 flags = 0;
  EXPECT_TRUE(page_.ReadParameterHook(nullptr, PrefPort, out, flags));
  EXPECT_FALSE(flags & scn::kParamSet);
  EXPECT_TRUE(page_.WriteParameterHook(nullptr, PrefPort, scn::Int32(1), flags));
  EXPECT_FALSE(flags & scn::kParamSet);
  EXPECT_TRUE(page_.IsParameterEnabled(nullptr, PrefCustomIp, scn::Container()));
  EXPECT_FALSE(RegisterARPreferences());
  EXPECT_TRUE(H().prefs().WorldSettings().Values().empty());
}

}  // namespace
