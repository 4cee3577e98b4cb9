#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <netinet/in.h>

#include "MachineClock.h"
#include "MachineSummary.h"
#include "net/ClientSession.h"
#include "net/EnetLink.h"
#include "net/HostSession.h"
#include "net/ShimRelay.h"

namespace fl3::netlab {

// Milliseconds of the one steady clock of this process.
std::int64_t SteadyMs();

// One machine of a network match over real ENet on 127.0.0.1 (or wherever
// the host is): its ENet host, the shim's relay in front of it when the
// network is bad on purpose, its session and its own clock. Serviced only
// by the thread that runs it.
class EnetMachine {
 public:
  virtual ~EnetMachine();
  EnetMachine(const EnetMachine&) = delete;
  EnetMachine& operator=(const EnetMachine&) = delete;

  void Sockets(std::vector<int>& sockets) const;
  // When it wants servicing next, on the steady clock.
  std::int64_t NextWakeMs() const;
  // Reads what came, runs what is due and sends what is to be sent.
  void Service(std::int64_t steadyMs);
  virtual bool Done() const = 0;
  // Once the loop is over.
  virtual MachineSummary Summary() = 0;
  const std::string& Error() const { return error_; }
  // What ENet handed over: messages on each channel, connections and disconnections.
  struct Heard {
    int reliable = 0, unsequenced = 0, connected = 0, disconnected = 0;
  };
  const Heard& HeardSoFar() const { return heard_; }

 protected:
  explicit EnetMachine(const MachineClock& clock) : clock_(clock) {}
  std::int64_t Local(std::int64_t steadyMs) const { return clock_.Local(steadyMs); }
  virtual void OnEvent(const net::LinkEvent& event, std::int64_t nowMs) = 0;
  virtual void Update(std::int64_t nowMs) = 0;
  virtual std::int64_t NextWakeLocalMs() const = 0;
  virtual net::Outbox& Out() = 0;
  // ENet's counters and the process's CPU time from the match's start to its end.
  void MeasureStart();
  void MeasureStop();
  void Fill(MachineSummary& summary) const;

  MachineClock clock_;
  std::unique_ptr<net::EnetLink> link_;
  std::unique_ptr<net::ShimRelay> relay_;
  std::string error_;

 private:
  std::vector<net::LinkEvent> events_;
  Heard heard_;
  std::int64_t startedMs_ = -1, endedMs_ = -1;
  std::uint64_t sentAtStart_ = 0, receivedAtStart_ = 0, sent_ = 0, received_ = 0;
  double cpuAtStart_ = 0, cpu_ = 0;
};

bool Shimmed(const net::ShimSettings& shim);

// The host: listens on `port` (0: any free one), behind the relay when shimmed.
class EnetHostMachine : public EnetMachine {
 public:
  EnetHostMachine(GameState& state, net::HostConfig config, std::uint16_t port, const net::ShimSettings& shim,
                  const MachineClock& clock, int waitSeconds);
  // The port the others join; 0 when listening failed (see Error()).
  std::uint16_t Port() const;
  bool Done() const override { return session_.CurrentPhase() == net::Phase::Ended; }
  MachineSummary Summary() override;
  std::vector<net::DesyncEvidence>& OutOfStep() { return outOfStep_; }
  const net::HostSession& Session() const { return session_; }
  const std::vector<net::SessionEvent>& Events() const { return events_; }

 private:
  void OnEvent(const net::LinkEvent& event, std::int64_t nowMs) override;
  void Update(std::int64_t nowMs) override;
  std::int64_t NextWakeLocalMs() const override { return session_.NextWakeMs(); }
  net::Outbox& Out() override { return session_.Out(); }

  net::HostSession session_;
  std::optional<std::int64_t> waitUntilMs_;
  int waitSeconds_;
  int roundTripMs_ = 0;
  std::vector<net::DesyncEvidence> outOfStep_;
  std::vector<net::SessionEvent> events_;
};

// A player or spectator joining `host` (with its port).
class EnetClientMachine : public EnetMachine {
 public:
  EnetClientMachine(GameState& state, net::ClientConfig config, const sockaddr_in& host, const net::ShimSettings& shim,
                    const MachineClock& clock, bool watching);
  bool Done() const override { return session_.CurrentPhase() == net::Phase::Ended; }
  MachineSummary Summary() override;
  std::vector<net::DesyncEvidence>& OutOfStep() { return outOfStep_; }
  const net::ClientSession& Session() const { return session_; }
  // Told once the host has given this machine's seats their key.
  std::function<void(const net::SeatKey& key)> onSeatKey;

 private:
  void OnEvent(const net::LinkEvent& event, std::int64_t nowMs) override;
  void Update(std::int64_t nowMs) override;
  std::int64_t NextWakeLocalMs() const override { return session_.NextWakeMs(); }
  net::Outbox& Out() override { return session_.Out(); }

  net::ClientSession session_;
  bool watching_;
  net::SeatKey told_{};
  std::vector<net::DesyncEvidence> outOfStep_;
};

// Services every machine from this one thread until all are done (and a
// moment after, for their last messages) or the deadline passes; sleeps in
// poll, never spins. Returns how much later than wanted it woke at worst:
// a machine short of CPU waits for that, not for the network.
std::int64_t RunMachines(const std::vector<EnetMachine*>& machines, std::int64_t deadlineSteadyMs);

}  // namespace fl3::netlab
