// The link runs the match; the match window reads this machine's keys,
// draws what the link has drawn, sounds what stands, and shows the
// connection below the panels.
#include "ui/netplay/NetworkMatchScreen.h"

#include <QEventLoop>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "match/MatchDrawing.h"
#include "match/MatchLoop.h"
#include "media/Keyboard.h"
#include "net/FigureSmoother.h"
#include "ui/netplay/ConnectionReadout.h"

namespace fl3 {
namespace {

constexpr int kReadoutWidth = 800, kReadoutHeight = 18;
constexpr int kMarkWidth = 13, kMarkHeight = 8;
constexpr int kHeadTop = 6;  // where a figure's head begins in its 32 x 64 picture

// Small and pale at the right of the blue band below the panels; a warning in amber.
QImage ReadoutPicture(const std::string& text, bool warning) {
  QImage line(kReadoutWidth, kReadoutHeight, QImage::Format_ARGB32_Premultiplied);
  line.fill(Qt::transparent);
  QPainter painter(&line);
  QFont font = painter.font();
  font.setPixelSize(12);
  painter.setFont(font);
  painter.setPen(warning ? QColor(255, 210, 90) : QColor(160, 170, 255));
  painter.drawText(line.rect().adjusted(0, 0, -8, 0), Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(text));
  painter.end();
  return line;
}

// A small yellow arrow with a dark rim, pointing down at a figure's head:
// yellow stands out on grass, stone, sand and the figures' own colours.
QImage OwnMarkPicture() {
  QImage mark(kMarkWidth, kMarkHeight, QImage::Format_ARGB32_Premultiplied);
  mark.fill(Qt::transparent);
  QPainter painter(&mark);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(20, 20, 20), 1.2));
  painter.setBrush(QColor(255, 225, 0));
  painter.drawPolygon(QPolygonF({QPointF(0.5, 0.5), QPointF(kMarkWidth - 0.5, 0.5), QPointF(kMarkWidth / 2.0, kMarkHeight - 0.5)}));
  painter.end();
  return mark;
}

// A figure's pictures in the frame: on the field and its portrait in the panel.
constexpr int kMarksPerFigure = 2;
using OwnMarks = std::array<FrameMark, kMarksPerFigure * FigureCount>;

// This machine's figures, each marked above its head on the field and above
// its portrait in the panel (kept on the screen); none over the winner picture.
int MarkOwnFigures(const DrawList& draws, std::uint8_t own, const QImage& picture, OwnMarks& marks) {
  const auto& list = draws.Draws();
  if (own == 0 || list.empty() || list.back().picture.kind == PictureKind::Winner) return 0;
  int count = 0;
  for (const SpriteDraw& draw : list) {
    const int figure = draw.picture.index;
    if (draw.picture.kind != PictureKind::Character || figure < 0 || figure >= FigureCount || (own >> figure & 1u) == 0) {
      continue;
    }
    const int x = static_cast<int>(draw.x + draw.width / 2) - kMarkWidth / 2;
    const int y = std::max(0, static_cast<int>(draw.y) + kHeadTop - kMarkHeight - 1);
    marks[static_cast<std::size_t>(count++)] = {x, y, &picture};
    if (count == static_cast<int>(marks.size())) break;
  }
  return count;
}

// A frame played ahead on predictions may end in a win that a correction
// takes back: the picture shows only once the winning frame stands.
void DropWinnerNotStanding(DrawList& draws, const FrameOutcome& standing) {
  const auto& list = draws.Draws();
  if (standing.end != MatchEnd::Winner && !list.empty() && list.back().picture.kind == PictureKind::Winner) {
    draws.RemoveLast();
  }
}

void EnsureWinnerPicture(DrawList& draws, int winner) {
  const auto& list = draws.Draws();
  if (list.empty() || list.back().picture.kind != PictureKind::Winner) DrawWinner(draws, winner);
}

