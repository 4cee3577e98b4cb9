#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "net/Outbox.h"

struct _ENetHost;
struct _ENetPeer;

namespace fl3::net {

// The default UDP port of a network match: in IANA's dynamic range (never
// assigned to a service) and above Linux's range for outgoing ports.
inline constexpr std::uint16_t kDefaultPort = 61513;

struct LinkEvent {
  enum class Kind : std::uint8_t { Connected, Disconnected, Received } kind = Kind::Received;
  PeerId peer = 0;
  std::uint32_t address = 0;  // the peer's IPv4 address, on Connected
  Channel channel = Channel::Reliable;
  std::string bytes;
};

// ENet 1.3 as a thin adapter for a session: one ENetHost, serviced only by
// the thread that owns this object. IPv4 only, as ENet is.
class EnetLink {
 public:
  // A host listening on `port` of every local address; room for `maxPeers`.
  static std::unique_ptr<EnetLink> Listen(std::uint16_t port, int maxPeers, std::string& error);
  // A client connecting to host:port; the connection comes as an event.
  static std::unique_ptr<EnetLink> Connect(const std::string& host, std::uint16_t port, std::string& error);
  ~EnetLink();
  EnetLink(const EnetLink&) = delete;
  EnetLink& operator=(const EnetLink&) = delete;

  // The socket to wait on, for a caller that waits on more than ENet.
  int Socket() const;
  // Everything that came in since the last call (nothing blocks).
  void Poll(std::vector<LinkEvent>& events);
  // Sends a session's outbox (and empties it); a client's messages all go to
  // the host. A peer told to disconnect is forgotten at once: no event of it
  // comes any more, and its slot is freed within seconds even if it never
  // answers.
  void Send(Outbox& out);
  void Flush();

  // ENet's own count, its headers included.
  std::uint64_t BytesSent() const;
  std::uint64_t BytesReceived() const;
  std::uint16_t BoundPort() const;
  // Connections still open, those told to go included until they took
  // what was sent them or ran out of time.
  int OpenConnections() const { return static_cast<int>(peers_.size() + closing_.size()); }

 private:
  explicit EnetLink(_ENetHost* host);
  PeerId IdOf(_ENetPeer* peer);
  bool FloodingAddress(std::uint32_t address, std::int64_t nowMs);
  void Close(_ENetPeer* peer, std::int64_t nowMs);
  void ResetClosedTooLong(std::int64_t nowMs);

  _ENetHost* host_;
  _ENetPeer* server_ = nullptr;  // a client's one peer
  std::map<PeerId, _ENetPeer*> peers_;
  std::map<_ENetPeer*, std::int64_t> closing_;  // peers told to go, until when they may take
  PeerId nextId_ = 1;
  std::map<std::uint32_t, std::vector<std::int64_t>> attempts_;  // recent connections by address
};

}  // namespace fl3::net
