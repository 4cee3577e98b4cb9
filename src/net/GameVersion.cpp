#include "net/WireMessages.h"

namespace fl3::net {

std::string_view GameVersion() { return FUSELARK3_VERSION; }

}  // namespace fl3::net
