// Capture-reader tests: bytes written to a temporary file and opened as a host file for reading.
#pragma once

#include <string>

#include "inprocesshost.h"
#include "scn/api.h"

class CaptureFileTest : public InProcessHostTest {
 protected:
  void TearDown() override {
    scn::FreeFile(file_);
    InProcessHostTest::TearDown();
  }

  // The open file, valid until the next call or the end of the test.
  scn::HostFile* OpenText(const std::string& bytes, const std::string& name = "tokens.txt") {
    scn::FreeFile(file_);
    const auto path = temp_.Write(name, bytes);
    file_ = scn::AllocateFile();
    EXPECT_TRUE(scn::OpenFile(file_, path.string(), scn::kFileRead));
    return file_;
  }

  scn::HostFile* file_ = nullptr;
};
