#include "tolvanespace/factory.h"

#include "tolvanespace/region.h"

namespace vekspace {

template <class R>
Region* RegionFactory<R>::createInstance(RegionStack& regions, PointStack& points,
                                         NumberStack& numbers) const {
  return new R(regions, points, numbers);
}

template class RegionFactory<SimplePoint>;
template class RegionFactory<CircleRegion>;
template class RegionFactory<ConeRegion>;
template class RegionFactory<RectRegion>;

} // namespace vekspace
