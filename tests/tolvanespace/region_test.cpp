#include "tolvanespace/region.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "testutil/logcapture.h"
#include "testutil/text.h"

using namespace vekspace;
using testutil::text;

namespace {

boost::shared_ptr<Point> pt(double x, double y) {
  return boost::shared_ptr<Point>(new SimplePoint(x, y));
}

struct Stacks {
  Factory::RegionStack regions;
  Factory::PointStack points;
  Factory::NumberStack numbers;
};

} // namespace

TEST(Region, Membership) {
  const RectRegion penalty(Vector2D(-52.5, -20.16), Vector2D(-36, 20.16));
  EXPECT_TRUE(penalty.in(Vector2D(-52.5, 0)));
  EXPECT_TRUE(penalty.in(SimplePoint(-40, -20.16)));
  EXPECT_FALSE(penalty.in(Vector2D(-36, 0)));
  EXPECT_FALSE(penalty.in(SimplePoint(-40, 20.16)));
  const RectRegion swapped(Vector2D(1, 1), Vector2D(0, 0));
  EXPECT_TRUE(swapped.in(Vector2D(0, 0)));
  EXPECT_FALSE(swapped.in(Vector2D(1, 1)));
  EXPECT_FALSE(RectRegion(Vector2D(1, 1), Vector2D(1, 1)).in(Vector2D(1, 1)));

  const CircleRegion c(Vector2D(0, 0), 1);
  EXPECT_TRUE(c.in(Vector2D(1, 0)));
  EXPECT_TRUE(c.in(SimplePoint(0, -1)));
  EXPECT_FALSE(c.in(Vector2D(1, 0.001)));

  const ConeRegion cone(Vector2D(0, 0), Vector2D(10, 0), 0.5);
  EXPECT_TRUE(cone.in(Vector2D(4, 1.9)));
  EXPECT_TRUE(cone.in(SimplePoint(4, -1.9)));
  EXPECT_FALSE(cone.in(Vector2D(4, 2)));
  EXPECT_FALSE(cone.in(Vector2D(0, 0)));
  EXPECT_FALSE(cone.in(Vector2D(10, 0)));
  EXPECT_TRUE(ConeRegion(Vector2D(0, 0), Vector2D(10, 0), -0.5).in(Vector2D(4, 1.9)));

  const SimplePoint p(1, 2);
  EXPECT_TRUE(p.in(Vector2D(1, 2)));
  EXPECT_FALSE(p.in(Vector2D(1, 2.0000001)));
  EXPECT_TRUE(SimplePoint(Vector2D(1, 2)).in(p));
}

TEST(Region, DumpTexts) {
  EXPECT_EQ(text(SimplePoint(1, 2)), "SimplePoint(1, 2)");
  EXPECT_EQ(text(CircleRegion(Vector2D(1, 2), 3)), "CircleRegion(V(1, 2), 3)");
  EXPECT_EQ(text(RectRegion(Vector2D(2, 0), Vector2D(0, 1))), "RectRegion(V(0, 0), V(2, 1))");
  const ConeRegion cone(Vector2D(0, 0), Vector2D(10, 0), 0.5);
  const Region& base = cone;
  EXPECT_EQ(text(base), "ConeRegion(V(0, 0), V(10, 0), 0.5)");
}

