#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "predharness.h"

namespace {

class TeamCodec : public predtest::PredicateTest {
protected:
  void hear(const std::string& text) { world.getTeamMsg().setMsgString(text); }
  // The text of the say list the encoder goal answers with.
  std::string said(const std::string& goal) {
    const std::string answer = solve(goal);
    const std::size_t open = answer.find("[say,'");
    return open == std::string::npos
               ? answer
               : answer.substr(open + 6, answer.find('\'', open + 6) - open - 6);
  }
};

} // namespace

TEST_F(TeamCodec, SayTextsAreThePrintfFormatsByteForByte) {
  ball({-12.7, 5.3});
  EXPECT_EQ("bX-13Y  5Z", said("say_ball_pos(C)"));
  ball({0.4, -0.4});
  EXPECT_EQ("bX  0Y -0Z", said("say_ball_pos(C)"));
  ball({2.5, 3.5});
  EXPECT_EQ("bX  2Y  4Z", said("say_ball_pos(C), queue_up(C)"));
  EXPECT_EQ("(say bX  2Y  4Z)", Actuator::instance()->actionString());
  EXPECT_EQ("p7 20Y -6", said("say_pass(7, 20.4, -5.6, C)"));
  EXPECT_EQ("pA 30Y  0", said("say_pass(10, 30, 0, C)"));
  EXPECT_EQ("pB -5Y 12", said("say_pass(11, -5, 12, C)"));
  // 2^187 takes 57 digits, which fills the 63 characters; 2^190 takes one more.
  EXPECT_EQ(63u, said("say_pass(1, 1.9623246170463048e+56, 0, C)").size());
  EXPECT_EQ("fail", solve("say_pass(1, 1.5692092991770008e+57, 0, C)"));
  EXPECT_EQ("ERROR: say_pass/4: no say message for the point (1.56921e+57, 0)\n", err);
  // Read back, "p12" would be a pass to 1.
  EXPECT_EQ("fail", solve("say_pass(12, 1, 1, C)"));
  EXPECT_EQ("ERROR: say_pass/4: uniform number between 1 and 11 expected (value: 12) for "
            "argument 1\n",
            err);
  EXPECT_EQ("fail", solve("say_pass(seven, 1, 1, C)"));
  EXPECT_EQ("", err);
}

TEST_F(TeamCodec, HeardTextsDecodeOrFailAndRoundTrip) {
  const std::pair<const char*, const char*> ballCases[] = {
      {"bX-13Y  5Z", "hear_ball_pos(-13.0,5.0)"},
      {"bXYZ", "hear_ball_pos(0.0,0.0)"},
      {"bX 10Y 20", "fail"},
      {"bX1e999Y 1Z", "fail"},
      {"p7 20Y -6", "fail"}};
  for (const auto& c : ballCases) {
    hear(c.first);
    EXPECT_EQ(c.second, solve("hear_ball_pos(X, Y)")) << c.first;
  }
  const std::pair<const char*, const char*> passCases[] = {{"p7 20Y -6", "hear_pass(7,20.0,-6.0)"},
                                                           {"pA 30Y  0", "hear_pass(10,30.0,0.0)"},
                                                           {"pB -5Y 12", "hear_pass(11,-5.0,12.0)"},
                                                           {"p", "fail"},
                                                           {"p7", "fail"},
                                                           {"px 20Y 3", "fail"},
                                                           {"bX 10Y 20Z", "fail"}};
  ::testing::internal::CaptureStdout();
  for (const auto& c : passCases) {
    hear(c.first);
    EXPECT_EQ(c.second, solve("hear_pass(U, X, Y)")) << c.first;
  }
  // The receiver is unified last: the values are printed all the same.
  hear("p7 20Y -6");
  EXPECT_EQ("fail", solve("hear_pass(3, X, Y)"));
  EXPECT_EQ("v1 =  20 v2 =  -6\nv1 =  30 v2 =   0\nv1 =  -5 v2 =  12\nv1 =  20 v2 =  -6\n",
            ::testing::internal::GetCapturedStdout());

  ball({-51.6, 33.5});
  hear(said("say_ball_pos(C)"));
  EXPECT_EQ("hear_ball_pos(-52.0,34.0)", solve("hear_ball_pos(X, Y)"));
  ::testing::internal::CaptureStdout();
  for (const std::string n : {"1", "9", "10", "11"}) {
    hear(said("say_pass(" + n + ", -7.2, 0.5, C)"));
    EXPECT_EQ("hear_pass(" + n + ",-7.0,0.0)", solve("hear_pass(U, X, Y)"));
  }
  ::testing::internal::GetCapturedStdout();
}
