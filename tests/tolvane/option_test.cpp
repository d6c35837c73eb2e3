#include "tolvane/option.h"

#include <gtest/gtest.h>

#include <sstream>

#include "testutil/logcapture.h"

TEST(OptionTest, BoolAndOnOffParsing) {
  bool b = true;
  BoolOption o("goalie", &b, false);
  EXPECT_FALSE(b);
  EXPECT_TRUE(o.setValue(""));
  EXPECT_EQ("set", o.valueString());
  // "on" does not begin with a number, so it reads as 0.
  for (const char* t : {"on", "true", "0", "off"}) {
    b = true;
    EXPECT_TRUE(o.setValue(t));
    EXPECT_FALSE(b) << t;
  }
  EXPECT_TRUE(o.setValue("7"));
  EXPECT_TRUE(b);

  OnOffOption w("log_wm", &b, true);
  std::ostringstream os;
  os << w;
  EXPECT_EQ("log_wm: on", os.str());
  EXPECT_TRUE(w.setValue("1abc"));
  EXPECT_TRUE(b);
  EXPECT_TRUE(w.setValue(""));
  EXPECT_FALSE(b);
  // A number other than 0 and 1 turns the switch off and fails.
  for (const char* t : {"2", "-1"}) {
    b = true;
    EXPECT_FALSE(w.setValue(t));
    EXPECT_FALSE(b) << t;
  }
}

TEST(OptionTest, IntDblStrParsing) {
  int v = 0;
  IntOption o("log-level", &v, 100);
  EXPECT_EQ(100, v);
  // The ends of the 32-bit range and everything beyond fail, not truncate.
  for (const char* t :
       {"2147483647", "-2147483648", "2147483648", "99999999999", "-99999999999", "x", "-"}) {
    EXPECT_FALSE(o.setValue(t)) << t;
    EXPECT_EQ(100, v) << t;
  }
  EXPECT_TRUE(o.setValue(" 42"));
  EXPECT_EQ(42, v);
  EXPECT_TRUE(o.setValue("12abc"));
  EXPECT_EQ("12", o.valueString());

  double d = 1.0;
  DblOption dop("dash_power_rate", &d, 0.006);
  EXPECT_EQ("0.006", dop.valueString());
  EXPECT_TRUE(dop.setValue("1234567"));
  EXPECT_EQ("1.23457e+06", dop.valueString());
  EXPECT_TRUE(dop.setValue("100000"));
  EXPECT_EQ("100000", dop.valueString());
  EXPECT_TRUE(dop.setValue("-2.5e-3xyz"));
  EXPECT_FALSE(dop.setValue("abc"));
  EXPECT_EQ(-0.0025, d);

  std::string s;
  StrOption so("host", &s, "localhost");
  EXPECT_TRUE(so.setValue("  two words  "));
  EXPECT_EQ("  two words  ", s);
}

TEST(OptionTest, VectorOptionsPadCutAndWarn) {
  testutil::LogCapture log({1000, 1001});
  std::vector<int> iv;
  IntVecOption io("numbers", &iv, 11, 11, 0);
  EXPECT_EQ(std::vector<int>(11, 0), iv);
  EXPECT_FALSE(io.setValue("1 2 3"));
  EXPECT_EQ("1 2 3 0 0 0 0 0 0 0 0 ", io.valueString());
  EXPECT_EQ("Please give at least 11 values for parameter (numbers)\n", log.text());
  // An int that overflows is not taken.
  EXPECT_FALSE(io.setValue("1 2 3 4 5 6 7 8 9 10 99999999999"));
  EXPECT_EQ(0, iv[10]);

  log.clear();
  std::vector<double> dv;
  DblVecOption dvo("roles", &dv, 1, 16, 0.0);
  std::string seventeen;
  for (int i = 1; i <= 17; ++i) seventeen += std::to_string(i) + " ";
  EXPECT_FALSE(dvo.setValue(seventeen));
  ASSERT_EQ(16u, dv.size());
  EXPECT_EQ(16.0, dv.back());
  EXPECT_EQ("Please give at most 16 values for parameter (roles)\n", log.text());

  EXPECT_TRUE(dvo.setValue("1.5\t2 3   "));
  EXPECT_EQ("1.5 2 3 ", dvo.valueString());
  EXPECT_FALSE(dvo.setValue("1 2 x 3"));
  EXPECT_EQ((std::vector<double>{1, 2}), dv);
}

TEST(OptionTest, VectorConstructorsWarn) {
  testutil::LogCapture log({1000, 1001});
  std::vector<int> iv;
  IntVecOption a("a", &iv, 3, 2, 7);
  EXPECT_EQ(std::vector<int>(3, 7), iv);
  EXPECT_TRUE(a.setValue("1 2 3"));
  std::vector<double> dv;
  DblVecOption b("b", &dv, std::vector<double>{1.0}, 3, 4);
  EXPECT_EQ((std::vector<double>{1, 0, 0}), dv);
  DblVecOption c("c", &dv, std::vector<double>{1, 2, 3, 4, 5}, 1, 2);
  EXPECT_EQ((std::vector<double>{1, 2}), dv);
  EXPECT_EQ("IntVecOption (a): min length (3) > max length (2), enlarging max length\n"
            "DblVecOption (b) initialized with 1 default values, minimum is 3\n"
            "DblVecOption (c) initialized with 5 default values, maximum is 2\n",
            log.text());
  // No upper bound with a maximal length of 0.
  IntVecOption d("d", &iv, 0, 0, 0);
  EXPECT_TRUE(d.setValue("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18"));
  EXPECT_EQ(18u, iv.size());
}