TEST(Region, StackConstructorsTakeTheirEntries) {
  Stacks s;
  s.numbers.push(Factory::NumberParam(2));  // a whole number reads as 2.0
  s.numbers.push(Factory::NumberParam(4.5));
  std::unique_ptr<Region> p(Factory_SimplePoint().createInstance(s.regions, s.points, s.numbers));
  EXPECT_EQ(text(*p), "SimplePoint(2, 4.5)");

  // The end point is on top, the apex below it.
  s.points.push(pt(0, 0));
  s.points.push(pt(10, 0));
  s.numbers.push(Factory::NumberParam(0.5));
  std::unique_ptr<Region> k(Factory_ConeRegion().createInstance(s.regions, s.points, s.numbers));
  EXPECT_EQ(text(*k), "ConeRegion(V(0, 0), V(10, 0), 0.5)");

  // A missing point counts as the origin and admits nothing.
  s.points.push(pt(2, 0));
  s.points.push(boost::shared_ptr<Point>());
  const RectRegion r(s.regions, s.points, s.numbers);
  EXPECT_EQ(text(r), "RectRegion(V(0, 0), V(0, 0))");
  EXPECT_FALSE(r.in(Vector2D(1, 0)));
  s.points.push(boost::shared_ptr<Point>());
  s.numbers.push(Factory::NumberParam(1));
  const CircleRegion c(s.regions, s.points, s.numbers);
  EXPECT_FALSE(c.in(Vector2D(0, 0)));
  EXPECT_EQ(text(c), "CircleRegion(V(0, 0), 1)");
  s.points.push(boost::shared_ptr<Point>());
  s.points.push(pt(10, 0));
  s.numbers.push(Factory::NumberParam(0.5));
  const ConeRegion cone(s.regions, s.points, s.numbers);
  EXPECT_FALSE(cone.in(Vector2D(4, 1.9)));
  EXPECT_EQ(text(cone), "ConeRegion(V(0, 0), V(10, 0), 0.5)");
  EXPECT_TRUE(s.points.empty() && s.numbers.empty());
}

TEST(Region, StackConstructorsThrowAndLeaveStacks) {
  Stacks s;
  auto expectThrow = [&s](const Factory& f, const char* message, size_t npoints,
                          size_t nnumbers) {
    try {
      delete f.createInstance(s.regions, s.points, s.numbers);
      ADD_FAILURE() << "no exception for " << message;
    } catch (const parameter_error& e) {
      EXPECT_STREQ(e.what(), message);
    }
    EXPECT_EQ(s.points.size(), npoints) << message;
    EXPECT_EQ(s.numbers.size(), nnumbers) << message;
  };
  s.numbers.push(Factory::NumberParam(1.0));
  expectThrow(Factory_SimplePoint(), "too few Values for SimplePoint", 0, 1);
  expectThrow(Factory_CircleRegion(), "too few Points for CircleRegion", 0, 1);
  s.points.push(pt(1, 1));
  expectThrow(Factory_ConeRegion(), "too few Points for ConeRegion", 1, 1);
  expectThrow(Factory_RectRegion(), "too few Points for RectRegion", 1, 1);
  s.numbers.pop();
  expectThrow(Factory_CircleRegion(), "too few Values for CircleRegion", 1, 0);
  s.points.push(pt(2, 2));
  expectThrow(Factory_ConeRegion(), "too few Values for ConeRegion", 2, 0);
  EXPECT_EQ(s.points.top()->get(), Vector2D(2, 2));
}

TEST(Region, CreatingAndDeletingLines) {
  testutil::LogCapture capture({501});
  const std::string created = "creating region\n", deleted = "deleting region\n";
  {
    CircleRegion c(Vector2D(1, 2), 3);
    EXPECT_EQ(capture.take(), created + created);
    c.set(4, 5, 6);  // the new centre comes before the old one goes
    EXPECT_EQ(capture.take(), created + deleted);
  }
  EXPECT_EQ(capture.take(), deleted + deleted);

  // A point still held elsewhere outlives the circle; a failed stack
  // construction deletes its Region part again.
  Stacks s;
  boost::shared_ptr<Point> centre = pt(0, 0);
  s.points.push(centre);
  s.numbers.push(Factory::NumberParam(1));
  capture.take();
  { CircleRegion c(s.regions, s.points, s.numbers); }
  EXPECT_EQ(capture.take(), created + deleted);
  EXPECT_THROW(CircleRegion(s.regions, s.points, s.numbers), parameter_error);
  EXPECT_EQ(capture.take(), created + deleted);
  centre.reset();
  EXPECT_EQ(capture.take(), deleted);
}
