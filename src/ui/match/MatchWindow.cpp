#include "ui/match/MatchWindow.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <ctime>
#include <optional>

#include "ai/ComputerSeats.h"
#include "core/SteadyClock.h"
#include "match/MatchLoop.h"
#include "media/DrawListExecutor.h"
#include "media/ExplosionSound.h"
#include "media/Keyboard.h"

namespace fl3 {
namespace {

constexpr int kScreenWidth = 800, kScreenHeight = 600;
constexpr std::uint32_t kClearBlue = 0xFF0000FF;
constexpr int kMusicChannels = 128;

// The small window shown while the sheets are cut.
class BuildingPicturesNotice {
 public:
  explicit BuildingPicturesNotice(QWidget* over) : label_("Building Pictures - Please Wait . . .", over, Qt::Tool) {
    label_.setWindowTitle(QStringLiteral("Building Pictures - Please Wait . . ."));
    label_.setAlignment(Qt::AlignCenter);
    label_.setMinimumSize(260, 60);
    label_.show();
    label_.raise();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }

 private:
  QLabel label_;
};

}  // namespace

frmNormalGame::frmNormalGame(GameState& state, const GameFolder& folder, Messages& messages, MusicEngine& music,
                             ExplosionSound* sounds, QWidget* parent)
    : ScaledFrameWidget(parent, Qt::Window),
      state_(state),
      folder_(folder),
      messages_(messages),
      music_(music),
      sounds_(sounds),
      renderer_(kScreenWidth, kScreenHeight) {
  setWindowTitle(QString::fromLatin1(kProgramTitle));
  setCursor(Qt::BlankCursor);
  setFocusPolicy(Qt::StrongFocus);
  setWindowModality(Qt::ApplicationModal);
  renderer_.Clear(kClearBlue);
  PresentFrame(renderer_.BackBuffer());
}

frmNormalGame::~frmNormalGame() = default;

void frmNormalGame::ShowOnWholeScreen() {
  if (QScreen* whole = screen()) setGeometry(whole->geometry());
  showFullScreen();
  raise();
  activateWindow();
}

void frmNormalGame::YA(std::int32_t tileSetNumber, std::int32_t backgroundNumber, std::int32_t choice1,
                       std::int32_t choice2, std::int32_t choice3, std::int32_t choice4) {
  const std::array choices{choice1, choice2, choice3, choice4};
  SetUp(tileSetNumber, backgroundNumber, choices);
  RunFrames(tileSetNumber, backgroundNumber, choices);
  QApplication::processEvents();
  TearDown();
}

void frmNormalGame::SetUp(std::int32_t tileSetNumber, std::int32_t backgroundNumber,
                          const std::array<std::int32_t, FigureCount>& choices) {
  lastEnd_ = MatchEnd::Running;
  lastWinner_ = -1;
  framesShown_ = 0;
  activateWindow();
  setFocus();
  StartLevelMusic();
  BuildPictures(tileSetNumber, backgroundNumber, choices);
}

void frmNormalGame::StartLevelMusic() {
  if (state_.LevelMusic.empty()) return;
  const auto path = folder_.Find(state_.LevelMusic);
  if (!path) {
    messages_.Show(state_.LevelMusic + " was not found!", "File not found!", MessageIcon::Critical);
    state_.LevelMusic.clear();
    return;
  }
  music_.InitMusic(kMusicChannels);
  musicSegment_ = music_.LoadMusic(*path, true);
  ApplyMusicSettings(music_, state_.Music);
  music_.PlayMusic(musicSegment_.get(), -1);
}

void frmNormalGame::BuildPictures(std::int32_t tileSetNumber, std::int32_t backgroundNumber,
                                  const std::array<std::int32_t, FigureCount>& choices) {
  {
    BuildingPicturesNotice notice(this);
    pictures_.Build(folder_, tileSetNumber, backgroundNumber, choices, state_.Characters);
  }
  pictures_.LoadFont(folder_);
}

void frmNormalGame::RunFrames(std::int32_t tileSetNumber, std::int32_t backgroundNumber,
                              const std::array<std::int32_t, FigureCount>& choices) {
  SteadyClock steadyClock;
  Clock& clock = devices_.clock ? *devices_.clock : steadyClock;
  std::unique_ptr<KeyboardSource> keyboard = OpenKeyboard();

  MatchLoop::Hooks hooks;
  hooks.present = [this](const DrawList& draws) { Present(draws); };
  hooks.beeps = [this](int count) {
    if (sounds_) sounds_->Play(count);
  };
  hooks.afterFrame = frameWatch_;
  MatchLoop loop(state_, backgroundNumber, *keyboard, clock, hooks);
  if (pads_ != nullptr) {
    pads_->Choose(state_.Pads);
    loop.UseGamepads(*pads_);
  }
  const auto everyone = static_cast<CpuStrength>(state_.CpuStrength);
  const ComputerSeats computers(state_, strengths_.value_or(std::array{everyone, everyone, everyone, everyone}),
                                computerSeed_);
  computers.SeatOn(loop);
  std::optional<ReplayRecorder> recorder;
  if (replaySink_) {
    recorder.emplace(CaptureMatchStart(state_, tileSetNumber, backgroundNumber, choices, levelName_, computerSeed_));
    loop.RecordInto(&*recorder);
  }

  // Sleep until each frame is due instead of spinning on the clock.
  QEventLoop events;
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  const auto step = [&] {
    const MatchLoop::StepResult result = loop.Step();
    if (result.finished) {
      events.quit();
      return;
    }
    const std::int64_t sleepMs = devices_.clockRunsByItself ? 0 : result.wakeAtMs - clock.NowMs();
    wake.start(static_cast<int>(std::max<std::int64_t>(0, sleepMs)));
  };
  QObject::connect(&wake, &QTimer::timeout, &events, step);
  wake.start(0);
  events.exec();
  lastEnd_ = loop.End();
  lastWinner_ = loop.Winner();
  if (recorder) HandOverReplay(*recorder, loop.Engine());
}

void frmNormalGame::HandOverReplay(ReplayRecorder& recorder, const MatchEngine& engine) {
  if (recorder.SoFar().frames.empty()) return;
  if (recorder.TooLong()) {
    messages_.Show("This match lasted longer than a replay can hold (four hours), so it has no replay.", "Replay",
                   MessageIcon::Information);
    return;
  }
  replaySink_(recorder.Finish(lastEnd_, lastWinner_, engine, static_cast<std::int64_t>(std::time(nullptr))));
}

void frmNormalGame::Present(const DrawList& draws, const QImage* overlay) {
  renderer_.Clear(kClearBlue);
  ExecuteDrawList(draws, pictures_, renderer_);
  if (overlay != nullptr) renderer_.DrawPicture(0, kScreenHeight - overlay->height(), *overlay);
  ++framesShown_;
  PresentFrame(renderer_.BackBuffer());
}

void frmNormalGame::BeginShownMatch(const MatchStart& start) {
  std::array<std::int32_t, FigureCount> characters{};
  for (std::size_t i = 0; i < characters.size(); ++i) characters[i] = start.figures[i].character;
  SetUp(start.TileSetNumber(), start.BackgroundNumber(), characters);
}

std::unique_ptr<KeyboardSource> frmNormalGame::OpenKeyboard() {
  return devices_.keyboard ? devices_.keyboard(*this) : InitKeyboard(*this);
}

void frmNormalGame::PollPads() {
  if (pads_ != nullptr) pads_->Poll();
}

void frmNormalGame::Sound(int beeps) {
  if (beeps > 0 && sounds_ != nullptr) sounds_->Play(beeps);
}

void frmNormalGame::NoteOutcome(const FrameOutcome& outcome) {
  lastEnd_ = outcome.end;
  lastWinner_ = outcome.winner;
}

void frmNormalGame::EndShownMatch() {
  QApplication::processEvents();
  TearDown();
}

void frmNormalGame::StopLevelMusic() {
  if (state_.LevelMusic.empty()) return;
  music_.StopMusic(musicSegment_.get());
  musicSegment_.reset();
  music_.ReleaseMusic();
}

void frmNormalGame::TearDown() {
  pictures_.Release();
  StopLevelMusic();
  ResetAfterMatch(state_);
}

}  // namespace fl3
