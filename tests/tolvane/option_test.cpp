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
  double v;
  const DblOption version("version", &v, 8.04, 8.0, 100.0);
  // In order: each row starts from the value the row before left. A refused
  // text leaves the value as it was.
  const struct {
    const Option& opt;
    const char* text;
    bool taken;
    const char* shown;
  } rows[] = {
      // A key alone sets a flag; otherwise it takes the words of a switch.
      {flag, "", true, "set"}, {flag, "off", true, "unset"}, {flag, "true", true, "set"},
      {flag, "7", false, "set"}, {flag, "0", true, "unset"},
      {onOff, "false", true, "off"}, {onOff, "1", true, "on"}, {onOff, "0", true, "off"},
      {onOff, "true", true, "on"}, {onOff, "off", true, "off"}, {onOff, "on", true, "on"},
      {onOff, "yes", false, "on"}, {onOff, "2", false, "on"}, {onOff, "1abc", false, "on"},
      {onOff, "", false, "on"}, {onOff, "ON", false, "on"},
      // The whole text is the number, in decimal.
      {num, "+7", true, "7"}, {num, "-0", true, "0"}, {num, " 42", false, "0"},
      {num, "12abc", false, "0"}, {num, "1e3", false, "0"}, {num, "0x10", false, "0"},
      {num, "1,234", false, "0"}, {num, "50.9", false, "0"}, {num, "+-1", false, "0"},
      // The ends of the 32-bit range and everything beyond fail, not truncate.
      {num, "2147483646", true, "2147483646"}, {num, "2147483647", false, "2147483646"},
      {num, "-2147483648", false, "2147483646"}, {num, "1e999", false, "2147483646"},
      {num, "99999999999999999999", false, "2147483646"},
      {dbl, "1234567", true, "1.23457e+06"}, {dbl, "100000", true, "100000"},
      {dbl, "-2.5e-3", true, "-0.0025"}, {dbl, ".5", true, "0.5"}, {dbl, "+1.E+2", true, "100"},
      {dbl, "-2.5e-3xyz", false, "100"}, {dbl, "1,234", false, "100"},
      {dbl, "0x10", false, "100"}, {dbl, "+-1", false, "100"}, {dbl, "nan", false, "100"},
      {dbl, "-inf", false, "100"}, {dbl, "1e999", false, "100"},
      // Both ends of the range are taken, nothing beyond.
      {port, "65535", true, "65535"}, {port, "65536", false, "65535"},
      {port, "1", true, "1"}, {port, "0", false, "1"},
      {version, "8", true, "8"}, {version, "7.99", false, "8"}, {version, "100", true, "100"},
      {version, "1e308", false, "100"},
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

  std::vector<double> dv;
  DblVecOption dvo("roles", &dv, 1, 16, 0.0);
  std::string seventeen;
  for (int k = 1; k <= 17; ++k) seventeen += std::to_string(k) + " ";
  EXPECT_FALSE(dvo.setValue(seventeen));
  ASSERT_EQ(16u, dv.size());
  EXPECT_EQ(16.0, dv.back());
  EXPECT_TRUE(dvo.setValue("1.5\t2 3   "));
  EXPECT_EQ("1.5 2 3 ", dvo.valueString());
  // An element the single option would refuse, or one out of range, ends
  // the list.
  for (const char* bad : {"1 2 x 3", "1 2 3e 4", "1 2 0x3", "1 2 3,5", "1 2 nan", "1 2 -1001"}) {
    DblVecOption ranged("ranged", &dv, 1, 16, 0.0, -1000.0, 1000.0);
    EXPECT_FALSE(ranged.setValue(bad)) << bad;
    EXPECT_EQ((std::vector<double>{1, 2}), dv) << bad;
  }

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
