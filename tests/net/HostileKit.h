#pragma once
#include <random>
#include <string>
#include <vector>

#include "NetLab.h"
#include "NetTestKit.h"
#include "net/PasswordProof.h"
#include "net/WireMessages.h"

namespace fl3::testing {

inline constexpr const char* kPassword = "open sesame";

// Scripted players behind a password: such a match is the same however its
// messages travel, so a run with a hostile peer can be held against a run
// without. Figure 3's player holds nothing.
inline netlab::LabSettings ScriptedMatch() {
  netlab::LabSettings settings;
  settings.start = NetTestStart(MatchMostKills, 9, 30);
  settings.scripted = true;
  settings.password = kPassword;
  std::mt19937 random(4);
  for (int figure = 0; figure < 3; ++figure) {
    auto& script = settings.scripts[static_cast<std::size_t>(figure)];
    while (script.size() < 700) script.insert(script.end(), 3 + random() % 20, UnpackFigure(random() % 32));
  }
  for (std::size_t i = 0; i < settings.shims.size(); ++i) settings.shims[i] = {40, 10, 0.03, 0.01, 0.01, 50 + i};
  settings.timeLimitMs = 3 * 60 * 1000;  // a frozen match fails soon
  return settings;
}

inline std::string HelloFrom(const std::string& name, const std::string& version = std::string(GameVersion()),
                             net::Role role = net::Role::Player, const net::SeatKey& key = {}) {
  std::string bytes;
  Encode(net::Hello{net::kProtocolVersion, version, role, static_cast<std::uint8_t>(role == net::Role::Player), name, key}, bytes);
  return bytes;
}

inline const std::string* FirstOfType(const std::vector<std::string>& heard, net::MessageType type) {
  for (const std::string& bytes : heard) {
    if (net::TypeOf(bytes) == static_cast<std::uint8_t>(type)) return &bytes;
  }
  return nullptr;
}

// What a player that holds the match's setup says while it waits for the Start.
inline std::string Ready(const net::LinkStamp& stamp, std::uint8_t figures) {
  net::Inputs inputs;
  inputs.link = stamp;
  inputs.figures = figures;
  std::string bytes;
  Encode(inputs, bytes);
  return bytes;
}

// The answer to a challenge, with the password given.
inline std::string AnswerTo(const std::string& challengeBytes, const std::string& password, const std::string& name) {
  net::Challenge challenge;
  net::PasswordKey key{};
  std::string answer;
  if (net::Decode(challengeBytes, challenge) && net::DeriveKey(password, challenge.salt, key)) {
    Encode(net::Answer{net::Prove(key, challenge.nonce, name)}, answer);
  }
  return answer;
}

}  // namespace fl3::testing
