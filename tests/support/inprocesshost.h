// A host in this process with the plug-in's code linked in: the tables are handed to the sdk directly.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "core/host.h"
#include "tempdir.h"

class InProcessHostTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Ends the host (saving its settings) and starts a new one on the same settings file.
  void RestartHost();

  host::Host& H() { return *host_; }
  TempDir temp_;
  std::unique_ptr<host::Host> host_;
};
