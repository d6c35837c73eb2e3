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

// "number key value" of each line, one blank after each.
std::string text(const std::vector<ParamReader::FileLine>& lines) {
  std::string t;
  for (const auto& l : lines) t += std::to_string(l.number) + " " + l.key + " " + l.value + " ";
  return t;
}

} // namespace

TEST(ParamReaderTest, FileSyntax) {
  TestStore s;
  testutil::TempDir tmp;
  // In order: each file goes on from the values the one before left.
  const struct {
    const char* text;
    int level;
    const char* host;
  } files[] = {
      // Comment, empty line, blanks, and trailing blanks before a comment.
      {"# comment\n\n   \nlog-level 10   # ten\n", 10, "localhost"},
      {"host: machine.example\n", 10, "machine.example"},
      {"\thost\tnet:name  ", 10, "net name"},  // no line end at the end of the file
      {"goalie #x\nlog-level:7", 7, "net name"},
      {" :log-level 44\n", 44, "net name"},  // a colon in front of the key reads as a blank
      // A '#' directly behind a key belongs to the key; CR LF reads as LF.
      {"host# comment\n   # only a comment\nlog-level 12\r\n\r\nhost h\r\n", 12, "h"},
  };
  for (const auto& f : files) {
    EXPECT_TRUE(s.getOptions(tmp.file("params.conf", f.text)));
    EXPECT_EQ(f.level, s.level) << f.text;
    EXPECT_EQ(f.host, s.host) << f.text;
  }
  EXPECT_TRUE(s.goalie);
  EXPECT_EQ("1 host# comment ", text(s.unknownKeys()));

  // Keys the store lacks are listed and skipped; reading stops at the first
  // refused value, the lines before it applied.
  EXPECT_FALSE(s.getOptions(tmp.file("refused.conf", "log-level 5\nnew_key 1\n\nnewer\n"
                                                     "log-level 1e3\nlog-level 6\n")));
  EXPECT_EQ(5, s.level);
  EXPECT_EQ("5 log-level 1e3 ", text({s.refusedLine()}));
  EXPECT_EQ("2 new_key 1 4 newer  ", text(s.unknownKeys()));

  // Files that cannot be read say why and apply nothing. A file of exactly
  // 1 MiB is read.
  const std::string longest = "host " + std::string(ParamReader::MAX_FILE - 5, 'h');
  const struct {
    std::string file, why;
  } unread[] = {
      {"/nonexistent/h5.conf", "No such file or directory"},
      {tmp.dir, "Is a directory"},
      {tmp.file("long.conf", "log-level 3\n" + longest.substr(12) + "h"), "longer than 1 MiB"},
  };
  for (const auto& u : unread) {
    EXPECT_FALSE(s.getOptions(u.file)) << u.file;
    EXPECT_EQ(u.why, s.whyUnread());
    EXPECT_EQ(0, s.refusedLine().number);
  }
  EXPECT_EQ(5, s.level);
  EXPECT_TRUE(s.getOptions(tmp.file("longest.conf", longest)));
  EXPECT_EQ(longest.substr(5), s.host);
}

TEST(ParamReaderTest, StartedStateAndListing) {
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
  EXPECT_EQ(3, log.count("ParamReader has to be started first\n"));

  s.begin();
  // Of two options with the same key only the first is ever set.
  s.setParameter("dup", "5");
  s.setParameter("host", "");
  EXPECT_EQ(2, s.second);
  EXPECT_EQ("log-level: 100\nhost: \ngoalie: unset\ndup: 5\ndup: 2\n", paramtest::listing(s));
}
