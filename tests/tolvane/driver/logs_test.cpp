#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/tolvane/driver/driver_util.h"
#include "tests/tolvane/replay/replay_util.h"
#include "tolvane/clientparam.h"

namespace {

bool exists(const std::string& file) {
  struct stat st;
  return stat(file.c_str(), &st) == 0;
}

void logLine(unsigned int zone, const std::string& text,
             vomar::ForwarderStreamBuf::Priority p = vomar::ForwarderStreamBuf::S_NORMAL) {
  vomar::prefixedLine(p, zone) << text << "\n";
}

// A player told its side and number opens its logs.
void openLogs(TestPlayer& p, const char* init) {
  p.parse(init);
  p.WM().includeSensed(p.WMS);
  p.initLogs();
}

} // namespace

TEST(Logs, FileNamesAndWhatEachFileGets) {
  char dirTemplate[] = "/tmp/tolvane-logs-XXXXXX";
  const std::string dir = mkdtemp(dirTemplate);
  ASSERT_EQ(0, mkdir((dir + "/logs").c_str(), 0700));
  ClientParam* cp = ClientParam::instance();
  cp->my_team_name = "Blue";

  const std::string messageLog = dir + "/logs/Blue7-l-message.log";
  const std::string actionLog = dir + "/Blue7-l-actions.log";
  {
    std::ofstream(messageLog) << "older game\n";
    cp->save_message_log = true;
    cp->save_action_log = true;
    cp->message_log_dir = dir + "/logs";
    cp->action_log_dir = dir + "/";
    TestPlayer p;
    openLogs(p, "(init l 7 before_kick_off)");
    EXPECT_EQ(150, vomar::Forwarder::instance(8192)->maxLogLevel());
    p.parse("(splat)");
    p.parse("(see 1 ((b) nan 0))");
    logLine(1100, "bridge line");
    for (unsigned int z : {1019u, 1020u, 1050u, 1051u, 1079u, 1080u, 1229u, 1230u})
      logLine(z, "zone " + std::to_string(z), vomar::ForwarderStreamBuf::S_TRACER);
    vomar::Forwarder::instance(8192)->flush();
  }
  // The player is gone and its files with it; the log stream goes on.
  logLine(1900, "after the player");
  vomar::Forwarder::instance(8192)->flush();

  const std::string messages = replaytest::readFile(messageLog);
  const std::string actions = replaytest::readFile(actionLog);
  EXPECT_EQ(std::string::npos, messages.find("older game"));
  EXPECT_NE(std::string::npos, messages.find("bridge line\n"));
  EXPECT_EQ(std::string::npos, messages.find("splat"));
  // Warnings too: a refused number shows where the user looks.
  EXPECT_NE(std::string::npos, messages.find("refused a sighting"));
  EXPECT_EQ(std::string::npos, messages.find("after the player"));
  EXPECT_NE(std::string::npos, actions.find("unknown message received from server (splat)\n"));
  EXPECT_EQ(std::string::npos, actions.find("bridge line"));
  // The action log takes the tracer lines of its two zone ranges, ends
  // included.
  std::string zones;
  for (unsigned int z : {1019u, 1020u, 1050u, 1051u, 1079u, 1080u, 1229u, 1230u})
    if (actions.find("zone " + std::to_string(z) + "\n") != std::string::npos)
      zones += std::to_string(z) + " ";
  EXPECT_EQ("1020 1050 1080 1229 ", zones);

  {
    cp->save_message_log = false;
    TestPlayer p;
    openLogs(p, "(init r 11 play_on)");
  }
  EXPECT_TRUE(exists(dir + "/Blue11-r-actions.log"));
  EXPECT_FALSE(exists(dir + "/logs/Blue11-r-message.log"));

  cp->save_action_log = false;
  cp->message_log_dir = "./";
  cp->action_log_dir = "./";
  unlink(messageLog.c_str());
  unlink(actionLog.c_str());
  unlink((dir + "/Blue11-r-actions.log").c_str());
  rmdir((dir + "/logs").c_str());
  rmdir(dir.c_str());
}
