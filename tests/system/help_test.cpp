// The help command and its dialog, through the loaded module.
#include <gtest/gtest.h>

#include <filesystem>

#include "loadedhost.h"
#include "registry/registry.h"
#include "resources/resourceservice.h"
#include "tempdir.h"
#include "ui/uiservice.h"

namespace {

constexpr int kHelpCommand = 1050446;

class HelpTest : public LoadedHostTest {
 protected:
  host::UiService& Ui() { return H().ui(); }
  scn::DialogWindow* HelpWindow() { return Ui().FindWindow(kHelpCommand); }
  std::string StartPage() {
    return (std::filesystem::path(KINETRA_PLUGIN_DIR) / "res" / "help" / "index.html").string();
  }
};

TEST_F(HelpTest, TheHelpCommandOpensTheStartPageInAnHtmlViewer) {
  StartPlugin();
  ASSERT_TRUE(H().registry().RunCommand(kHelpCommand, 0));
  scn::DialogWindow* w = HelpWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(w->title.empty());
  EXPECT_EQ(w->title, H().resources().String(11023));
  EXPECT_EQ(w->mode, scn::kDialogNonModal);
  EXPECT_EQ(w->placement.x, -1);
  EXPECT_EQ(w->placement.width, 1024);
  EXPECT_EQ(w->placement.height, 1024);
  EXPECT_EQ(w->commands, (std::vector<host::LayoutCommandRecord>{{scn::kLayoutFlushGroup, 1000},
                                                                 {scn::kLayoutChanged, 1000}}));

  const host::LayoutItem* group = w->FindGroup(1000);
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->flags, 63);
  EXPECT_EQ(group->columns, 2);
  EXPECT_EQ(group->rows, 0);
  EXPECT_EQ(group->title, "");
  ASSERT_EQ(group->children.size(), 1u);
  const scn::CustomGadget* viewer = group->children[0]->gadget;
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->libraryId, scn::kLibHtmlViewer);
  EXPECT_EQ(viewer->name, "HtmlPreview");
  EXPECT_EQ(viewer->id, 1001);
  EXPECT_EQ(viewer->flags, 63);
  EXPECT_EQ(viewer->minWidth, 100);
  EXPECT_EQ(viewer->minHeight, 100);
  EXPECT_EQ(Ui().HtmlViewers(w).size(), 1u);

  EXPECT_EQ(Ui().HtmlViewerUrl(viewer), StartPage());
  EXPECT_TRUE(Ui().HtmlPageExists(viewer));
}

TEST_F(HelpTest, WithoutTheHtmlViewerLibraryTheWindowOpensEmpty) {
  StartPlugin();
  H().SetLibraryMissing(scn::kLibHtmlViewer, true);
  EXPECT_TRUE(H().registry().RunCommand(kHelpCommand, 0));
  scn::DialogWindow* w = HelpWindow();
  ASSERT_NE(w, nullptr);
  ASSERT_NE(w->FindGroup(1000), nullptr);
  EXPECT_TRUE(w->FindGroup(1000)->children.empty());
  EXPECT_TRUE(Ui().HtmlViewers(w).empty());
  // Running it again with the window open passes no address to a viewer that is not there.
  EXPECT_TRUE(H().registry().RunCommand(kHelpCommand, 0));
}

TEST_F(HelpTest, RunningTheCommandTwiceReusesTheOneWindow) {
  StartPlugin();
  ASSERT_TRUE(H().registry().RunCommand(kHelpCommand, 0));
  scn::DialogWindow* first = HelpWindow();
  ASSERT_TRUE(H().registry().RunCommand(kHelpCommand, 0));
  EXPECT_EQ(Ui().OpenWindows(), std::vector<scn::DialogWindow*>{first});
  EXPECT_EQ(first->commands.size(), 2u) << "the layout was built once";
  EXPECT_EQ(Ui().HtmlViewerUrl(Ui().HtmlViewers(first).at(0)), StartPage());
}

TEST_F(HelpTest, AClosedWindowOpensAnewWithItsPage) {
  StartPlugin();
  ASSERT_TRUE(H().registry().RunCommand(kHelpCommand, 0));
  ASSERT_TRUE(Ui().RequestClose(HelpWindow()));
  EXPECT_TRUE(Ui().OpenWindows().empty());
  ASSERT_TRUE(H().registry().RunCommand(kHelpCommand, 0));
  scn::DialogWindow* w = HelpWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(Ui().HtmlViewerUrl(Ui().HtmlViewers(w).at(0)), StartPage());
}

TEST_F(HelpTest, RestoreWindowReopensTheHelpWindowWhereItWas) {
  StartPlugin();
  ASSERT_TRUE(H().registry().RunCommand(kHelpCommand, 0));
  ASSERT_TRUE(Ui().RequestClose(HelpWindow()));

  ASSERT_TRUE(Ui().RestoreCommandWindow(kHelpCommand, 0, {40, 30, 800, 600}));
  scn::DialogWindow* w = HelpWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->restored);
  EXPECT_EQ(w->placement.x, 40);
  EXPECT_EQ(w->placement.height, 600);
  EXPECT_EQ(w->title, H().resources().String(11023));
  ASSERT_EQ(Ui().HtmlViewers(w).size(), 1u);
  EXPECT_EQ(Ui().HtmlViewerUrl(Ui().HtmlViewers(w)[0]), StartPage());

  // Restoring the open window brings it forward instead.
  EXPECT_TRUE(Ui().RestoreCommandWindow(kHelpCommand, 0, {0, 0, 10, 10}));
  EXPECT_EQ(Ui().OpenWindows(), std::vector<scn::DialogWindow*>{w});
  EXPECT_EQ(w->placement.x, 40);
}

TEST_F(HelpTest, TheHostEndingClosesTheHelpWindow) {
  StartPlugin();
  ASSERT_TRUE(H().registry().RunCommand(kHelpCommand, 0));
  // Freeing the command frees its dialog, which must take the window along.
  H().registry().Clear();
  EXPECT_TRUE(Ui().OpenWindows().empty());
}

TEST_F(HelpTest, TheHelpPageHasASectionForEveryPageIdThePlugInOpens) {
  const std::string page = ReadFileBytes(StartPage());
  ASSERT_FALSE(page.empty());
  // The ids of the help buttons and the capture manager's help menu entry.
  for (const char* id : {"1001", "1002", "1003", "1004", "1010"})
    EXPECT_NE(page.find(std::string("id=\"") + id + "\""), std::string::npos) << id;
  EXPECT_NE(page.find("60001"), std::string::npos) << "the preferences' default port";
  EXPECT_NE(page.find("captures"), std::string::npos) << "the data folder's captures folder";
}

}  // namespace
