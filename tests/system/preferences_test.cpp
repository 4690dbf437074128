// The plug-in's preference page through the loaded module, as the host's preferences window runs it.
#include "preferences.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <limits>
#include <set>
#include <thread>
#include <vector>

#include "hostprocess.h"
#include "loadedhost.h"
#include "prefs/prefsservice.h"
#include "registry/registry.h"
#include "resources/description.h"
#include "scene/scenenode.h"
#include "scn/api.h"

namespace {

constexpr scn::Int32 kPage = 1040654;
constexpr scn::Int32 kStore = 1040655;

class PreferencesPageTest : public LoadedHostTest {
 protected:
  host::PrefsService& P() { return H().prefs(); }
  scn::Value Get(scn::Int32 id) { return P().GetPageValue(kPage, id); }
  scn::Container* Store() { return P().WorldSettings().GetContainerInstance(kStore); }
};

TEST_F(PreferencesPageTest, AFreshHostShowsTheDefaults) {
  StartPlugin();
  EXPECT_FALSE(P().WorldSettings().Has(kStore)) << "nothing stored before the page is used";
  ASSERT_NE(P().OpenPage(kPage), nullptr);
  ASSERT_NE(Store(), nullptr) << "the first access made the sub-container";
  EXPECT_EQ(Get(1000), scn::Value(scn::Int32(60001)));
  EXPECT_EQ(Get(1001), scn::Value(scn::String()));
  EXPECT_EQ(Get(1002), scn::Value(scn::Int32(1)));
  EXPECT_EQ(Get(1003), scn::Value(scn::Filename()));
  EXPECT_TRUE(P().IsPageParameterEnabled(kPage, 1001));

  // The host asked for defaults: they are in the page's description, with the names from the table.
  const scn::Description* desc = P().PageDescription(kPage);
  ASSERT_NE(desc, nullptr);
  EXPECT_EQ(*desc->Find(1000)->Find(scn::kDescDefault), scn::Value(scn::Int32(60001)));
  EXPECT_EQ(desc->Find(1003)->GetInt32(scn::kDescType), static_cast<scn::Int32>(host::DescType::Filename));
  EXPECT_FALSE(desc->Find(1000)->GetString(scn::kDescName).empty());
  EXPECT_EQ(P().OpenPage(kPage), P().OpenPage(kPage)) << "an open page opens once";
  P().ClosePage(kPage);
  EXPECT_EQ(H().memory().LiveBlocksAt("preferences.h"), 0u) << "closing frees the page";
}

TEST_F(PreferencesPageTest, ValuesSetThroughThePageSurviveARestart) {
  StartPlugin();
  ASSERT_NE(P().OpenPage(kPage), nullptr);
  EXPECT_TRUE(P().SetPageValue(kPage, 1000, scn::Int32(6123)));
  EXPECT_TRUE(P().SetPageValue(kPage, 1001, scn::String("192.168.4.20")));
  EXPECT_TRUE(P().SetPageValue(kPage, 1002, scn::Int32(0)));
  EXPECT_TRUE(P().SetPageValue(kPage, 1003, scn::Filename((temp_ / "data").string())));
  EXPECT_TRUE(P().SetPageValue(kPage, 2000, scn::Int32(9))) << "not a preference: the node keeps it";
  EXPECT_EQ(Get(2000), scn::Value(scn::Int32(9)));
  EXPECT_FALSE(Store()->Has(2000));
  P().ClosePage(kPage);

  RestartHost();
  ASSERT_NE(P().OpenPage(kPage), nullptr);
  EXPECT_EQ(Get(1000), scn::Value(scn::Int32(6123)));
  EXPECT_EQ(Get(1001), scn::Value(scn::String("192.168.4.20")));
  EXPECT_EQ(Get(1002), scn::Value(scn::Int32(0))) << "the switch turned off stays off";
  EXPECT_EQ(Get(1003), scn::Value(scn::Filename((temp_ / "data").string())));
  EXPECT_EQ(Store()->GetType(1002), scn::ValueType::Bool);
}

TEST_F(PreferencesPageTest, StoredValuesOfAnotherTypeAreResetWhenTheDefaultsApply) {
  StartPlugin();
  scn::Container stored;
  stored.SetString(1000, "60002");
  stored.SetString(1001, "10.0.0.1");
  stored.SetInt32(1003, 12);
  P().WorldSettings().SetContainer(kStore, stored);
  ASSERT_NE(P().OpenPage(kPage), nullptr);
  EXPECT_EQ(Get(1000), scn::Value(scn::Int32(60001)));
  EXPECT_EQ(Store()->GetType(1000), scn::ValueType::Int32);
  EXPECT_EQ(Get(1001), scn::Value(scn::String("10.0.0.1"))) << "a value of the right type stays";
  EXPECT_EQ(Get(1003), scn::Value(scn::Filename()));
}

TEST_F(PreferencesPageTest, ThePortTakes1To65535AndNoRealBeyondIt) {
  StartPlugin();
  scn::SceneNode* page = P().OpenPage(kPage);
  ASSERT_NE(page, nullptr);
  // Straight into the module's hook, as a host that does not look at the description would write.
  auto write = [&](const scn::Value& v) {
    scn::Int32 flags = 0;
    return page->nodeData->WriteParameterHook(page, 1000, v, flags);
  };
  const scn::Value refused[] = {scn::Float64(1e10),   scn::Float64(std::numeric_limits<double>::quiet_NaN()),
                                scn::Float64(-1e300), scn::Int32(0),
                                scn::Int32(-1),       scn::Int32(70000)};
  for (const scn::Value& v : refused) {
    EXPECT_FALSE(write(v)) << ::testing::PrintToString(v);
    EXPECT_EQ(Get(1000), scn::Value(scn::Int32(60001))) << "the port stays";
  }
  EXPECT_TRUE(write(scn::Float64(65535.0)));
  EXPECT_EQ(Store()->Find(1000) ? *Store()->Find(1000) : scn::Value{}, scn::Value(scn::Int32(65535)));
  EXPECT_TRUE(write(scn::Int32(1)));
  EXPECT_EQ(Get(1000), scn::Value(scn::Int32(1)));

  // The page's own field does not let a port outside the description's limits through.
  EXPECT_FALSE(P().SetPageValue(kPage, 1000, scn::Int32(70000)));
  EXPECT_FALSE(P().SetPageValue(kPage, 1000, scn::Float64(std::numeric_limits<double>::quiet_NaN())));
  EXPECT_TRUE(P().SetPageValue(kPage, 1000, scn::Int32(6000)));
  EXPECT_EQ(Get(1000), scn::Value(scn::Int32(6000)));
}

TEST_F(PreferencesPageTest, SetPrefRefusesAPortOutsideTheRangeAndKeepsTheStoredOne) {
  const std::string settings = ShellQuoted((temp_ / "cli-settings.bin").string());
  const HostOutcome set =
      RunHost("--quiet --settings " + settings + " --set-pref 1000=6000", temp_.path(), temp_);
  ASSERT_EQ(set.code, 0) << set.err;
  for (const char* port : {"0", "-1", "70000"}) {
    SCOPED_TRACE(port);
    const HostOutcome o = RunHost("--quiet --settings " + settings + " --set-pref 1000=" + port + " --prefs",
                                  temp_.path(), temp_);
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.err.find(std::string("preference 1000 refused the value ") + port + " (it takes 1 to 65535)"),
              std::string::npos)
        << o.err;
    EXPECT_NE(o.out.find("1000 port               6000"), std::string::npos) << o.out;
  }
}

