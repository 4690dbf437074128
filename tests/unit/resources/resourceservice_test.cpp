// The host's resource service through the sdk calls the plug-in makes.
#include "resources/resourceservice.h"

#include <gtest/gtest.h>

#include <fstream>

#include "inprocesshost.h"
#include "scn/api.h"

namespace {

class ResourceServiceTest : public InProcessHostTest {
 protected:
  // A plug-in folder of the test's own, so that its resource files can be written.
  std::filesystem::path UseOwnResources() {
    const auto plugin = temp_ / "ownplugin";
    std::filesystem::create_directories(plugin / "res");
    H().SetPluginFolder(plugin);
    return plugin / "res";
  }
};

TEST_F(ResourceServiceTest, TheShippedResourcesLoad) {
  ASSERT_TRUE(scn::InitPluginResource());
  EXPECT_EQ(scn::LoadResourceString(10004), "Kinetra Capture");
  EXPECT_EQ(scn::LoadResourceString(123456), "") << "unknown number";
  scn::Description desc;
  ASSERT_TRUE(scn::ReadDescriptionResource(&desc, "arprefs"));
  for (scn::Int32 id : {1000, 1001, 1002, 1003}) {
    const scn::Container* entry = scn::GetDescriptionEntry(&desc, id);
    ASSERT_NE(entry, nullptr) << id;
    EXPECT_FALSE(entry->GetString(scn::kDescName).empty()) << "name text of " << id;
  }
  EXPECT_EQ(scn::GetDescriptionEntry(&desc, 4711), nullptr);
}

TEST_F(ResourceServiceTest, AFailedReloadKeepsTheTableLoadedBefore) {
  const auto res = UseOwnResources();
  EXPECT_FALSE(scn::InitPluginResource()) << "no table yet";
  EXPECT_TRUE(H().diagnostics().Contains("string table missing"));
  std::filesystem::create_directories(res / "strings");
  std::ofstream(res / "strings/strings.txt") << "10004 first\n";
  ASSERT_TRUE(scn::InitPluginResource());
  std::ofstream(res / "strings/strings.txt") << "10004 second\nno number\n";
  EXPECT_FALSE(scn::InitPluginResource());
  EXPECT_TRUE(H().diagnostics().Contains("malformed: line 2"));
  EXPECT_EQ(scn::LoadResourceString(10004), "first");
}

TEST_F(ResourceServiceTest, ADescriptionAddsToWhatIsThereAndAFailureChangesNothing) {
  const auto res = UseOwnResources();
  std::filesystem::create_directories(res / "descriptions");
  std::ofstream(res / "descriptions/base.desc") << "1 LONG 0 default=1\n2 BOOL 0\n";
  std::ofstream(res / "descriptions/more.desc") << "2 REAL 0\n3 STRING 0\n";
  std::ofstream(res / "descriptions/broken.desc") << "4 LONG 0\n5 NOPE 0\n";
  scn::Description desc;
  ASSERT_TRUE(scn::ReadDescriptionResource(&desc, "base"));
  ASSERT_TRUE(scn::ReadDescriptionResource(&desc, "more"));
  EXPECT_EQ(desc.order, (std::vector<scn::Int32>{1, 2, 3}));
  EXPECT_EQ(desc.entries.at(2).GetInt32(scn::kDescType), static_cast<scn::Int32>(host::DescType::Real));

  const auto before = desc.entries;
  EXPECT_FALSE(scn::ReadDescriptionResource(&desc, "broken"));
  EXPECT_TRUE(H().diagnostics().Contains("broken.desc malformed: line 2"));
  EXPECT_FALSE(scn::ReadDescriptionResource(&desc, "absent"));
  EXPECT_TRUE(desc.entries == before);
  EXPECT_EQ(desc.order, (std::vector<scn::Int32>{1, 2, 3}));
}

TEST_F(ResourceServiceTest, NamesCannotReachOutOfTheResourceFolder) {
  const auto res = UseOwnResources();
  // A description file one folder up that a name with folder parts would reach.
  std::filesystem::create_directories(res / "descriptions");
  std::ofstream(res / "outside.desc") << "1 LONG 0\n";
  scn::Description desc;
  for (const char* name : {"../outside", "..", "", "a/b", "a\\b"}) {
    EXPECT_FALSE(scn::ReadDescriptionResource(&desc, name)) << name;
  }
  EXPECT_TRUE(desc.entries.empty());
  EXPECT_EQ(scn::LoadIconBitmap("../outside.desc"), nullptr);
  EXPECT_TRUE(H().diagnostics().Contains("icon name refused"));
}

TEST_F(ResourceServiceTest, WithoutTheDescriptionLibraryNothingLoads) {
  H().SetLibraryMissing(scn::kLibDescriptions, true);
  scn::Description desc;
  EXPECT_FALSE(scn::ReadDescriptionResource(&desc, "arprefs"));
  EXPECT_EQ(scn::GetDescriptionEntry(&desc, 1000), nullptr);
}

}  // namespace
