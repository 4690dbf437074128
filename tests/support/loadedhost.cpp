#include "loadedhost.h"

#include "registry/registry.h"
#include "scene/sceneservice.h"

void LoadedHostTest::SetUp() { host_ = std::make_unique<host::Host>(host::Host::Options{temp_ / "settings.bin", false}); }

void LoadedHostTest::LoadModule() {
  std::string error;
  module_ = host::PluginModule::Load(*host_, KINETRA_PLUGIN_DIR, &error);
  ASSERT_TRUE(module_) << error;
  ASSERT_EQ(module_->Init(), 1);
}

void LoadedHostTest::StartPlugin() {
  LoadModule();
  // The host loads the string resource before the start, whose registrations read it.
  ASSERT_EQ(module_->Message(1, nullptr), 1);
  ASSERT_TRUE(module_->Start());
}

void LoadedHostTest::RestartHost() {
  if (module_) module_->End();
  module_.reset();
  host_.reset();
  host_ = std::make_unique<host::Host>(host::Host::Options{temp_ / "settings.bin", false});
  StartPlugin();
}

void LoadedHostTest::TearDown() {
  // Documents go before the module: their plug-in nodes run its code when freed.
  host_->scene().FreeAll();
  if (module_) module_->End();
  const auto reports = host_->diagnostics().Misbehaviours();
  EXPECT_TRUE(reports.empty()) << reports.front();
  // The host frees the plug-in's objects while the module is still mapped.
  host_->registry().Clear();
  module_.reset();
  host_.reset();
}
