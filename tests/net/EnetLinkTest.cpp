#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "net/EnetLink.h"

namespace fl3 {
namespace {

using net::EnetLink;
using net::LinkEvent;

// Polls the links until one of `host`'s events is of `kind` or `seconds` pass.
bool HostHears(EnetLink& host, const std::vector<EnetLink*>& others, LinkEvent::Kind kind, double seconds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  std::vector<LinkEvent> events;
  while (std::chrono::steady_clock::now() < until) {
    for (EnetLink* other : others) events.clear(), other->Poll(events), other->Flush();
    events.clear();
    host.Poll(events);
    host.Flush();
    for (const LinkEvent& event : events) {
      if (event.kind == kind) return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

// A host with room for one peer tells it to go; the peer never answers (a
// dead or hostile machine). Nothing more of it reaches the session, and its
// slot is free again within seconds, so another machine gets in. Catches a
// peer forgotten by the session but kept by ENet until its own (long)
// time-out: every slot could be held that way.
TEST(EnetLinkTest, APeerToldToGoIsForgottenAndItsSlotFreedEvenIfItNeverAnswers) {
  std::string error;
  const auto host = EnetLink::Listen(0, 1, error);
  ASSERT_TRUE(host) << error;
  const auto first = EnetLink::Connect("127.0.0.1", host->BoundPort(), error);
  ASSERT_TRUE(first && HostHears(*host, {first.get()}, LinkEvent::Kind::Connected, 3));
  net::Outbox out;
  out.Disconnect(1);
  host->Send(out);
  // The first machine is never serviced again: it never answers.
  EXPECT_FALSE(HostHears(*host, {}, LinkEvent::Kind::Disconnected, 5.5));
  const auto second = EnetLink::Connect("127.0.0.1", host->BoundPort(), error);
  EXPECT_TRUE(second && HostHears(*host, {second.get()}, LinkEvent::Kind::Connected, 3));
}

}  // namespace
}  // namespace fl3
