#include "tolvane/paramreader.h"

#include <gtest/gtest.h>

#include "paramtest_util.h"
#include "testutil/logcapture.h"
#include "testutil/tempdir.h"

namespace {

class TestStore : public ParamReader {
public:
  TestStore() { begin(); }
  void createOptionList(OptionList& list) override {
    list.push_back(new IntOption("log-level", &level, 100));
    list.push_back(new StrOption("host", &host, "localhost"));
    list.push_back(new BoolOption("goalie", &goalie, false));
    list.push_back(new IntOption("dup", &first, 1));
    list.push_back(new IntOption("dup", &second, 2));
  }
  int valId() const override { return 7; }

  int level, first, second;
  std::string host;
  bool goalie;
};

// Reads a file of the given text into the store.
void readText(TestStore& s, const std::string& text) {
  testutil::TempDir tmp;
  s.getOptions(tmp.file("params.conf", text));
}

} // namespace

TEST(ParamReaderTest, FileSyntax) {
  TestStore s;
  testutil::LogCapture log({1002});
  // Comment, empty line, blanks, and trailing blanks before a comment.
  readText(s, "# comment\n\n   \nlog-level 10   # ten\n");
  EXPECT_EQ(10, s.level);
  EXPECT_EQ("localhost", s.host);
  readText(s, "host: machine.example\n");
  EXPECT_EQ("machine.example", s.host);
  readText(s, "\thost\tnet:name  ");  // no line end at the end of the file
  EXPECT_EQ("net name", s.host);
  readText(s, "goalie #x\nlog-level:7");
  EXPECT_TRUE(s.goalie);
  EXPECT_EQ(7, s.level);
  // A colon in front of the key reads as a blank.
  readText(s, " :log-level 44\n");
  EXPECT_EQ(44, s.level);
  EXPECT_EQ("", log.text());

  // A '#' directly behind a key belongs to the key; CR LF line ends read as LF.
  readText(s, "host# comment\n   # only a comment\nlog-level 12\r\n\r\nhost h\r\nlog-level x\n");
  EXPECT_EQ(12, s.level);
  EXPECT_EQ("h", s.host);
  EXPECT_EQ("Unknown parameter (host#)\n"
            "Can't set value (x) for parameter (log-level)\n",
            log.text());
  log.clear();
  s.readParams("/nonexistent/h5.conf");
  EXPECT_EQ("Cannot open parameter file (/nonexistent/h5.conf)\n", log.text());
}

TEST(ParamReaderTest, StartedStateAndDefaults) {
  TestStore s;
  testutil::LogCapture log({1002});
  s.setParameter("log-level", "20");
  s.begin();
  EXPECT_EQ(20, s.level);  // a second begin keeps the values
  s.end();
  EXPECT_EQ(20, s.level);  // values survive the end
  s.setParameter("log-level", "30");
  s.getOptions("/nonexistent");
  s.printOptions();
  EXPECT_EQ(20, s.level);
  const std::string notStarted = "ParamReader has to be started first\n";
  EXPECT_EQ(notStarted + notStarted + notStarted, log.text());
  s.begin();
  EXPECT_EQ(100, s.level);
  EXPECT_EQ("localhost", s.host);
  // Of two options with the same key only the first is ever set.
  s.setParameter("dup", "5");
  EXPECT_EQ(5, s.first);
  EXPECT_EQ(2, s.second);
}

TEST(ParamReaderTest, OptionStructAndListing) {
  TestStore s;
  s.setParameter("log-level", "3");
  s.end();
  struct option* rows = nullptr;
  EXPECT_EQ(5, s.getOptionStruct(&rows));
  EXPECT_FALSE(s.isStarted());
  EXPECT_EQ(100, s.level);  // building the rows wrote the defaults again
  EXPECT_STREQ("log-level", rows[0].name);
  EXPECT_EQ(1, rows[0].has_arg);
  EXPECT_EQ(0, rows[2].has_arg);
  EXPECT_EQ(7, rows[4].val);
  EXPECT_EQ(nullptr, rows[5].name);
  EXPECT_EQ(0, rows[5].val);
  for (int i = 0; i < 5; ++i) delete[] rows[i].name;
  delete[] rows;

  s.begin();
  s.setParameter("host", "");
  EXPECT_EQ((std::vector<std::string>{"log-level: 100", "host: ", "goalie: unset", "dup: 1",
                                      "dup: 2"}),
            paramtest::listing(s));
}