// The phone link's reader thread asks for the captures folder while the user changes the data folder.
TEST_F(PreferencesPageTest, AnotherThreadReadsTheFoldersWhileThePageChangesTheDataFolder) {
  StartPlugin();
  ASSERT_TRUE(scn::SetHostTables(H().Tables()));  // the accessors in-process, as the reader thread calls them
  const std::filesystem::path a = temp_ / "a", b = temp_ / "b";
  std::filesystem::create_directories(a);
  std::filesystem::create_directories(b);
  ASSERT_NE(P().OpenPage(kPage), nullptr);
  ASSERT_TRUE(P().SetPageValue(kPage, 1003, scn::Filename(a.string())));

  std::atomic<bool> started{false}, done{false};
  std::vector<std::string> seen;
  std::thread reader([&] {
    while (!done.load()) {
      seen.push_back(GetCapturesFolder().GetString());
      seen.push_back(GetArModelsFolder().GetString());
      started.store(true);
    }
  });
  while (!started.load()) std::this_thread::yield();
  bool allSet = true;
  for (int i = 0; i < 2000; ++i)
    allSet = P().SetPageValue(kPage, 1003, scn::Filename((i % 2 ? a : b).string())) && allSet;
  done.store(true);
  reader.join();

  EXPECT_TRUE(allSet);
  const std::set<std::string> folders = {(a / "captures").string(), (a / "armodels").string(),
                                         (b / "captures").string(), (b / "armodels").string()};
  const auto odd =
      std::count_if(seen.begin(), seen.end(), [&](const std::string& f) { return !folders.count(f); });
  EXPECT_EQ(odd, 0) << "of " << seen.size() << " folders read";
}

