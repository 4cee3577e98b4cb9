#include "net/DesyncReport.h"

#include <filesystem>
#include <memory>
#include <sstream>
#include <system_error>

#include "match/SnapshotFields.h"
#include "net/NetReplay.h"
#include "net/WireMessages.h"

namespace fl3::net {
namespace {

std::string FieldText(const FieldName& name) {
  std::ostringstream text;
  text << name.group;
  const std::string group = name.group;
  if (name.index >= 0 && (group == "tile" || group == "item")) {
    text << " (" << name.index % MapWidth << ", " << name.index / MapWidth << ")";
  } else if (name.index >= 0) {
    text << ' ' << name.index;
  }
  if (*name.field != '\0') text << ' ' << name.field;
  return text.str();
}

std::string SnapshotBytes(const MatchSnapshot& snapshot) {
  std::vector<std::uint8_t> bytes;
  EncodeSnapshot(snapshot, bytes);
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

std::vector<std::string> DifferingFields(const MatchSnapshot& a, const MatchSnapshot& b, std::size_t most) {
  std::vector<std::string> fields;
  if (a.levelMusic != b.levelMusic) fields.push_back("level music: \"" + a.levelMusic + "\" / \"" + b.levelMusic + "\"");
  std::vector<std::int64_t> values;
  VisitSnapshotFields(
      a, [&](FieldName, const auto& value, FieldRange) { values.push_back(static_cast<std::int64_t>(value)); },
      [](std::size_t) { return true; });
  std::size_t at = 0;
  VisitSnapshotFields(
      b,
      [&](FieldName name, const auto& value, FieldRange) {
        if (at >= values.size()) return;
        const std::int64_t mine = values[at++];
        if (mine != static_cast<std::int64_t>(value) && fields.size() < most) {
          fields.push_back(FieldText(name) + ": " + std::to_string(mine) + " / " + std::to_string(static_cast<std::int64_t>(value)));
        }
      },
      [](std::size_t) { return true; });
  if (a.bombs.size() != b.bombs.size() && fields.size() < most) {
    fields.push_back("bomb count: " + std::to_string(a.bombs.size()) + " / " + std::to_string(b.bombs.size()));
  }
  return fields;
}

Replay ReplayOf(const DesyncEvidence& evidence) {
  return ReplayOf(evidence.start, evidence.frames, evidence.frames.size(), MatchEnd::Running, -1, 0);
}

IoResult WriteDesyncReport(const std::filesystem::path& playersFolder, const DesyncEvidence& evidence,
                           std::int64_t unixSeconds, std::string& written) {
  const std::filesystem::path where = playersFolder / "desyncs";
  std::error_code error;
  std::filesystem::create_directories(where, error);
  if (error) return IoResult::Failure("cannot make the folder " + where.string() + ": " + error.message());
  const GameFolder folder(where);
  const std::string base = "desync-" + std::to_string(unixSeconds) + "-frame-" + std::to_string(evidence.frame + 1);
  const char* self = evidence.thisMachineIsHost ? "host" : "client";

  std::ostringstream text;
  text << "FUSELARK3 " << GameVersion() << ", network protocol " << kProtocolVersion << "\n"
       << "This machine (the " << self << ") and " << evidence.otherName << " no longer agree after frame "
       << evidence.frame + 1 << ".\n"
       << "Level: " << evidence.start.levelName << ", kind " << evidence.start.kind << ".\n";
  if (evidence.host && evidence.client) {
    text << "Fields that differ (host / client):\n";
    for (const std::string& field : DifferingFields(*evidence.host, *evidence.client)) text << "  " << field << "\n";
  } else {
    text << "The other machine's state did not arrive; only this one's is kept.\n";
  }
  text << "Files: " << base << ".replay (the match up to that frame), " << base << "-host.state and " << base
       << "-client.state (the states after it, as snapshots).\n";

  if (IoResult result = folder.WriteAtomically(base + ".replay", EncodeReplay(ReplayOf(evidence))); !result) return result;
  if (evidence.host) {
    if (IoResult result = folder.WriteAtomically(base + "-host.state", SnapshotBytes(*evidence.host)); !result) return result;
  }
  if (evidence.client) {
    if (IoResult result = folder.WriteAtomically(base + "-client.state", SnapshotBytes(*evidence.client)); !result) return result;
  }
  if (IoResult result = folder.WriteAtomically(base + ".txt", text.str()); !result) return result;
  written = (where / (base + ".txt")).string();
  return IoResult::Success();
}

}  // namespace fl3::net
