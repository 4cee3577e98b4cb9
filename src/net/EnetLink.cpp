#include "net/EnetLink.h"

#include <enet/enet.h>

#include <algorithm>
#include <chrono>

namespace fl3::net {
namespace {

constexpr std::size_t kHostPacketLimit = 96 * 1024;       // what players send: small, a snapshot at most
constexpr std::size_t kClientPacketLimit = 4 * 1024 * 1024; // a whole long match as a transfer
constexpr int kConnectsPerAddressPerSecond = 6;
constexpr std::size_t kAddressesRemembered = 256;
// ENet drops a peer once one reliable command (its ping included) went
// unanswered through a few resends: on an ordinary lossy link that happens
// now and then. Our own silence rule, fed by every packet, decides who is
// gone; ENet's own limit is kept far beyond it.
constexpr enet_uint32 kEnetTimeoutMinimumMs = 60000;
constexpr enet_uint32 kEnetTimeoutMaximumMs = 120000;
// A peer told to go gets this long to take what was queued for it.
constexpr std::int64_t kClosingMs = 5000;

std::int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// ENet must keep sending control frames whatever its own measure of the
// link says: its throttle would drop unsequenced packets when reliable ones
// come back slowly.
void Tune(ENetPeer* peer) {
  enet_peer_throttle_configure(peer, ENET_PEER_PACKET_THROTTLE_INTERVAL, ENET_PEER_PACKET_THROTTLE_SCALE, 0);
  enet_peer_timeout(peer, ENET_PEER_TIMEOUT_LIMIT, kEnetTimeoutMinimumMs, kEnetTimeoutMaximumMs);
}

bool Started(std::string& error) {
  if (enet_initialize() == 0) return true;
  error = "ENet could not start";
  return false;
}

}  // namespace

EnetLink::EnetLink(_ENetHost* host) : host_(host) {}

EnetLink::~EnetLink() {
  if (host_ != nullptr) {
    for (auto& [id, peer] : peers_) enet_peer_disconnect_now(peer, 0);
    if (server_ != nullptr) enet_peer_disconnect_now(server_, 0);
    enet_host_flush(host_);
    enet_host_destroy(host_);
  }
  enet_deinitialize();
}

std::unique_ptr<EnetLink> EnetLink::Listen(std::uint16_t port, int maxPeers, std::string& error) {
  if (!Started(error)) return nullptr;
  ENetAddress address{};
  address.host = ENET_HOST_ANY;
  address.port = port;
  ENetHost* host = enet_host_create(&address, static_cast<std::size_t>(maxPeers), kChannelCount, 0, 0);
  if (host == nullptr) {
    enet_deinitialize();
    error = "cannot listen on UDP port " + std::to_string(port) + " (in use?)";
    return nullptr;
  }
  host->maximumPacketSize = kHostPacketLimit;
  host->maximumWaitingData = kHostPacketLimit * 4;
  return std::unique_ptr<EnetLink>(new EnetLink(host));
}

std::unique_ptr<EnetLink> EnetLink::Connect(const std::string& hostName, std::uint16_t port, std::string& error) {
  if (!Started(error)) return nullptr;
  ENetAddress address{};
  if (enet_address_set_host(&address, hostName.c_str()) != 0) {
    enet_deinitialize();
    error = "the host name " + hostName + " was not found (IPv4)";
    return nullptr;
  }
  address.port = port;
  ENetHost* host = enet_host_create(nullptr, 1, kChannelCount, 0, 0);
  if (host == nullptr) {
    enet_deinitialize();
    error = "cannot open a UDP socket";
    return nullptr;
  }
  host->maximumPacketSize = kClientPacketLimit;
  host->maximumWaitingData = kClientPacketLimit * 2;
  auto link = std::unique_ptr<EnetLink>(new EnetLink(host));
  link->server_ = enet_host_connect(host, &address, kChannelCount, 0);
  if (link->server_ == nullptr) {
    error = "cannot connect";
    return nullptr;
  }
  return link;
}

int EnetLink::Socket() const { return static_cast<int>(host_->socket); }

std::uint16_t EnetLink::BoundPort() const { return host_->address.port; }

PeerId EnetLink::IdOf(_ENetPeer* peer) {
  if (peer == server_) return 0;
  return static_cast<PeerId>(reinterpret_cast<std::uintptr_t>(peer->data));
}

// Connections from one address beyond a few a second are reset unanswered.
bool EnetLink::FloodingAddress(std::uint32_t address, std::int64_t nowMs) {
  if (attempts_.size() >= kAddressesRemembered) {
    std::erase_if(attempts_, [nowMs](const auto& entry) { return entry.second.empty() || nowMs - entry.second.back() >= 1000; });
  }
  auto& times = attempts_[address];
  std::erase_if(times, [nowMs](std::int64_t at) { return nowMs - at >= 1000; });
  times.push_back(nowMs);
  return static_cast<int>(times.size()) > kConnectsPerAddressPerSecond;
}

void EnetLink::Poll(std::vector<LinkEvent>& events) {
  ENetEvent event;
  while (enet_host_service(host_, &event, 0) > 0) {
    const bool closing = closing_.contains(event.peer);
    switch (event.type) {
      case ENET_EVENT_TYPE_CONNECT: {
        closing_.erase(event.peer);
        Tune(event.peer);
        if (event.peer == server_) {
          events.push_back({LinkEvent::Kind::Connected, 0, 0, Channel::Reliable, {}});
          break;
        }
        if (FloodingAddress(event.peer->address.host, NowMs())) {
          enet_peer_reset(event.peer);
          break;
        }
        const PeerId id = nextId_++;
        event.peer->data = reinterpret_cast<void*>(static_cast<std::uintptr_t>(id));
        peers_[id] = event.peer;
        events.push_back({LinkEvent::Kind::Connected, id, event.peer->address.host, Channel::Reliable, {}});
        break;
      }
      case ENET_EVENT_TYPE_DISCONNECT: {
        closing_.erase(event.peer);
        const PeerId id = IdOf(event.peer);
        event.peer->data = nullptr;
        if (closing || (event.peer != server_ && peers_.erase(id) == 0)) break;  // already forgotten
        events.push_back({LinkEvent::Kind::Disconnected, id, 0, Channel::Reliable, {}});
        break;
      }
      case ENET_EVENT_TYPE_RECEIVE: {
        const PeerId id = IdOf(event.peer);
        if (!closing && (event.peer == server_ || peers_.count(id) != 0)) {
          const Channel channel = event.channelID == 1 ? Channel::Unsequenced : Channel::Reliable;
          events.push_back({LinkEvent::Kind::Received, id, 0, channel,
                            std::string(reinterpret_cast<const char*>(event.packet->data), event.packet->dataLength)});
        }
        enet_packet_destroy(event.packet);
        break;
      }
      case ENET_EVENT_TYPE_NONE: break;
    }
  }
  ResetClosedTooLong(NowMs());
}

void EnetLink::Close(_ENetPeer* peer, std::int64_t nowMs) {
  enet_peer_disconnect_later(peer, 0);
  if (peer == server_) return;
  peer->data = nullptr;
  closing_[peer] = nowMs + kClosingMs;
}

// A peer that never answers its disconnect holds a slot no longer than this.
void EnetLink::ResetClosedTooLong(std::int64_t nowMs) {
  for (auto at = closing_.begin(); at != closing_.end();) {
    if (nowMs < at->second) {
      ++at;
      continue;
    }
    enet_peer_reset(at->first);
    at = closing_.erase(at);
  }
}

void EnetLink::Send(Outbox& out) {
  for (const Outgoing& item : out.Items()) {
    ENetPeer* peer = server_;
    if (server_ == nullptr) {
      const auto found = peers_.find(item.peer);
      if (found == peers_.end()) continue;
      peer = found->second;
    }
    if (item.disconnect) {
      Close(peer, NowMs());
      if (server_ == nullptr) peers_.erase(item.peer);
      continue;
    }
    const bool reliable = item.channel == Channel::Reliable;
    ENetPacket* packet = enet_packet_create(item.bytes.data(), item.bytes.size(),
                                            reliable ? ENET_PACKET_FLAG_RELIABLE : ENET_PACKET_FLAG_UNSEQUENCED);
    if (packet != nullptr && enet_peer_send(peer, reliable ? 0 : 1, packet) != 0) enet_packet_destroy(packet);
  }
  out.Clear();
}

void EnetLink::Flush() { enet_host_flush(host_); }

std::uint64_t EnetLink::BytesSent() const { return host_->totalSentData; }
std::uint64_t EnetLink::BytesReceived() const { return host_->totalReceivedData; }

}  // namespace fl3::net
