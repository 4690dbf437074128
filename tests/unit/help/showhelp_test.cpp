// ShowHelp's page-id rule and the help command's registration, with the plug-in's code in-process.
#include <gtest/gtest.h>

#include <cstring>

#include "helpdialog.h"
#include "inprocesshost.h"
#include "registry/registry.h"
#include "ui/uiservice.h"

namespace {

class ShowHelpTest : public InProcessHostTest {
 protected:
  void SetUp() override {
    InProcessHostTest::SetUp();
    H().registry().SetStarting(true);
    ASSERT_TRUE(RegisterShowHelpCommand());
    H().registry().SetStarting(false);
  }

  std::string HelpFolder() { return (H().ResourceFolder() / "help").string() + "/"; }

  // The address in the help window's viewer; empty when there is no window or viewer.
  std::string ViewerUrl() {
    scn::DialogWindow* w = H().ui().FindWindow(kShowHelpCommandId);
    if (!w) return "";
    const auto viewers = H().ui().HtmlViewers(w);
    return viewers.size() == 1 ? H().ui().HtmlViewerUrl(viewers[0]) : "";
  }
};

TEST_F(ShowHelpTest, PageIdsAndThePagesTheyOpen) {
  struct Case {
    const char* label;
    const char* id;
    std::string page;
  };
  const std::string id99(99, '9');
  const std::string id100(100, '9');
  const Case cases[] = {
      {"null", nullptr, "index.html"},
      {"empty", "", "index.html"},
      {"a page id", "1003", "index.html?id=1003"},
      {"99 characters fit", id99.c_str(), "index.html?id=" + id99},
      {"100 characters do not", id100.c_str(), "index.html"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    // A page shown before must not leak into the next one.
    ShowHelp("1001");
    ASSERT_EQ(ViewerUrl(), HelpFolder() + "index.html?id=1001");
    ShowHelp(c.id);
    EXPECT_EQ(ViewerUrl(), HelpFolder() + c.page);
    const std::string expectedId = c.page == "index.html" ? "" : c.page.substr(std::strlen("index.html?id="));
    EXPECT_EQ(std::string(HelpPageId), expectedId);
  }
  EXPECT_EQ(H().ui().OpenWindows().size(), 1u) << "every call shows the page in the one help window";
}

TEST_F(ShowHelpTest, AnUnterminatedIdIsNotReadPastItsHundredthByte) {
  char id[kHelpPageIdSize];
  std::memset(id, '7', sizeof id);
  ShowHelp(id);
  EXPECT_EQ(ViewerUrl(), HelpFolder() + "index.html");
  EXPECT_EQ(HelpPageId[0], '\0');
}

TEST_F(ShowHelpTest, TheAddressOfAPageIdNamesAnExistingFile) {
  ShowHelp("1004");
  scn::DialogWindow* w = H().ui().FindWindow(kShowHelpCommandId);
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(H().ui().HtmlPageExists(H().ui().HtmlViewers(w).at(0))) << ViewerUrl();
}

TEST_F(ShowHelpTest, ShowHelpWithoutTheHelpCommandDoesNothing) {
  RestartHost();  // a host where nothing is registered
  ShowHelp("1001");
  EXPECT_TRUE(H().ui().OpenWindows().empty());
  EXPECT_STREQ(HelpPageId, "1001") << "the id is remembered for the next help command";
}

class RegisterShowHelpTest : public InProcessHostTest {};

TEST_F(RegisterShowHelpTest, TheCommandObjectIsTheHostsAlsoWhenItRefuses) {
  H().registry().SetStarting(true);
  H().registry().FailRegistration(kShowHelpCommandId);
  EXPECT_FALSE(RegisterShowHelpCommand());
  EXPECT_EQ(H().memory().LiveBlocksAt("helpdialog"), 0u);
  EXPECT_TRUE(RegisterShowHelpCommand());
  EXPECT_EQ(H().memory().LiveBlocksAt("helpdialog"), 1u);
  H().registry().SetStarting(false);
}

TEST_F(RegisterShowHelpTest, OutOfMemoryFailsTheRegistration) {
  H().memory().FailAllocationsAt("helpdialog");
  H().registry().SetStarting(true);
  EXPECT_FALSE(RegisterShowHelpCommand());
  H().registry().SetStarting(false);
  EXPECT_EQ(H().registry().Find(kShowHelpCommandId), nullptr);
  EXPECT_TRUE(H().diagnostics().Contains("Out of memory"));
}

}  // namespace