// The pump services the link; the window reads the keys before and shows,
// sounds and ends after. The link is serviced on through the winner
// picture, so that the host can see every machine to the end.
void RunNetworkFrames(frmNormalGame& window, NetPlayPump& pump, KeyState& keys,
                      const std::function<bool()>& padAsksToLeave) {
  NetPlayLink& link = pump.Link();
  const std::unique_ptr<KeyboardSource> keyboard = window.OpenKeyboard();
  DrawList draws;
  ConnectionReadout readout;
  QImage readoutPicture;
  const QImage ownMark = OwnMarkPicture();
  OwnMarks marks{};
  net::FigureSmoother smoother;
  const std::string role = link.Watching() ? "Watching  \u00b7  " : "";
  // For the end-to-end test, which cannot read the picture: each new line
  // also goes to the log.
  const bool logLine = std::getenv("FUSELARK3_LOG_NET_LINE") != nullptr;
  KeyState read{};
  bool quitAsked = false, keysTaken = true;
  std::int64_t winnerSinceMs = -1;
  QEventLoop events;

  NetPlayPump::Frames frames;
  frames.draw = &draws;
  frames.before = [&](std::int64_t nowMs) {
    if (link.CurrentStage() == NetPlayLink::Stage::Over) return;
    keyboard->ReadKeyboard(read);
    window.PollPads();
    // A tap between two frames still counts in the next one.
    for (std::size_t i = 0; i < keys.size(); ++i) keys[i] = keysTaken ? read[i] : static_cast<std::uint8_t>(keys[i] | read[i]);
    const bool ended = link.Outcome().end != MatchEnd::Running;
    if (!quitAsked && !ended && (KeyDown(read, kEscapeKey) || (padAsksToLeave && padAsksToLeave()))) {
      quitAsked = true;
      link.Quit(nowMs);
    }
  };
  frames.after = [&](const NetPlayStep& done, std::int64_t nowMs) {
    keysTaken = done.newFrame;
    const FrameOutcome outcome = link.Outcome();
    const bool over = quitAsked || outcome.end != MatchEnd::Running || link.CurrentStage() == NetPlayLink::Stage::Over;
    readout.Took(nowMs, done, link.RoundTripMs());
    const bool lineChanged = readout.Due(nowMs) && readout.Refresh(nowMs, link.SeatNotice(nowMs), over);
    if (lineChanged) readoutPicture = ReadoutPicture(role + readout.Text(), readout.Warning());
    if (lineChanged && logLine) std::fprintf(stderr, "network line: %s\n", readout.Text().c_str());
    if (done.drawn) DropWinnerNotStanding(draws, outcome);
    // A corrected figure is drawn on between frames until it is back where the match has it.
    const bool wasCatchingUp = smoother.CatchingUp();
    if (const net::NetMatch* match = link.Match()) {
      smoother.Follow(match->Runner(), link.OwnFigures(), nowMs);
      smoother.Place(draws);
    }
    const bool moved = wasCatchingUp || smoother.CatchingUp();
    const int marked = MarkOwnFigures(draws, link.OwnFigures(), ownMark, marks);
    // A frame that ends the match by Escape draws no field: the last picture
    // stays, rather than a bare blue screen.
    if ((done.drawn || lineChanged || moved) && !draws.Draws().empty()) {
      window.ShowFrame(draws, &readoutPicture, std::span(marks.data(), static_cast<std::size_t>(marked)));
    }
    window.Sound(done.beeps);
    window.NoteOutcome(outcome);
    if (outcome.end == MatchEnd::Winner && winnerSinceMs < 0) {
      EnsureWinnerPicture(draws, outcome.winner);
      window.ShowFrame(draws, &readoutPicture);
      winnerSinceMs = nowMs;
    }
    const bool winnerShown = winnerSinceMs < 0 || nowMs - winnerSinceMs >= MatchLoop::kWinnerShowMs;
    // The host's Escape, once it stands, ends the match on the screen at
    // once; the host's last word to the others goes out after it.
    const bool ended = link.CurrentStage() == NetPlayLink::Stage::Over || outcome.end == MatchEnd::Quit;
    if (ended && winnerShown) events.quit();
  };
  pump.SetFrames(std::move(frames));
  events.exec();
  pump.SetFrames({});
}

}  // namespace

void PlayNetworkMatch(frmNormalGame& window, NetPlayPump& pump, KeyState& keys,
                      const std::function<bool()>& padAsksToLeave) {
  if (const MatchStart* start = pump.Link().Start()) {
    window.BeginShownMatch(*start);
    RunNetworkFrames(window, pump, keys, padAsksToLeave);
    window.EndShownMatch();
  }
}

}  // namespace fl3
