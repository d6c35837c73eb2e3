#include "vomarlog/forwarder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "testutil/logcapture.h"

namespace {

using vomar::Forwarder;
using FSB = vomar::ForwarderStreamBuf;

// Records each chunk as "<tag>[<chunk>]" in a log shared by several sinks.
struct TaggedBuf : std::streambuf {
  TaggedBuf(const char* tag, std::string& log) : tag(tag), log(log) {}
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    log += tag + ("[" + std::string(s, std::size_t(n)) + "]");
    return n;
  }
  std::string tag;
  std::string& log;
};

class ForwarderTest : public ::testing::Test {
protected:
  // The forwarder lives for the whole process: leave it as it was found.
  void TearDown() override {
    fwd->flush();
    for (std::ostream* s : sinks) fwd->removeStream(s);
    while (fwd->indentLevel() > 0) fwd->decIndent();
    fwd->setMaxLogLevel(700);
    fwd->setIndentChar('-');
    fwd->registerPrefix(nullptr);
    fwd->getStreamBuf().priority(FSB::S_NORMAL);
    fwd->zone(0);
  }
  void add(std::ostream* s, std::bitset<4> pass = FSB::S_PASS_ALL) {
    fwd->addStream(s, pass);
    sinks.push_back(s);
  }
  void line(unsigned int zone, const std::string& text, FSB::Priority p = FSB::S_NORMAL) {
    fwd->getStreamBuf().priority(p);
    fwd->zone(zone);
    *fwd << text << "\n" << std::flush;
  }
  Forwarder* fwd = Forwarder::instance(8192);
  std::vector<std::ostream*> sinks;
  testutil::FixedPrefix prefix;
};

TEST_F(ForwarderTest, ZoneAndPriorityFiltersAndUnknownStreams) {
  std::ostringstream plain, some, all, range;
  for (std::ostream* s : {&plain, &some, &all, &range}) add(s);
  EXPECT_TRUE(fwd->addLogZone(&some, 1205) && fwd->addLogZone(&all, 0) &&
              fwd->addLogZone(&all, 1050) && fwd->addLogZoneRange(&range, 1020, 1050) &&
              fwd->addLogZoneRange(&range, 10, 5) &&
              fwd->addLogZoneRange(&range, 65530, 65535)); // must stop at the top
  for (unsigned int z : {0u, 5u, 10u, 1019u, 1020u, 1050u, 1051u, 1205u, 65529u, 65535u})
    line(z, std::to_string(z));
  line(65536 + 1205, "w");

  EXPECT_EQ(plain.str(), "0\n");
  EXPECT_EQ(some.str(), "0\n1205\nw\n");
  EXPECT_EQ(all.str(), "0\n5\n10\n1019\n1020\n1050\n1051\n1205\n65529\n65535\nw\n");
  EXPECT_EQ(range.str(), "0\n1020\n1050\n65535\n");

  std::ostringstream warn, stranger;
  add(&warn, FSB::S_PASS_WARNING | FSB::S_PASS_ERROR);
  for (auto p : {FSB::S_NORMAL, FSB::S_WARNING, FSB::S_ERROR, FSB::S_TRACER, FSB::S_ILLEGAL})
    line(0, std::to_string(p), p);
  EXPECT_TRUE(fwd->setPrioritySet(&warn, FSB::S_PASS_TRACER));
  line(0, "t", FSB::S_TRACER);
  line(0, "w", FSB::S_WARNING);
  EXPECT_EQ(warn.str(), "1\n2\nt\n");

  EXPECT_FALSE(fwd->removeStream(&stranger) || fwd->setPrioritySet(&stranger, FSB::S_PASS_ALL) ||
               fwd->addLogZone(&stranger, 1) || fwd->addLogZoneRange(&stranger, 1, 2));
  EXPECT_EQ(fwd->getPrioritySet(&stranger), FSB::S_PASS_NONE);
}

TEST_F(ForwarderTest, RegistrationOrder) {
  std::string log;
  TaggedBuf abuf("A", log), bbuf("B", log);
  std::ostream a(&abuf), b(&bbuf);
  add(&a);
  add(&b);
  fwd->addLogZone(&a, 1205);
  line(0, "1");
  // Registered again: same place, new pass set, zones forgotten.
  fwd->addStream(&a, FSB::S_PASS_NORMAL);
  line(0, "2");
  line(1205, "3");
  line(0, "4", FSB::S_WARNING);
  EXPECT_EQ(log, "A[1\n]B[1\n]A[2\n]B[2\n]B[4\n]");

  log.clear();
  EXPECT_TRUE(fwd->removeStream(&a));
  fwd->addStream(&a, FSB::S_PASS_ALL);
  line(0, "5");
  EXPECT_EQ(log, "B[5\n]A[5\n]");
}

