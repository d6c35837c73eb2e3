#include "tolvane/messagecomposer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "testutil/logcapture.h"

namespace {

std::int32_t fixed(double v) { return static_cast<std::int32_t>(std::lround(v * 65536.0)); }
std::int32_t radians(double deg) { return fixed(deg * M_PI / 180.0); }

// A show record with every player far off the field, so that only what a
// case places is seen; the chosen player, slot 0, stands 10 m left of the
// centre spot, facing +x with a normal, high view.
struct ComposerTest : ::testing::Test {
  ComposerTest() {
    info.mode = SHOW_MODE;
    info.show.time = 7;
    for (player_t& p : info.show.pos) {
      p.mode = 1;
      p.x = fixed(5000.0);
      p.view_width = MessageComposer::NORMAL << 16;
      p.view_quality = MessageComposer::HIGH;
    }
    info.show.ball.x = fixed(5000.0);
    composer.setPlayer(0);
    composer.setTeamNames("Left", "Right");
    place(0, -10.0, 0.0);
  }
  template <class T>
  static void put(T& object, double x, double y) {
    object.x = fixed(x);
    object.y = fixed(y);
  }
  void place(int slot, double x, double y) { put(info.show.pos[slot], x, y); }
  void ball(double x, double y) { put(info.show.ball, x, y); }
  std::string sense() {
    composer.composeSenseMessage(info, buffer);
    return buffer;
  }
  // The see text, after the sense_body text that sets its view cone.
  std::string see() {
    composer.composeSenseMessage(info, nullptr);
    composer.composeSeeMessage(info, buffer);
    return buffer;
  }
  player_t& me() { return info.show.pos[0]; }

  dispinfo_t2 info{};
  MessageComposer composer;
  char buffer[Connection::BUFFER_SIZE];
};

} // namespace

// Quantised distances, names by distance, the cone and the short names.
TEST_F(ComposerTest, SeenObjectsByDistanceAndCone) {
  place(1, 0.0, 0.0);      // 10 m ahead: a team-mate, named in full
  place(12, 30.0, 0.0);    // 40 m: without its number
  place(13, 55.0, 0.0);    // 65 m: neither team nor number
  ball(-12.5, 0.0);        // 2.5 m behind
  const std::string text = see();
  EXPECT_EQ(0u, text.find("(see 7 ((p \"Left\" 2) 11.10 0.00 0.00 0.00 0.00 0.00) "));
  EXPECT_NE(std::string::npos, text.find(" ((p \"Right\") 40.50 0.00) ((p) 0.00) "));
  EXPECT_NE(std::string::npos, text.find(" ((B) 2.80 -180.00 0.00 0.00) ((f c) 10.10 0.00 0.00 0.00)"));
  EXPECT_EQ(text.size() - 2, text.rfind(")\n"));
  // A slot out of the match is seen by nobody.
  info.show.pos[1].mode = 0;
  EXPECT_EQ(std::string::npos, see().find("(p \"Left\" 2)"));

  ball(-13.5, 0.0);
  EXPECT_EQ(std::string::npos, see().find("(B)"));

  // 30 degrees off the view: inside a normal cone, outside a narrow one.
  ball(-10.0 + 10.0 * std::cos(M_PI / 6), 10.0 * std::sin(M_PI / 6));
  EXPECT_NE(std::string::npos, see().find(" ((b) 11.10 30.00 "));
  me().view_width = MessageComposer::NARROW << 16;
  EXPECT_EQ(std::string::npos, see().find("(b)"));
}

// The lines from the centre spot: looking along a touch line sees only the
// line ahead; looking down at the bottom line sees it and not the top one.
TEST_F(ComposerTest, LinesFromTheCentre) {
  place(0, 0.0, 0.0);
  std::string text = see();
  EXPECT_NE(std::string::npos, text.find(" ((l r) 53.00 90.00))\n"));
  for (const char* other : {"(l t)", "(l b)", "(l l)"})
    EXPECT_EQ(std::string::npos, text.find(other)) << other;
  // The flag on the agent's own spot has no direction: it is left out.
  EXPECT_EQ(std::string::npos, text.find("(f c)"));
  EXPECT_EQ(std::string::npos, text.find("nan"));
  EXPECT_EQ(std::string::npos, text.find("inf"));

  // Facing +y: the bottom line ahead, and a team-mate 10 m ahead whose body
  // and head directions are told relative to the agent's head.
  me().body_angle = radians(45.0);
  me().head_angle = radians(45.0);
  place(1, 0.0, 10.0);
  info.show.pos[1].body_angle = radians(120.0);
  info.show.pos[1].head_angle = radians(30.0);
  text = see();
  EXPECT_NE(std::string::npos, text.find(" ((l b) 34.20 90.00 0.00 0.00)"));
  EXPECT_NE(std::string::npos, text.find(" ((p \"Left\" 2) 11.10 "));
  EXPECT_NE(std::string::npos, text.find("0.00 0.00 0.00 30.00 60.00) ((f c b)"));
  EXPECT_EQ(std::string::npos, text.find("(l t)"));
}

// Lower-case view modes, as the server writes them, and the motion relative
// to the head.
TEST_F(ComposerTest, SenseBodyText) {
  me().view_width = MessageComposer::WIDE << 16;
  me().view_quality = MessageComposer::LOW;
  me().stamina = fixed(3500.25);
  me().effort = fixed(0.75);
  me().kick_count = 3;
  me().chg_view_count = 2;
  EXPECT_EQ("(sense_body 7 (view_mode low wide) (stamina 3500.25 0.75) (speed 0.00 0.00) "
            "(head_angle 0.00) (kick 3) (dash 0) (turn 0) (say 0) (turn_neck 0) (catch 0) "
            "(move 0) (change_view 2))\n",
            sense());

  // Moving up the field, facing down with the head 30 degrees to the left.
  me().deltax = 0;
  me().deltay = fixed(-0.5);
  me().body_angle = radians(90.0);
  me().head_angle = radians(-30.0);
  EXPECT_NE(std::string::npos, sense().find("(speed 0.50 -150.00) (head_angle -30.00)"));

  testutil::LogCapture log({1068});
  me().view_width = 2 << 16;
  EXPECT_NE(std::string::npos, sense().find("(view_mode low normal)"));
  EXPECT_TRUE(log.has("unknown view width 2\n"));
  info.mode = MSG_MODE;
  EXPECT_EQ("", sense());
  EXPECT_TRUE(log.has("unexpected mode 2\n"));
}

// A text fills a buffer exactly, with its closing NUL; one byte less leaves
// out the whole sense_body text, or the sight's last object but not its
// closing ")\n". A slot that names no player is refused.
TEST_F(ComposerTest, ExactFitAndBadSlot) {
  testutil::LogCapture log({1068});
  EXPECT_FALSE(composer.setPlayer(22));
  EXPECT_EQ(0, composer.getPlayer());
  const std::string body = sense(), full = see();
  composer.composeSenseMessage(info, buffer, body.size() + 1);
  EXPECT_EQ(body, buffer);
  composer.composeSenseMessage(info, buffer, body.size());
  EXPECT_EQ("", std::string(buffer));
  composer.composeSeeMessage(info, buffer, full.size() + 1);
  EXPECT_EQ(full, buffer);
  composer.composeSeeMessage(info, buffer, full.size());
  EXPECT_EQ(full.substr(0, full.rfind(" (")) + ")\n", buffer);
}
