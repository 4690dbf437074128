// Existence tests, folder creation and folder walks through the sdk.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "files/fileservice.h"
#include "inprocesshost.h"
#include "scn/api.h"

namespace {

class FoldersTest : public InProcessHostTest {
 protected:
  void TearDown() override {
    EXPECT_EQ(host::FileService::LiveBrowsers(), 0);
    InProcessHostTest::TearDown();
  }
  scn::Filename At(const std::string& name) const { return (temp_ / name).string(); }
};

TEST_F(FoldersTest, FileExistsTellsFilesFromFolders) {
  temp_.Write("file.txt", "x");
  std::filesystem::create_directory(temp_ / "folder");
  struct Case {
    const char* name;
    bool asFile, asFolder;
  };
  const Case cases[] = {{"file.txt", true, false}, {"folder", false, true}, {"missing", false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(scn::FileExists(At(c.name), false), c.asFile);
    EXPECT_EQ(scn::FileExists(At(c.name), true), c.asFolder);
  }
  EXPECT_FALSE(scn::FileExists(scn::Filename(), true));
}

TEST_F(FoldersTest, CreateFolderMakesOneLevel) {
  EXPECT_TRUE(scn::CreateFolder(At("one")));
  EXPECT_TRUE(std::filesystem::is_directory(temp_ / "one"));
  EXPECT_TRUE(scn::CreateFolder(At("one"))) << "already there";
  EXPECT_FALSE(scn::CreateFolder(At("two/three"))) << "the parent is missing";
  EXPECT_FALSE(std::filesystem::exists(temp_ / "two"));
  temp_.Write("plain", "x");
  EXPECT_FALSE(scn::CreateFolder(At("plain"))) << "a file stands there";
  EXPECT_FALSE(scn::CreateFolder(scn::Filename()));
}

TEST_F(FoldersTest, BrowsingHandsOutEntriesInNameOrder) {
  const auto root = temp_ / "walk";
  std::filesystem::create_directories(root / "b_folder");
  std::filesystem::create_directories(root / "B");
  temp_.Write("walk/c.txt", "");
  temp_.Write("walk/a.txt", "");
  temp_.Write("walk/b_folder/inner.txt", "");
  temp_.Write("walk/.hidden", "");

  scn::FolderBrowser* b = scn::OpenFolderBrowser(root.string());
  ASSERT_NE(b, nullptr);
  std::vector<std::pair<std::string, bool>> seen;
  scn::Filename name;
  scn::Bool isDirectory = false;
  while (scn::BrowseNext(b, &name, &isDirectory)) seen.emplace_back(name.GetString(), isDirectory);
  EXPECT_FALSE(scn::BrowseNext(b, &name, &isDirectory)) << "stays at the end";
  scn::CloseFolderBrowser(b);
  EXPECT_EQ(b, nullptr);

  const std::vector<std::pair<std::string, bool>> expected = {
      {".hidden", false}, {"B", true}, {"a.txt", false}, {"b_folder", true}, {"c.txt", false}};
  EXPECT_EQ(seen, expected);
}

TEST_F(FoldersTest, BrowsingAnEmptyFolderEndsAtOnceAndAMissingOneGivesNull) {
  std::filesystem::create_directory(temp_ / "empty");
  scn::FolderBrowser* b = scn::OpenFolderBrowser(At("empty"));
  ASSERT_NE(b, nullptr);
  scn::Filename name;
  EXPECT_FALSE(scn::BrowseNext(b, &name, nullptr));
  scn::CloseFolderBrowser(b);

  EXPECT_EQ(scn::OpenFolderBrowser(At("missing")), nullptr);
  temp_.Write("file.txt", "x");
  EXPECT_EQ(scn::OpenFolderBrowser(At("file.txt")), nullptr);
}

}  // namespace
