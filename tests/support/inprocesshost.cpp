#include "inprocesshost.h"

#include "scn/api.h"

namespace {
void StartHost(std::unique_ptr<host::Host>& host, const TempDir& temp) {
  host.reset();
  host = std::make_unique<host::Host>(host::Host::Options{temp / "settings.bin", false});
  const auto plugin = temp / "plugin";
  std::filesystem::create_directories(plugin);
  std::error_code ec;
  if (!std::filesystem::exists(plugin / "res")) std::filesystem::create_directory_symlink(KINETRA_RESOURCE_DIR, plugin / "res", ec);
  host->SetPluginFolder(plugin);
  ASSERT_TRUE(scn::SetHostTables(host->Tables()));
}
}  // namespace

void InProcessHostTest::SetUp() { StartHost(host_, temp_); }

void InProcessHostTest::RestartHost() { StartHost(host_, temp_); }

void InProcessHostTest::TearDown() {
  const auto reports = host_->diagnostics().Misbehaviours();
  EXPECT_TRUE(reports.empty()) << reports.front();
  host_.reset();
}
