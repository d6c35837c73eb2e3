#include "tolvane/option.h"

#include <gtest/gtest.h>

TEST(OptionTest, ScalarParsing) {
  bool b;
  int i;
  double d;
  std::string s;
  const BoolOption flag("goalie", &b, false);
  const OnOffOption onOff("log_wm", &b, true);
  const IntOption num("log-level", &i, 100);
  const DblOption dbl("dash_power_rate", &d, 0.006);
  const StrOption str("host", &s, "localhost");
  int p;
  const IntOption port("port", &p, 6000, 1, 65535);
  // In order: each row starts from the value the row before left.
  const struct {
    const Option& opt;
    const char* text;
    bool taken;
    const char* shown;
  } rows[] = {
      // "on" is not a number: 0.
      {flag, "", true, "set"}, {flag, "on", true, "unset"}, {flag, "7", true, "set"},
      {flag, "true", true, "unset"}, {flag, "1", true, "set"}, {flag, "off", true, "unset"},
      // A number other than 0 and 1 fails and turns the switch off.
      {onOff, "1abc", true, "on"}, {onOff, "2", false, "off"}, {onOff, "on", true, "on"},
      {onOff, "-1", false, "off"}, {onOff, "1", true, "on"}, {onOff, "", true, "off"},
      {num, " 42", true, "42"}, {num, "12abc", true, "12"},
      // The ends of the 32-bit range and everything beyond fail, not truncate.
      {num, "2147483647", false, "12"}, {num, "-2147483648", false, "12"},
      {num, "2147483648", false, "12"}, {num, "-99999999999", false, "12"},
      {num, "x", false, "12"}, {num, "-", false, "12"},
      {dbl, "1234567", true, "1.23457e+06"}, {dbl, "100000", true, "100000"},
      {dbl, "-2.5e-3xyz", true, "-0.0025"}, {dbl, "abc", false, "-0.0025"},
      {dbl, "nan", false, "-0.0025"}, {dbl, "-inf", false, "-0.0025"},
      {dbl, "1e999", false, "-0.0025"},
      // Both ends of the range are taken, nothing beyond.
      {port, "65535", true, "65535"}, {port, "65536", false, "65535"},
      {port, "1", true, "1"}, {port, "0", false, "1"},
      {str, "  two words  ", true, "  two words  "},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(r.taken, r.opt.setValue(r.text)) << r.opt.getName() << " " << r.text;
    EXPECT_EQ(r.shown, r.opt.valueString()) << r.opt.getName() << " " << r.text;
  }
}

TEST(OptionTest, VectorLengthsPadAndCut) {
  std::vector<int> iv;
  IntVecOption io("numbers", &iv, 11, 11, 0);
  EXPECT_FALSE(io.setValue("1 2 3"));
  EXPECT_EQ("1 2 3 0 0 0 0 0 0 0 0 ", io.valueString());
  // An int that overflows is not taken.
  EXPECT_FALSE(io.setValue("1 2 3 4 5 6 7 8 9 10 99999999999"));
  EXPECT_EQ(0, iv[10]);

  std::vector<double> dv;
  DblVecOption dvo("roles", &dv, 1, 16, 0.0);
  std::string seventeen;
  for (int k = 1; k <= 17; ++k) seventeen += std::to_string(k) + " ";
  EXPECT_FALSE(dvo.setValue(seventeen));
  ASSERT_EQ(16u, dv.size());
  EXPECT_EQ(16.0, dv.back());
  EXPECT_TRUE(dvo.setValue("1.5\t2 3   "));
  EXPECT_EQ("1.5 2 3 ", dvo.valueString());
  EXPECT_FALSE(dvo.setValue("1 2 x 3"));
  EXPECT_EQ((std::vector<double>{1, 2}), dv);

  IntVecOption a("a", &iv, 3, 2, 7);
  EXPECT_EQ(std::vector<int>(3, 7), iv);
  EXPECT_TRUE(a.setValue("1 2 3"));
  DblVecOption b("b", &dv, std::vector<double>{1.0}, 3, 4);
  EXPECT_EQ((std::vector<double>{1, 0, 0}), dv);
  DblVecOption c("c", &dv, std::vector<double>{1, 2, 3, 4, 5}, 1, 2);
  EXPECT_EQ((std::vector<double>{1, 2}), dv);
  // No upper bound with a maximal length of 0.
  IntVecOption unbounded("d", &iv, 0, 0, 0);
  EXPECT_TRUE(unbounded.setValue(seventeen));
  EXPECT_EQ(17u, iv.size());
}
