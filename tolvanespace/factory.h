#ifndef TOLVANESPACE_FACTORY_H
#define TOLVANESPACE_FACTORY_H

#include <stack>
#include <string>

#include <boost/shared_ptr.hpp>

namespace vekspace {

class Region;
class Point;

// Builds regions from the three construction stacks (regions, points,
// numbers) of a parsed region description.
class Factory {
public:
  // One number on the number stack, real or whole.
  struct NumberParam {
    enum ParamType { S_value_type = 0, S_int_type = 1 };

    NumberParam() : M_type(S_value_type), M_value(0.0), M_integer(0) {}
    explicit NumberParam(double value) : M_type(S_value_type), M_value(value), M_integer(0) {}
    explicit NumberParam(int integer) : M_type(S_int_type), M_value(0.0), M_integer(integer) {}

    double get() const { return M_type == S_int_type ? double(M_integer) : M_value; }

    ParamType M_type;
    double M_value;
    int M_integer;
  };

  typedef std::stack<boost::shared_ptr<Region> > RegionStack;
  typedef std::stack<boost::shared_ptr<Point> > PointStack;
  typedef std::stack<NumberParam> NumberStack;

  virtual ~Factory() {}
  // A new region owned by the caller; throws parameter_error when the
  // stacks hold too few entries.
  virtual Region* createInstance(RegionStack& regions, PointStack& points,
                                 NumberStack& numbers) const = 0;
  virtual void defineClass() = 0;

protected:
  explicit Factory(const std::string& name) : M_name(name) {}

  std::string M_name;
};

class SimplePoint;
class CircleRegion;
class ConeRegion;
class RectRegion;

// The factory of one kind of region, built from the stacks by R's stack
// constructor.
template <class R>
class RegionFactory : public Factory {
public:
  Region* createInstance(RegionStack& regions, PointStack& points,
                         NumberStack& numbers) const override;
  void defineClass() override {}

protected:
  explicit RegionFactory(const std::string& name) : Factory(name) {}
};

// Instantiated in factory.cpp, where the region kinds are complete.
extern template class RegionFactory<SimplePoint>;
extern template class RegionFactory<CircleRegion>;
extern template class RegionFactory<ConeRegion>;
extern template class RegionFactory<RectRegion>;

class Factory_SimplePoint : public RegionFactory<SimplePoint> {
public:
  Factory_SimplePoint() : RegionFactory("SimplePoint") {}
};

class Factory_CircleRegion : public RegionFactory<CircleRegion> {
public:
  Factory_CircleRegion() : RegionFactory("CircleRegion") {}
};

class Factory_ConeRegion : public RegionFactory<ConeRegion> {
public:
  Factory_ConeRegion() : RegionFactory("ConeRegion") {}
};

class Factory_RectRegion : public RegionFactory<RectRegion> {
public:
  Factory_RectRegion() : RegionFactory("RectRegion") {}
};

} // namespace vekspace

#endif
