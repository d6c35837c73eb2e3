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

// less[i][j] and greater[i][j] are whether v[i] < v[j] and v[i] > v[j].
template <class V, std::size_t N>
void expectOrder(const V (&v)[N], const char* const (&less)[N], const char* const (&greater)[N]) {
  for (std::size_t i = 0; i < N; ++i)
    for (std::size_t j = 0; j < N; ++j) {
      EXPECT_EQ(v[i] < v[j], less[i][j] == '1') << v[i].str() << " < " << v[j].str();
      EXPECT_EQ(v[i] > v[j], greater[i][j] == '1') << v[i].str() << " > " << v[j].str();
    }
}

} // namespace

TEST(ViewMode, TextsAndOrderings) {
  std::ostringstream os;
  os << ViewQuality(ViewQuality::S_low) << ViewQuality(ViewQuality::S_high)
     << ViewQuality(badQuality) << ViewWidth(ViewWidth::S_narrow) << ViewWidth(ViewWidth::S_normal)
     << ViewWidth(ViewWidth::S_wide) << ViewWidth(badWidth);
  EXPECT_EQ(os.str(), "lowhighundefinednarrownormalwideundefined");

  const ViewQuality q[] = {ViewQuality::S_low, ViewQuality::S_high, badQuality};
  expectOrder(q, {"010", "000", "000"}, {"000", "100", "000"});
  // Narrow is the lowest and wide the highest, also against a foreign value.
  const ViewWidth w[] = {ViewWidth::S_narrow, ViewWidth::S_normal, ViewWidth::S_wide, badWidth};
  expectOrder(w, {"0111", "0010", "0000", "0000"}, {"0000", "1000", "1101", "0000"});
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
  bp->registerServerParams(nullptr);
}