TEST_F(ForwarderTest, FlushesOnZoneOrPriorityChangeOrFullBuffer) {
  std::ostringstream all, only1205, late;
  add(&all);
  add(&only1205);
  fwd->addLogZone(&all, 0);
  fwd->addLogZone(&only1205, 1205);

  fwd->zone(1205) << "a\n";
  fwd->zone(1205);
  fwd->getStreamBuf().priority(FSB::S_NORMAL);
  EXPECT_EQ(all.str(), "");
  fwd->zone(1206) << "b\n"; // "a" leaves under its own zone
  EXPECT_EQ(only1205.str(), "a\n");
  EXPECT_EQ(all.str(), "a\n");
  fwd->getStreamBuf().priority(FSB::S_WARNING);
  *fwd << "c\n";
  EXPECT_EQ(all.str(), "a\nb\n");
  add(&late);
  EXPECT_EQ(all.str(), "a\nb\nc\n");
  EXPECT_EQ(only1205.str() + late.str(), "a\n");

  // A full buffer leaves as one chunk.
  EXPECT_EQ(Forwarder::instance(100), fwd); // keeps its 8192 characters
  all.str("");
  *fwd << std::string(8190, 'a') << "b";
  EXPECT_EQ(all.str(), "");
  *fwd << "cd\n";
  EXPECT_EQ(all.str(), std::string(8190, 'a') + "bc");
  fwd->flush();
  EXPECT_EQ(all.str(), std::string(8190, 'a') + "bcd\n");
}

TEST_F(ForwarderTest, Indentation) {
  std::ostringstream sink;
  add(&sink);
  fwd->prefix() << "|";
  fwd->registerPrefix(&prefix);
  fwd->indent(20) << "|";
  fwd->indent(130) << "|";
  fwd->indent(751) << "|";
  fwd->indent(750) << "|" << std::flush;
  EXPECT_EQ(sink.str(), "|12 -|12 -" + std::string(8, '-') + "||12 -" + std::string(70, '-') + "|");

  sink.str("");
  fwd->incIndent();
  fwd->setMaxLogLevel(150);
  fwd->setIndentChar('*');
  EXPECT_EQ(fwd->indentation(151), -1);
  fwd->indent(150) << "|";
  fwd->setMaxLogLevel(700);
  fwd->indent(700) << "|" << std::flush;
  EXPECT_EQ(sink.str(), "12 -" + std::string(15, '*') + "|12 -" + std::string(70, '*') + "|");

  // The level stops at 0 and 255.
  fwd->setMaxLogLevel(65535);
  for (int i = 0; i < 2; ++i) fwd->decIndent();
  EXPECT_EQ(fwd->indentation(50), 0);
  for (int i = 0; i < 256; ++i) fwd->incIndent();
  EXPECT_EQ(fwd->indentation(50), 50 * 255);
  for (int i = 0; i < 254; ++i) fwd->decIndent();
  EXPECT_EQ(fwd->indentation(50), 50);
}

TEST_F(ForwarderTest, LineHelpers) {
  std::ostringstream tracer, warn;
  add(&tracer, FSB::S_PASS_TRACER);
  add(&warn, FSB::S_PASS_WARNING);
  fwd->addLogZone(&tracer, 1205);
  fwd->addLogZone(&warn, 1002);
  fwd->registerPrefix(&prefix);

  EXPECT_EQ(vomar::indentedLine(FSB::S_TRACER, 1205, 751), nullptr);
  ASSERT_EQ(vomar::indentedLine(FSB::S_TRACER, 1205, 130), fwd);
  *fwd << "t\n";
  fwd->incIndent();
  ASSERT_EQ(vomar::indentedLine(FSB::S_TRACER, 65536 + 1205, 20), fwd);
  *fwd << "u\n";
  vomar::prefixedLine(FSB::S_WARNING, 1002) << "w\n";
  fwd->flush();
  EXPECT_EQ(tracer.str(), "12 -" + std::string(8, '-') + "t\n12 ---u\n");
  EXPECT_EQ(warn.str(), "12 -w\n");
}

} // namespace
