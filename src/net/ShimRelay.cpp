#include "net/ShimRelay.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace fl3::net {
namespace {

constexpr std::size_t kLargestDatagram = 65536;
constexpr std::size_t kMostPeers = 64;

std::uint64_t KeyOf(const sockaddr_in& address) {
  return static_cast<std::uint64_t>(address.sin_addr.s_addr) << 16 | address.sin_port;
}

int OpenSocket(std::uint32_t address, std::uint16_t port) {
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_in bound{};
  bound.sin_family = AF_INET;
  bound.sin_addr.s_addr = htonl(address);
  bound.sin_port = htons(port);
  if (bind(fd, reinterpret_cast<const sockaddr*>(&bound), sizeof bound) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

std::uint16_t PortOf(int fd) {
  sockaddr_in bound{};
  socklen_t size = sizeof bound;
  getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &size);
  return ntohs(bound.sin_port);
}

}  // namespace

ShimRelay::ShimRelay(int listenSocket, std::uint16_t listenPort, const sockaddr_in& target, Shimmed shimmed,
                     const ShimSettings& shim)
    : listen_(listenSocket), listenPort_(listenPort), target_(target), shimmed_(shimmed), shim_(shim) {}

std::unique_ptr<ShimRelay> ShimRelay::Open(std::uint16_t listenPort, bool everyAddress, const sockaddr_in& target,
                                           Shimmed shimmed, const ShimSettings& shim, std::string& error) {
  const int fd = OpenSocket(everyAddress ? INADDR_ANY : INADDR_LOOPBACK, listenPort);
  if (fd < 0) {
    error = "cannot listen on UDP port " + std::to_string(listenPort) + ": " + std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<ShimRelay>(new ShimRelay(fd, PortOf(fd), target, shimmed, shim));
}

ShimRelay::~ShimRelay() {
  close(listen_);
  for (const auto& [key, fd] : inner_) close(fd);
}

void ShimRelay::Sockets(std::vector<int>& sockets) const {
  sockets.push_back(listen_);
  for (const auto& [key, fd] : inner_) sockets.push_back(fd);
}

int ShimRelay::InnerFor(const sockaddr_in& from, std::int64_t) {
  const auto found = inner_.find(KeyOf(from));
  if (found != inner_.end()) return found->second;
  if (inner_.size() >= kMostPeers) return -1;
  const int fd = OpenSocket(INADDR_LOOPBACK, 0);
  if (fd < 0) return -1;
  inner_[KeyOf(from)] = fd;
  innerPeer_[fd] = from;
  return fd;
}

void ShimRelay::Forward(int socket, const sockaddr_in& to, std::string bytes, bool shim, std::int64_t nowMs) {
  std::array<std::int64_t, 2> at{nowMs, nowMs};
  const int copies = shim ? shim_.Arrivals(nowMs, at) : 1;
  for (int i = 0; i < copies; ++i) {
    held_.emplace(std::make_pair(at[static_cast<std::size_t>(i)], order_++), Held{socket, to, bytes});
  }
}

void ShimRelay::ReadListener(std::int64_t nowMs) {
  std::string buffer(kLargestDatagram, '\0');
  for (;;) {
    sockaddr_in from{};
    socklen_t size = sizeof from;
    const ssize_t got = recvfrom(listen_, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &size);
    if (got < 0) return;
    const int inner = InnerFor(from, nowMs);
    if (inner >= 0) Forward(inner, target_, buffer.substr(0, static_cast<std::size_t>(got)), shimmed_ == Shimmed::TowardTarget, nowMs);
  }
}

void ShimRelay::ReadInner(int socket, const sockaddr_in& peer, std::int64_t nowMs) {
  std::string buffer(kLargestDatagram, '\0');
  for (;;) {
    const ssize_t got = recv(socket, buffer.data(), buffer.size(), 0);
    if (got < 0) return;
    Forward(listen_, peer, buffer.substr(0, static_cast<std::size_t>(got)), shimmed_ == Shimmed::TowardListener, nowMs);
  }
}

void ShimRelay::Pump(std::int64_t nowMs) {
  ReadListener(nowMs);
  for (const auto& [fd, peer] : innerPeer_) ReadInner(fd, peer, nowMs);
  while (!held_.empty() && held_.begin()->first.first <= nowMs) {
    const Held& datagram = held_.begin()->second;
    sendto(datagram.socket, datagram.bytes.data(), datagram.bytes.size(), 0,
           reinterpret_cast<const sockaddr*>(&datagram.to), sizeof datagram.to);
    held_.erase(held_.begin());
  }
}

std::int64_t ShimRelay::NextDueMs() const { return held_.empty() ? -1 : held_.begin()->first.first; }

}  // namespace fl3::net
