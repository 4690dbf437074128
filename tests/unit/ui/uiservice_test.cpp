// Dialogs opened through the host's UI table as a plug-in opens them: window lifecycle, layout calls and
// the HTML viewer gadget, with the host's misbehaviour reports.
#include "ui/uiservice.h"

#include <gtest/gtest.h>

#include <functional>

#include "inprocesshost.h"
#include "scn/api.h"
#include "scn/dialog.h"

namespace {

constexpr scn::Int32 kPluginId = 4242;

// A dialog whose layout and content steps the test chooses; it counts the host's calls.
class ScriptedDialog : public scn::HostDialog {
 public:
  std::function<bool(ScriptedDialog&)> layout = [](ScriptedDialog&) { return true; };
  bool contentResult = true;
  int builds = 0;
  int destroyed = 0;
  bool hadWindowWhenDestroyed = false;

  scn::Bool BuildLayout() override {
    ++builds;
    return scn::HostDialog::BuildLayout() && layout(*this);
  }
  scn::Bool InitContent() override { return contentResult; }
  void OnWindowDestroyed() override {
    ++destroyed;
    hadWindowWhenDestroyed = window_ != nullptr;
  }
};

bool Open(ScriptedDialog& d, scn::Int32 pluginId = kPluginId) {
  return scn::OpenDialog(&d, scn::kDialogNonModal, pluginId, -1, -1, 300, 200);
}

class UiServiceTest : public InProcessHostTest {
 protected:
  host::UiService& Ui() { return H().ui(); }
  // Takes the reports the test expects, so that the fixture's check sees only others.
  std::vector<std::string> TakeMisbehaviours() {
    auto reports = H().diagnostics().Misbehaviours();
    H().diagnostics().Clear();
    return reports;
  }
  static bool Mentions(const std::vector<std::string>& reports, const std::string& part) {
    for (const auto& r : reports)
      if (r.find(part) != std::string::npos) return true;
    return false;
  }
};

TEST_F(UiServiceTest, OpenBuildsTheLayoutAndRecordsTheWindow) {
  ScriptedDialog d;
  d.layout = [](ScriptedDialog& self) {
    self.SetTitle("Scripted");
    self.LayoutFlushGroup(7);
    self.GroupBegin(7, 63, 2, 0, "", 0);
    self.AddCustomGadget(scn::kLibHtmlViewer, "Viewer", 8, 63, 100, 100);
    self.GroupEnd();
    self.LayoutChanged(7);
    return true;
  };
  ASSERT_TRUE(Open(d));
  scn::DialogWindow* w = Ui().FindWindow(kPluginId);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(d.window_, w);
  EXPECT_EQ(w->dialog, &d);
  EXPECT_EQ(w->mode, scn::kDialogNonModal);
  EXPECT_EQ(w->placement.width, 300);
  EXPECT_EQ(w->title, "Scripted");
  EXPECT_EQ(w->commands,
            (std::vector<host::LayoutCommandRecord>{{scn::kLayoutFlushGroup, 7}, {scn::kLayoutChanged, 7}}));
  ASSERT_NE(w->FindGadget(8), nullptr);
  EXPECT_EQ(Ui().HtmlViewers(w), std::vector<scn::CustomGadget*>{w->FindGadget(8)});
  const std::string text = Ui().RenderText(w);
  EXPECT_NE(text.find("\"Scripted\""), std::string::npos) << text;
  EXPECT_NE(text.find("group 7"), std::string::npos) << text;
  EXPECT_NE(text.find("html viewer 8 \"Viewer\""), std::string::npos) << text;
}

TEST_F(UiServiceTest, UnbalancedGroupsAreReportedAsMisbehaviour) {
  struct Case {
    const char* label;
    std::function<bool(ScriptedDialog&)> layout;
    const char* report;
  };
  const Case cases[] = {
      {"an end without a begin",
       [](ScriptedDialog& d) {
         d.GroupBegin(1, 0, 1, 0, "", 0);
         d.GroupEnd();
         return !d.GroupEnd();  // the host refuses the extra end
       },
       "GroupEnd without an open group"},
      {"a group left open", [](ScriptedDialog& d) { return d.GroupBegin(1, 0, 1, 0, "", 0); },
       "left 1 group(s) open"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    ScriptedDialog d;
    d.layout = c.layout;
    EXPECT_TRUE(Open(d));
    EXPECT_TRUE(Mentions(TakeMisbehaviours(), c.report));
    // What follows the fault lands in the outermost layout again.
    EXPECT_EQ(d.window_->layout.OpenGroups(), 0u);
    EXPECT_TRUE(d.Close());
  }
}

TEST_F(UiServiceTest, AFailedLayoutOrContentDestroysTheWindowAgain) {
  struct Case {
    const char* label;
    bool layout;
    bool content;
  };
  for (const Case& c : {Case{"layout fails", false, true}, Case{"content fails", true, false}}) {
    SCOPED_TRACE(c.label);
    ScriptedDialog d;
    d.layout = [&](ScriptedDialog&) { return c.layout; };
    d.contentResult = c.content;
    EXPECT_FALSE(Open(d));
    EXPECT_EQ(d.window_, nullptr);
    EXPECT_TRUE(Ui().OpenWindows().empty());
    EXPECT_EQ(d.destroyed, 1) << "the dialog hears that its window went";
    EXPECT_TRUE(d.hadWindowWhenDestroyed);
  }
}

TEST_F(UiServiceTest, OpeningAnOpenDialogBringsItForwardWithoutBuildingAgain) {
  ScriptedDialog a, b;
  ASSERT_TRUE(Open(a, 1));
  ASSERT_TRUE(Open(b, 2));
  scn::DialogWindow* first = a.window_;
  EXPECT_EQ(Ui().OpenWindows().back(), b.window_);
  EXPECT_TRUE(Open(a, 1));
  EXPECT_EQ(a.builds, 1);
  EXPECT_EQ(a.window_, first);
  EXPECT_EQ(Ui().OpenWindows(), (std::vector<scn::DialogWindow*>{b.window_, a.window_}));
}

TEST_F(UiServiceTest, CloseTellsTheDialogWhileItsWindowStillExists) {
  ScriptedDialog d;
  ASSERT_TRUE(Open(d));
  EXPECT_TRUE(d.Close());
  EXPECT_EQ(d.destroyed, 1);
  EXPECT_TRUE(d.hadWindowWhenDestroyed);
  EXPECT_EQ(d.window_, nullptr);
  EXPECT_FALSE(d.Close()) << "closing a closed dialog";
  EXPECT_TRUE(Open(d)) << "a closed dialog opens again";
  EXPECT_EQ(d.builds, 2);
}

TEST_F(UiServiceTest, ADialogFreedWhileOpenTakesItsWindowAlong) {
  auto d = std::make_unique<ScriptedDialog>();
  ASSERT_TRUE(Open(*d));
  d.reset();
  EXPECT_TRUE(Ui().OpenWindows().empty());
}

TEST_F(UiServiceTest, CloseAllDestroysEveryWindow) {
  ScriptedDialog a, b;
  ASSERT_TRUE(Open(a, 1));
  ASSERT_TRUE(Open(b, 2));
  Ui().CloseAll();
  EXPECT_TRUE(Ui().OpenWindows().empty());
  EXPECT_EQ(a.destroyed + b.destroyed, 2);
  EXPECT_EQ(a.window_, nullptr);
  EXPECT_EQ(b.window_, nullptr);
}

TEST_F(UiServiceTest, RequestCloseAsksTheDialog) {
  struct StayingDialog : ScriptedDialog {
    bool stay = true;
    scn::Bool QueryClose() override { return stay; }
  } d;
  ASSERT_TRUE(Open(d));
  EXPECT_FALSE(Ui().RequestClose(d.window_));
  EXPECT_NE(d.window_, nullptr);
  d.stay = false;
  EXPECT_TRUE(Ui().RequestClose(d.window_));
  EXPECT_EQ(d.window_, nullptr);
}

TEST_F(UiServiceTest, CustomGadgetsOfMissingOrUnknownLibrariesAreNull) {
  ScriptedDialog d;
  scn::CustomGadget* unknown = reinterpret_cast<scn::CustomGadget*>(1);
  scn::CustomGadget* missing = reinterpret_cast<scn::CustomGadget*>(1);
  d.layout = [&](ScriptedDialog& self) {
    unknown = self.AddCustomGadget(123456, "Other", 1, 0, 10, 10);
    H().SetLibraryMissing(scn::kLibHtmlViewer, true);
    missing = self.AddCustomGadget(scn::kLibHtmlViewer, "Viewer", 2, 0, 10, 10);
    return true;
  };
  ASSERT_TRUE(Open(d));
  EXPECT_EQ(unknown, nullptr);
  EXPECT_EQ(missing, nullptr);
  EXPECT_TRUE(d.window_->gadgets.empty());
  EXPECT_FALSE(scn::SetHtmlViewerUrl(missing, "/x.html")) << "a null viewer takes no address";
}

TEST_F(UiServiceTest, AFlushedViewerIsGoneAndTheGroupIsRebuilt) {
  ScriptedDialog d;
  scn::CustomGadget* viewer = nullptr;
  d.layout = [&](ScriptedDialog& self) {
    self.GroupBegin(7, 63, 1, 0, "", 0);
    viewer = self.AddCustomGadget(scn::kLibHtmlViewer, "Viewer", 8, 63, 100, 100);
    self.GroupEnd();
    return true;
  };
  ASSERT_TRUE(Open(d));
  ASSERT_TRUE(scn::SetHtmlViewerUrl(viewer, "/first.html"));
  EXPECT_EQ(Ui().HtmlViewerUrl(viewer), "/first.html");

  ASSERT_TRUE(d.LayoutFlushGroup(7));
  EXPECT_TRUE(d.window_->gadgets.empty());
  EXPECT_FALSE(scn::SetHtmlViewerUrl(viewer, "/second.html"));
  EXPECT_TRUE(Mentions(TakeMisbehaviours(), "SetHtmlViewerUrl on a gadget that is not in an open window"));

  d.GroupBegin(7, 63, 1, 0, "", 0);
  scn::CustomGadget* again = d.AddCustomGadget(scn::kLibHtmlViewer, "Viewer", 8, 63, 100, 100);
  d.GroupEnd();
  EXPECT_TRUE(d.LayoutChanged(7));
  EXPECT_EQ(d.window_->FindGadget(8), again);
  EXPECT_EQ(d.window_->layout.Root().children.size(), 1u);
}

TEST_F(UiServiceTest, LayoutCommandsTheHostDoesNotKnowOrCannotApply) {
  ScriptedDialog d;
  ASSERT_TRUE(Open(d));
  const scn::UiTable& ui = *H().Tables()->ui;
  EXPECT_FALSE(d.LayoutFlushGroup(1)) << "a group not built yet";
  EXPECT_FALSE(d.LayoutChanged(1));
  EXPECT_TRUE(TakeMisbehaviours().empty());

  EXPECT_FALSE(ui.LayoutCommand(d.window_, 99, 1));
  EXPECT_TRUE(Mentions(TakeMisbehaviours(), "LayoutCommand 99 is unknown"));

  d.GroupBegin(1, 0, 1, 0, "", 0);
  d.GroupBegin(2, 0, 1, 0, "", 0);
  EXPECT_FALSE(d.LayoutFlushGroup(1));
  EXPECT_TRUE(Mentions(TakeMisbehaviours(), "while a group inside it is open"));
  d.GroupEnd();
  d.GroupEnd();
}

TEST_F(UiServiceTest, CallsOnAWindowThatWentAreMisbehaviour) {
  ScriptedDialog d;
  ASSERT_TRUE(Open(d));
  scn::DialogWindow* gone = d.window_;
  ASSERT_TRUE(d.Close());
  const scn::UiTable& ui = *H().Tables()->ui;
  EXPECT_FALSE(ui.SetTitle(gone, "late"));
  EXPECT_FALSE(ui.GroupBegin(gone, 1, 0, 1, 0, "", 0));
  EXPECT_EQ(ui.AddCustomGadget(gone, scn::kLibHtmlViewer, "Viewer", 1, 0, 1, 1), nullptr);
  const auto reports = TakeMisbehaviours();
  EXPECT_EQ(reports.size(), 3u);
  EXPECT_TRUE(Mentions(reports, "SetTitle on a window that is not open"));
}

TEST_F(UiServiceTest, OpeningNeedsADialogAndAKnownMode) {
  const scn::UiTable& ui = *H().Tables()->ui;
  EXPECT_FALSE(ui.OpenDialog(nullptr, scn::kDialogNonModal, 1, -1, -1, 0, 0));
  ScriptedDialog d;
  EXPECT_FALSE(ui.OpenDialog(&d, 7, 1, -1, -1, 0, 0));
  EXPECT_EQ(d.builds, 0);
  const auto reports = TakeMisbehaviours();
  EXPECT_TRUE(Mentions(reports, "OpenDialog without a dialog"));
  EXPECT_TRUE(Mentions(reports, "OpenDialog with unknown mode 7"));
}

TEST_F(UiServiceTest, RestoreNeedsTheLayoutDataTheHostHandedOut) {
  ScriptedDialog d;
  host::WindowPlacement foreign;
  EXPECT_FALSE(scn::RestoreDialogWindow(&d, kPluginId, 0, &foreign));
  EXPECT_TRUE(Mentions(TakeMisbehaviours(), "layout data the host did not hand out"));
  EXPECT_EQ(d.builds, 0);
  EXPECT_FALSE(Ui().RestoreCommandWindow(kPluginId, 0, {})) << "no command of that id";
}

TEST_F(UiServiceTest, AViewerKnowsWhetherItsPageExists) {
  const auto page = temp_.Write("help/index.html", "<html></html>");
  ScriptedDialog d;
  scn::CustomGadget* viewer = nullptr;
  d.layout = [&](ScriptedDialog& self) {
    viewer = self.AddCustomGadget(scn::kLibHtmlViewer, "Viewer", 8, 63, 100, 100);
    return true;
  };
  ASSERT_TRUE(Open(d));
  struct Case {
    std::string url;
    bool exists;
  };
  const Case cases[] = {
      {page.string(), true},
      {page.string() + "?id=1001", true},
      {(temp_ / "help/other.html").string(), false},
      {(temp_ / "help").string(), false},  // a folder is no page
      {"", false},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(scn::SetHtmlViewerUrl(viewer, c.url));
    EXPECT_EQ(Ui().HtmlViewerUrl(viewer), c.url);
    EXPECT_EQ(Ui().HtmlPageExists(viewer), c.exists) << c.url;
  }
}

}  // namespace