TEST_F(PreferencesPageTest, TheAddressIsDisabledWhileTheSwitchIsOffAndKeepsItsText) {
  StartPlugin();
  ASSERT_NE(P().OpenPage(kPage), nullptr);
  ASSERT_TRUE(P().SetPageValue(kPage, 1001, scn::String("10.9.8.7")));
  ASSERT_TRUE(P().SetPageValue(kPage, 1002, scn::Int32(0)));
  EXPECT_FALSE(P().IsPageParameterEnabled(kPage, 1001));
  EXPECT_TRUE(P().IsPageParameterEnabled(kPage, 1000)) << "the other values stay enabled";
  EXPECT_EQ(Get(1001), scn::Value(scn::String("10.9.8.7")));
  ASSERT_TRUE(P().SetPageValue(kPage, 1002, scn::Int32(1)));
  EXPECT_TRUE(P().IsPageParameterEnabled(kPage, 1001));
}

TEST_F(PreferencesPageTest, TheRegistrationAndAPageWithoutItsDescription) {
  StartPlugin();
  const auto* reg = H().registry().Find(kPage, host::PluginKind::PreferencePage);
  ASSERT_NE(reg, nullptr);
  EXPECT_EQ(reg->description, "arprefs");
  EXPECT_EQ(reg->sortValue, 10000070);
  EXPECT_EQ(reg->name, "Kinetra Capture");

  H().SetLibraryMissing(scn::kLibDescriptions, true);
  EXPECT_EQ(P().OpenPage(kPage), nullptr) << "a page whose description does not load does not open";
  EXPECT_EQ(H().memory().LiveBlocksAt("preferences.h"), 0u);
  EXPECT_FALSE(P().SetPageValue(kPage, 1000, scn::Int32(1))) << "the page is not open";
}

TEST_F(PreferencesPageTest, AnOpenPageIsClosedBeforeThePluginGoes) {
  StartPlugin();
  ASSERT_NE(P().OpenPage(kPage), nullptr);
  H().registry().Clear();
  EXPECT_EQ(H().memory().LiveBlocksAt("preferences.h"), 0u);
}

// A plug-in folder of the built module with a resource folder of the test's own.
class BrokenStringTableTest : public LoadedHostTest,
                              public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(BrokenStringTableTest, LoadingTheStringResourceFails) {
  const auto plugin = temp_ / "plugin";
  std::filesystem::create_directories(plugin / "res");
  std::filesystem::copy_file(std::filesystem::path(KINETRA_PLUGIN_DIR) / "kinetra.so", plugin / "kinetra.so");
  std::filesystem::copy(std::filesystem::path(KINETRA_PLUGIN_DIR) / "res" / "descriptions",
                        plugin / "res" / "descriptions");
  if (const char* text = GetParam().second) temp_.Write("plugin/res/strings/strings.txt", text);
  std::string error;
  module_ = host::PluginModule::Load(H(), plugin, &error);
  ASSERT_TRUE(module_) << error;
  ASSERT_EQ(M().Init(), 1);
  EXPECT_EQ(M().Message(1, nullptr), -1);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, BrokenStringTableTest,
    ::testing::Values(std::pair<const char*, const char*>{"missing", nullptr},
                      std::pair<const char*, const char*>{"numberTwice", "10004 a\n10004 b\n"},
                      std::pair<const char*, const char*>{"lineWithoutNumber", "10004 a\nhello\n"}),
    [](const auto& info) { return std::string(info.param.first); });

}  // namespace
