// The address text the pairing code shows, from the preferences.
#include <gtest/gtest.h>

#include "inprocesshost.h"
#include "networking/lightmqtt.h"
#include "preferences.h"

namespace {

class ServerAddressTest : public InProcessHostTest {};

TEST_F(ServerAddressTest, CustomIpWithAndWithoutPortAndEmptyWhenSwitchedOff) {
  struct Case {
    bool useCustomIp;
    bool withPort;
    const char* expected;
  };
  const Case cases[] = {
      {true, false, "192.0.2.7"},
      {true, true, "192.0.2.7:60123"},
      {false, false, ""},
      {false, true, ""},  // no ":" and port without an address
  };
  scn::Container* prefs = GetPreferencesContainer();
  ASSERT_NE(prefs, nullptr);
  prefs->SetString(PrefCustomIp, "192.0.2.7");
  prefs->SetInt32(PrefPort, 60123);
  for (const Case& c : cases) {
    prefs->SetBool(PrefUseCustomIp, c.useCustomIp);
    EXPECT_EQ(GetServerAddressText(c.withPort), c.expected) << c.useCustomIp << c.withPort;
  }
}

}  // namespace
