#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/KeyState.h"
#include "ui/netplay/NetPlayLink.h"

namespace fl3::testing {

// A link whose every answer the test sets; Service runs the test's script.
struct FakeLink : NetPlayLink {
  NetPlayStep Service(std::int64_t nowMs, DrawList* draw) override {
    ++services;
    NetPlayStep step = script ? script(nowMs, draw) : NetPlayStep{};
    if (step.newFrame && keys != nullptr) frameKeys.push_back(*keys);
    return step;
  }
  std::int64_t NextWakeMs() const override { return 0; }
  Stage CurrentStage() const override { return stage; }
  net::Lobby LobbyView() const override { return lobby; }
  std::uint8_t OwnFigures() const override { return own; }
  int RoundTripMs() const override { return 84; }
  const MatchStart* Start() const override { return &start; }
  FrameOutcome Outcome() const override { return outcome; }
  const NetPlayEnd& End() const override { return end; }
  std::optional<Replay> MatchReplay(std::int64_t) const override { return std::nullopt; }
  void Quit(std::int64_t) override { ++quits; }
  bool IsHost() const override { return host; }
  bool Watching() const override { return watching; }
  bool CanStart() const override { return canStart; }
  bool StartMatch(std::int64_t) override { return stage = Stage::Running, canStart; }
  std::uint16_t Port() const override { return 61513; }
  // As the host's: fixed once anybody is in.
  bool SetPassword(const std::string& password) override {
    for (const net::Lobby::Seat& seat : lobby.seats) {
      if (seat.state == net::SeatState::Taken) return false;
    }
    return passwords.push_back(password), true;
  }
  void HoldAdmissions(bool hold) override { held = hold; }

  std::function<NetPlayStep(std::int64_t, DrawList*)> script;
  Stage stage = Stage::Lobby;
  net::Lobby lobby;
  MatchStart start;
  FrameOutcome outcome;
  NetPlayEnd end;
  bool host = false, canStart = false, watching = false, held = false;
  std::uint8_t own = 0;
  const KeyState* keys = nullptr;
  std::vector<KeyState> frameKeys;  // what the seats held in each new frame
  std::vector<std::string> passwords;
  int services = 0, quits = 0;
};

}  // namespace fl3::testing
