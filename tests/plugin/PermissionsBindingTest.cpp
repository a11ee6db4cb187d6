// The permissions plugin cannot be bound: nobody is in any group, and the log says why once per
// load rather than at every command.

#include "commands/TrackLimit.h"
#include "host/Framework.h"
#include "support/PluginFixture.h"

namespace {

using namespace packsentinel;

constexpr const char* kPermissionsLibrary = "libPermissions.so";

class PermissionsBindingTest : public testing_support::PluginFixture {
 protected:
  ~PermissionsBindingTest() override { host::BindPermissionsFrom(kPermissionsLibrary); }
};

TEST_F(PermissionsBindingTest, NobodyIsInAGroupAndTheLogSaysSoOncePerLoad) {
  auto& alice = AddPlayer("alice", 1);
  game.SetGroups(alice, {"Default", "Vip"});
  host::BindPermissionsFrom("libNoSuchPermissions.so");

  for (int load = 1; load <= 2; ++load) {
    SCOPED_TRACE(load);
    Load();
    framework::Events().ClearRetained();

    EXPECT_FALSE(HasCommandPermission(1, {"Default", "Vip"}));
    EXPECT_EQ(GetTrackLimit(Controller(alice)), 10) << "the limit of a player in no group";
    game.Chat(&alice, "/trackdino rex");
    game.Chat(&alice, "/trackmates on");
    const auto replies = EventsOf("chat");
    ASSERT_EQ(replies.size(), 2u);
    for (const auto& reply : replies) {
      EXPECT_EQ(reply["text"], "You are not allowed to use this command.");
    }

    const auto logs = EventsOf("log");
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(logs[0]["logger"], "Packsentinel");
    EXPECT_EQ(logs[0]["level"], "error");
    EXPECT_EQ(logs[0]["text"].get<std::string>().rfind("Can't ask the permissions plugin: ", 0),
              0u);
    EXPECT_NE(logs[0]["text"].get<std::string>().find("libNoSuchPermissions.so is not loaded"),
              std::string::npos);

    Unload();
  }

  // The permissions plugin may come later: the next check finds it. Its groups ignore case.
  Load();
  host::BindPermissionsFrom(kPermissionsLibrary);
  EXPECT_TRUE(HasCommandPermission(1, {"default"}));
  EXPECT_EQ(GetTrackLimit(Controller(alice)), 20);
}

}  // namespace
