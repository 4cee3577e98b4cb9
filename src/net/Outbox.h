#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace fl3::net {

using PeerId = std::uint32_t;

// Reliable, in order: the lobby, the start, state transfers, the end.
// Unsequenced: control frames, each message repeating what is unacknowledged.
enum class Channel : std::uint8_t { Reliable = 0, Unsequenced = 1 };
inline constexpr int kChannelCount = 2;

struct Outgoing {
  PeerId peer = 0;
  Channel channel = Channel::Reliable;
  bool disconnect = false;  // close the connection once what is queued before has gone
  std::string bytes;
};

// What a session wants sent. Its messages keep their buffers between
// frames, so a running match does not allocate here.
class Outbox {
 public:
  // A message to fill; its bytes start empty.
  std::string& Add(PeerId peer, Channel channel) {
    Outgoing& item = Next();
    item.peer = peer;
    item.channel = channel;
    item.disconnect = false;
    return item.bytes;
  }
  void Disconnect(PeerId peer) {
    Outgoing& item = Next();
    item.peer = peer;
    item.disconnect = true;
  }
  std::span<const Outgoing> Items() const { return {items_.data(), count_}; }
  void Clear() { count_ = 0; }

 private:
  Outgoing& Next() {
    if (count_ == items_.size()) items_.emplace_back();
    Outgoing& item = items_[count_++];
    item.bytes.clear();
    return item;
  }
  std::vector<Outgoing> items_;
  std::size_t count_ = 0;
};

}  // namespace fl3::net
