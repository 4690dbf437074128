// The built plug-in module loaded into a host, as the real application loads it.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "core/host.h"
#include "module/pluginmodule.h"
#include "tempdir.h"

class LoadedHostTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Loads and initialises the module (action 1); the start is the test's.
  void LoadModule();
  // Loads, initialises and starts.
  void StartPlugin();
  // Ends the plug-in, frees the host (saving settings) and starts anew on the same settings file.
  void RestartHost();

  host::Host& H() { return *host_; }
  host::PluginModule& M() { return *module_; }
  TempDir temp_;
  std::unique_ptr<host::Host> host_;
  std::unique_ptr<host::PluginModule> module_;
};
