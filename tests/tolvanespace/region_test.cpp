#include "tolvanespace/region.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

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

TEST(Region, MembershipAtTheBoundaries) {
  const RectRegion penalty(Vector2D(-52.5, -20.16), Vector2D(-36, 20.16));
  const RectRegion swapped(Vector2D(1, 1), Vector2D(0, 0)), empty(Vector2D(1, 1), Vector2D(1, 1));
  const CircleRegion circle(Vector2D(0, 0), 1), dot(Vector2D(2, 2), 0);
  const ConeRegion cone(Vector2D(0, 0), Vector2D(10, 0), 0.5);
  const ConeRegion negative(Vector2D(0, 0), Vector2D(10, 0), -0.5);
  const SimplePoint point(1, 2);
  const struct {
    const Region& r;
    Vector2D v;
    bool in;
  } cases[] = {
      {penalty, {-52.5, 0}, true}, {penalty, {-40, -20.16}, true},
      {penalty, {-36, 0}, false}, {penalty, {-40, 20.16}, false},
      {swapped, {0, 0}, true}, {swapped, {1, 1}, false}, {empty, {1, 1}, false},
      {circle, {1, 0}, true}, {circle, {0, -1}, true}, {circle, {1, 0.001}, false},
      {dot, {2, 2}, true}, {cone, {4, 1.9}, true}, {cone, {4, -1.9}, true},
      {cone, {4, 2}, false}, {cone, {0, 0}, false}, {cone, {10, 0}, false},
      {cone, {11, 0}, false}, {negative, {4, 1.9}, true},
      {point, {1, 2}, true}, {point, {1, 2.0000001}, false},
  };
  for (auto& c : cases) {
    EXPECT_EQ(c.r.in(c.v), c.in) << c.r << " " << c.v;
    EXPECT_EQ(c.r.in(SimplePoint(c.v)), c.in) << c.r << " " << c.v;
  }
}

TEST(Region, DumpsAndStackConstructors) {
  EXPECT_EQ(text(CircleRegion(Vector2D(1, 2), 3)), "CircleRegion(V(1, 2), 3)");
  EXPECT_EQ(text(RectRegion(Vector2D(2, 0), Vector2D(0, 1))), "RectRegion(V(0, 0), V(2, 1))");

  Stacks s;
  s.numbers.push(Factory::NumberParam(2)); // a whole number reads as 2.0
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
  const boost::shared_ptr<Point> none;
  for (auto q : {none, pt(10, 0), none, pt(2, 0), none}) s.points.push(q);
  s.numbers.push(Factory::NumberParam(0.5));
  s.numbers.push(Factory::NumberParam(1));
  const RectRegion r(s.regions, s.points, s.numbers);
  const CircleRegion c(s.regions, s.points, s.numbers);
  const ConeRegion cone(s.regions, s.points, s.numbers);
  EXPECT_EQ(text(r), "RectRegion(V(0, 0), V(0, 0))");
  EXPECT_EQ(text(c), "CircleRegion(V(0, 0), 1)");
  EXPECT_EQ(text(cone), "ConeRegion(V(0, 0), V(10, 0), 0.5)");
  EXPECT_FALSE(c.in(Vector2D(0, 0)) || cone.in(Vector2D(4, 1.9)));
  EXPECT_TRUE(s.points.empty() && s.numbers.empty());
}

TEST(Region, StackConstructorsThrowAndLeaveStacks) {
  Stacks s;
  auto error = [&s](const Factory& f) -> std::string {
    try {
      delete f.createInstance(s.regions, s.points, s.numbers);
    } catch (const parameter_error& e) {
      return e.what();
    }
    return "no error";
  };
  s.numbers.push(Factory::NumberParam(1.0));
  EXPECT_EQ(error(Factory_SimplePoint()), "too few Values for SimplePoint");
  EXPECT_EQ(error(Factory_CircleRegion()), "too few Points for CircleRegion");
  s.points.push(pt(1, 1));
  EXPECT_EQ(error(Factory_ConeRegion()), "too few Points for ConeRegion");
  EXPECT_EQ(error(Factory_RectRegion()), "too few Points for RectRegion");
  EXPECT_TRUE(s.points.size() == 1 && s.numbers.size() == 1);
  s.numbers.pop();
  EXPECT_EQ(error(Factory_CircleRegion()), "too few Values for CircleRegion");
  s.points.push(pt(2, 2));
  EXPECT_EQ(error(Factory_ConeRegion()), "too few Values for ConeRegion");
  EXPECT_TRUE(s.points.size() == 2 && s.numbers.empty());
  EXPECT_EQ(s.points.top()->get(), Vector2D(2, 2));
}
