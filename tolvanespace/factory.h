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

class Factory_SimplePoint : public Factory {
public:
  Factory_SimplePoint() : Factory("SimplePoint") {}
  Region* createInstance(RegionStack& regions, PointStack& points,
                         NumberStack& numbers) const override;
  void defineClass() override {}
};

class Factory_CircleRegion : public Factory {
public:
  Factory_CircleRegion() : Factory("CircleRegion") {}
  Region* createInstance(RegionStack& regions, PointStack& points,
                         NumberStack& numbers) const override;
  void defineClass() override {}
};

class Factory_ConeRegion : public Factory {
public:
  Factory_ConeRegion() : Factory("ConeRegion") {}
  Region* createInstance(RegionStack& regions, PointStack& points,
                         NumberStack& numbers) const override;
  void defineClass() override {}
};

class Factory_RectRegion : public Factory {
public:
  Factory_RectRegion() : Factory("RectRegion") {}
  Region* createInstance(RegionStack& regions, PointStack& points,
                         NumberStack& numbers) const override;
  void defineClass() override {}
};

} // namespace vekspace

#endif
