#include "tolvanebase/baseparams.h"

namespace vekbase {

BaseParams* BaseParams::instance() {
  static BaseParams params;
  return &params;
}

const BaseClientParam& BaseParams::clientParams() const {
  static const DefaultClientParam defaults;
  return M_cp ? *M_cp : defaults;
}

const BaseServerParam& BaseParams::serverParams() const {
  static const DefaultServerParam defaults;
  return M_sp ? *M_sp : defaults;
}

const BasePlayertypeParam& BaseParams::playertypeParams() const {
  static const DefaultPlayertypeParam defaults;
  return M_pt ? *M_pt : defaults;
}

} // namespace vekbase
