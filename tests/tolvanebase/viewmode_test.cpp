#include "tolvanebase/viewmode.h"

#include <sstream>

#include <gtest/gtest.h>

#include "tolvanebase/baseparams.h"

using vekbase::AngleDeg;
using vekbase::BaseParams;
using vekbase::ViewQuality;
using vekbase::ViewWidth;

namespace {

// The defaults but for a 120-degree view cone.
struct WideServer : vekbase::DefaultServerParam {
  AngleDeg visibleAngle() const override { return AngleDeg(120); }
};

const ViewWidth::Width badWidth = static_cast<ViewWidth::Width>(7);
const ViewQuality::Quality badQuality = static_cast<ViewQuality::Quality>(-1);

} // namespace

TEST(ViewMode, Texts) {
  std::ostringstream os;
  os << ViewQuality(ViewQuality::S_low) << ViewQuality(ViewQuality::S_high)
     << ViewQuality(badQuality) << ViewWidth(ViewWidth::S_narrow) << ViewWidth(ViewWidth::S_normal)
     << ViewWidth(ViewWidth::S_wide) << ViewWidth(badWidth);
  EXPECT_EQ(os.str(), "lowhighundefinednarrownormalwideundefined");
}

TEST(ViewMode, Orderings) {
  const ViewQuality low(ViewQuality::S_low), high(ViewQuality::S_high), bad(badQuality);
  EXPECT_TRUE(low < high);
  EXPECT_TRUE(high > low);
  EXPECT_FALSE(high < low || low > high || low < low || low > low || high < high);
  EXPECT_FALSE(low < bad || bad < high || high > bad || bad > low);
  EXPECT_TRUE(low == ViewQuality(ViewQuality::S_low));
  EXPECT_FALSE(low == high);

  const ViewWidth n(ViewWidth::S_narrow), m(ViewWidth::S_normal), w(ViewWidth::S_wide);
  const ViewWidth x(badWidth);
  EXPECT_TRUE(n < m && n < w && m < w);
  EXPECT_TRUE(m > n && w > n && w > m);
  EXPECT_FALSE(m < n || w < n || w < m || n > m || n > w || m > w);
  EXPECT_FALSE(n < n || m < m || w < w || n > n || m > m || w > w);
  // Narrow is the lowest and wide the highest, also against a foreign value.
  EXPECT_TRUE(n < x && w > x);
  EXPECT_FALSE(m < x || m > x || x < w || x > n || x < x || x > x);
}

TEST(ViewMode, ConeWidths) {
  BaseParams* bp = BaseParams::instance();
  bp->registerServerParams(nullptr);
  EXPECT_EQ(double(ViewWidth(ViewWidth::S_narrow).value()), 45.0);
  EXPECT_EQ(double(ViewWidth(ViewWidth::S_normal).value()), 90.0);
  EXPECT_EQ(double(ViewWidth(ViewWidth::S_wide).value()), 180.0);
  EXPECT_EQ(double(ViewWidth(badWidth).value()), 0.0);

  WideServer server;
  bp->registerServerParams(&server);
  EXPECT_EQ(double(ViewWidth(ViewWidth::S_narrow).value()), 60.0);
  EXPECT_EQ(double(ViewWidth(ViewWidth::S_wide).value()), -120.0);
  EXPECT_EQ(double(ViewWidth(badWidth).value()), 0.0);
  bp->registerServerParams(nullptr);
}
