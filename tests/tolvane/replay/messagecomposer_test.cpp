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
  place(10, 10.0, 0.0);    // the left team's last slot and the right team's first
  place(11, 25.0, 0.0);    // seen at 36.6 m: with its number
  place(12, 30.0, 0.0);    // 40.5 m: without it
  place(13, 48.0, 0.0);    // 60.4 m: neither team nor number
  place(14, 44.0, 0.0);    // 54.6 m: the team's name still
  ball(-12.5, 0.0);        // 2.5 m behind
  const std::string text = see();
  EXPECT_EQ(0u, text.find("(see 7 ((p \"Left\" 2) 11.10 0.00 0.00 0.00 0.00 0.00) "));
  EXPECT_NE(std::string::npos, text.find(" ((p \"Left\" 11) 20.10 0.00 0.00 0.00 0.00 0.00) ((p "
                                         "\"Right\" 1) 36.60 0.00 0.00 0.00 0.00 0.00) ((p "
                                         "\"Right\") 40.50 0.00) ((p) 0.00) ((p \"Right\") 54.60 "
                                         "0.00) "));
  EXPECT_NE(std::string::npos, text.find(" ((B) 2.80 -180.00 0.00 0.00) ((f c) 10.10 0.00 0.00 0.00)"));
  // A slot out of the match is seen by nobody.
  info.show.pos[1].mode = 0;
  EXPECT_EQ(std::string::npos, see().find("(p \"Left\" 2)"));
  info.show.pos[1].mode = 1;

  ball(-13.5, 0.0);
  EXPECT_EQ(std::string::npos, see().find("(B)"));

  // Team-mates 10 m off at these angles (90 exactly: straight across),
  // each seen only inside the cone of the view width.
  const double angles[] = {22.0, 23.0, 44.0, 46.0, 90.0, 91.0};
  const struct {
    int width;
    std::string seen;
  } cones[] = {{MessageComposer::NARROW, "100000"},
               {MessageComposer::WIDE, "111110"},
               {MessageComposer::NORMAL, "111000"}};
  for (int i = 0; i < 6; ++i) {
    const double a = angles[i] * M_PI / 180.0;
    place(i + 1, -10.0 + (i == 4 ? 0.0 : 10.0 * std::cos(a)), -10.0 * std::sin(a));
  }
  for (const auto& c : cones) {
    me().view_width = c.width << 16;
    const std::string text = see();
    std::string seen;
    for (int i = 0; i < 6; ++i)
      seen += text.find("\"Left\" " + std::to_string(i + 2) + ")") == std::string::npos ? '0' : '1';
    EXPECT_EQ(c.seen, seen) << c.width;
  }

  // Moving, the agent and a team-mate 36.87 degrees off: the changes of
  // distance and direction.
  place(1, -2.0, 6.0);
  me().deltax = fixed(0.5);
  me().deltay = fixed(-0.25);
  info.show.pos[1].deltax = fixed(1.5);
  info.show.pos[1].deltay = fixed(1.75);
  EXPECT_NE(std::string::npos, see().find(" ((p \"Left\" 2) 11.10 36.87 2.00 5.73 0.00 0.00) "));
}

// The lines from the centre spot.
TEST_F(ComposerTest, LinesFromTheCentre) {
  place(0, 0.0, 0.0);
  std::string text = see();
  // The flag on the agent's own spot has no direction: it is left out.
  EXPECT_EQ(std::string::npos, text.find("(f c)"));

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

  // Looking along the field and obliquely: the one line ahead, its angle's
  // sign by the side it is seen from.
  const struct {
    double sight;
    const char* line;
  } sights[] = {{0.0, "((l r) 53.00 90.00)"},    {20.0, "((l r) 56.30 70.00)"},
                {-20.0, "((l r) 56.30 -70.00)"}, {160.0, "((l l) 56.30 -70.00)"},
                {-160.0, "((l l) 56.30 70.00)"}, {45.0, "((l b) 48.50 -45.00)"},
                {135.0, "((l b) 48.50 45.00)"},  {-45.0, "((l t) 48.50 45.00)"},
                {-135.0, "((l t) 48.50 -45.00)"}};
  me().head_angle = 0;
  for (const auto& s : sights) {
    me().body_angle = radians(s.sight);
    text = see();
    const std::size_t at = text.find("((l ");
    EXPECT_EQ(s.line, text.substr(at, text.find(')', at + 6) + 1 - at));
    EXPECT_EQ(std::string::npos, text.find("((l ", at + 1)) << s.line;
  }
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
  // A direction only above 0.01 m per cycle.
  me().deltay = fixed(0.0075);
  EXPECT_NE(std::string::npos, sense().find("(speed 0.01 0.00)"));
  me().deltay = fixed(0.0125);
  EXPECT_NE(std::string::npos, sense().find("(speed 0.01 30.00)"));

  me().view_width = MessageComposer::NARROW << 16;
  EXPECT_NE(std::string::npos, sense().find("(view_mode low narrow)"));
  me().view_width = 2 << 16;
  EXPECT_NE(std::string::npos, sense().find("(view_mode low normal)"));
  info.mode = MSG_MODE;
  EXPECT_EQ("", sense());
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
