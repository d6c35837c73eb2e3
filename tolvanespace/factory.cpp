#include "tolvanespace/factory.h"

#include "tolvanespace/region.h"

namespace vekspace {

Region* Factory_SimplePoint::createInstance(RegionStack& regions, PointStack& points,
                                            NumberStack& numbers) const {
  return new SimplePoint(regions, points, numbers);
}

Region* Factory_CircleRegion::createInstance(RegionStack& regions, PointStack& points,
                                             NumberStack& numbers) const {
  return new CircleRegion(regions, points, numbers);
}

Region* Factory_ConeRegion::createInstance(RegionStack& regions, PointStack& points,
                                           NumberStack& numbers) const {
  return new ConeRegion(regions, points, numbers);
}

Region* Factory_RectRegion::createInstance(RegionStack& regions, PointStack& points,
                                           NumberStack& numbers) const {
  return new RectRegion(regions, points, numbers);
}

} // namespace vekspace
