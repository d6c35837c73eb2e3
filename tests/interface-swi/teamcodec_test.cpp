#include <gtest/gtest.h>

#include <string>

#include "predharness.h"

namespace {

class TeamCodec : public predtest::PredicateTest {
protected:
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

// Each text as the printf format makes it, and read back by a team-mate.
TEST_F(TeamCodec, SaidTextsDecodeBack) {
  const struct {
    Vector2D at;
    const char *text, *heard;
  } balls[] = {{{-12.7, 5.3}, "bX-13Y  5Z", "hear_ball_pos(-13.0,5.0)"},
               {{0.4, -0.4}, "bX  0Y -0Z", "hear_ball_pos(0.0,-0.0)"},
               {{2.5, 3.5}, "bX  2Y  4Z", "hear_ball_pos(2.0,4.0)"}};
  for (const auto& b : balls) {
    ball(b.at);
    EXPECT_EQ(b.text, said("say_ball_pos(C)"));
    heard(b.text);
    EXPECT_EQ(b.heard, solve("hear_ball_pos(X, Y)"));
  }
  const struct {
    const char *goal, *text, *heard;
  } passes[] = {{"say_pass(7, 20.4, -5.6, C)", "p7 20Y -6", "hear_pass(7,20.0,-6.0)"},
                {"say_pass(10, 30, 0, C)", "pA 30Y  0", "hear_pass(10,30.0,0.0)"},
                {"say_pass(11, -5, 12, C)", "pB -5Y 12", "hear_pass(11,-5.0,12.0)"}};
  ::testing::internal::CaptureStdout();
  for (const auto& p : passes) {
    EXPECT_EQ(p.text, said(p.goal));
    heard(p.text);
    EXPECT_EQ(p.heard, solve("hear_pass(U, X, Y)"));
  }
  EXPECT_EQ("fail", solve("hear_pass(3, X, Y)"));
  ::testing::internal::GetCapturedStdout();  // the decoder's echo
  // No number after the letters reads as 0.
  heard("bXYZ");
  EXPECT_EQ("hear_ball_pos(0.0,0.0)", solve("hear_ball_pos(X, Y)"));
}

TEST_F(TeamCodec, WhatCannotBeSaidOrHeardFails) {
  // 2^187 takes 57 digits, which fills the 63 characters; 2^190 takes one more.
  EXPECT_EQ(63u, said("say_pass(1, 1.9623246170463048e+56, 0, C)").size());
  EXPECT_EQ("fail", solve("say_pass(1, 1.5692092991770008e+57, 0, C)"));
  // Read back, "p12" would be a pass to 1.
  EXPECT_EQ("fail", solve("say_pass(12, 1, 1, C)"));
  EXPECT_EQ("fail", solve("say_pass(seven, 1, 1, C)"));
  EXPECT_EQ("", err);
  // Each coordinate not finite on its own.
  for (const char* goal : {"say_pass(7, 1.0Inf, 1, C)", "say_pass(7, 1, 1.5NaN, C)"})
    EXPECT_EQ("fail", solve(goal)) << goal;
  for (const Vector2D& at : {Vector2D(NAN, 1), Vector2D(1, -INFINITY)}) {
    ball(at);
    EXPECT_EQ("fail", solve("say_ball_pos(C)")) << at;
  }

  for (const char* text : {"bX 10Y 20", "bX1e999Y 1Z", "bX 1Y-inf Z", "p7 20Y -6"}) {
    heard(text);
    EXPECT_EQ("fail", solve("hear_ball_pos(X, Y)")) << text;
  }
  for (const char* text :
       {"p", "p7", "p0 1Y 1", "px 20Y 3", "bX 10Y 20Z", "p7nanY 1", "p7 1Y1e999"}) {
    heard(text);
    EXPECT_EQ("fail", solve("hear_pass(U, X, Y)")) << text;
  }
}
