#pragma once
#include <string>
#include <vector>

namespace fl3 {

// Every IPv4 address of this machine's network interfaces, for the host to
// tell the others; the loopback address (this machine only) last. Only read
// from the system: nothing is sent anywhere.
std::vector<std::string> LocalIpv4Addresses();

}  // namespace fl3
