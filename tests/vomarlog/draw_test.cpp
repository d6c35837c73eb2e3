#include "vomarlog/draw2dforwarder.h"
#include "vomarlog/vomardraw.h"

#include <gtest/gtest.h>

#include <list>
#include <string>

#include "testutil/commadecimal.h"

namespace {

using vomar::Draw;
using Lines = std::list<std::string>;

TEST(DrawTest, ItemTexts) {
  std::string circle, line, text, zero;
  {
    const testutil::CommaDecimal comma;
    circle = Draw::circle(1.5f, 2.f, 0.3f, "ff0000");
    line = Draw::line(0.f, 1.f, 10.f, -5.f, "0000ff");
    text = Draw::text(-52.5f, 34.f, "7");
    zero = Draw::circle(1234567.f, 0.f, 1.f / 3.f, "101010");
  }

  EXPECT_EQ(Draw::draw(circle), "_2D_ CIRCLE col=ff0000 (1.5,-2,0.3);");
  EXPECT_EQ(Draw::draw(line), "_2D_ LINE col=0000ff (0,-1,10,5);");
  EXPECT_EQ(Draw::draw(text), "_2D_ STRING  (-52.5,-34,\"7\");");
  EXPECT_EQ(zero, " CIRCLE col=101010 (1.23457e+06,-0,0.333333);");
  EXPECT_EQ(Draw::draw(circle, line),
            "_2D_ CIRCLE col=ff0000 (1.5,-2,0.3); LINE col=0000ff (0,-1,10,5);");
  EXPECT_EQ(Draw::draw(line, text, zero), "_2D_" + line + text + zero);
}

// Only complete "_2D_" lines are cached, and only when the put area fills:
// a flush of the stream leaves the text where it is.
TEST(DrawTest, CachesCompleteDrawingLinesWhenPutAreaFills) {
  const std::string line1 = "_2D_ A;\n";
  const std::string other = "12 -_2D_ prefixed;\n";
  const std::string line2 = Draw::draw(Draw::circle(1.5f, 2.f, 0.3f, "ff0000")) + "\n";
  const unsigned int size = 40;
  const std::size_t head = size - line1.size() - other.size(); // 13 of 37
  vomar::Draw2dForwarder d(size);
  Lines& cache = d.getCachedMessages();

  d << line1 << other << line2.substr(0, head - 1) << std::flush;
  EXPECT_TRUE(cache.empty());
  d << line2[head - 1];
  EXPECT_EQ(cache, Lines({line1}));
  const std::string rest = line2.substr(head);
  d << rest << std::string(size - rest.size() - 1, 'z') << std::flush;
  EXPECT_EQ(cache, Lines({line1}));
  d << "z";
  EXPECT_EQ(cache, Lines({line1, line2}));

  vomar::Draw2dForwarder tiny(0); // taken as 1: every character goes at once
  tiny << "x\n _2D_ B;\n_2D_ C;\n";
  EXPECT_EQ(tiny.getCachedMessages(), Lines({"_2D_ C;\n"}));
}

} // namespace
