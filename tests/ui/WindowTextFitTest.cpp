// Every text of every window fits its place at the fonts of a plain Debian desktop, where the
// windows' condensed font is missing and the wider DejaVu Sans stands in.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionGroupBox>
#include <cstdlib>

#include "editor/EditorWindow.h"
#include "editor/MusicPropertiesDialog.h"
#include "editor/NumericPropertiesDialog.h"
#include "editor/QuestEditorWindow.h"
#include "netplay/FakeNetPlayLink.h"
#include "ScriptedDevices.h"
#include "ui/netplay/JoinDialog.h"
#include "ui/netplay/NetPlaySessionWindow.h"
#include "ui/netplay/WaitingRoom.h"
#include "ui/options/KeyTestWindow.h"
#include "ui/options/OptionsWindow.h"
#include "ui/quest/QuestChooser.h"
#include "ui/quest/QuestSummaryWindow.h"
#include "ui/quest/StageCard.h"
#include "ui/quest/StageResultWindow.h"
#include "ui/start/StartScreen.h"
#include "WindowBench.h"

namespace fl3::testing {
namespace {

// Before the first font is looked up.
const bool kPlainDesktopFonts = (::setenv("FONTCONFIG_FILE", FUSELARK3_PLAIN_FONTS, 1), true);

// Where the widget draws its text, in its parent's coordinates; empty for none.
QRect TextRect(const QWidget& widget) {
  const auto at = [&](const QRect& area, int flags, const QString& text) {
    return text.isEmpty() ? QRect() : QFontMetrics(widget.font()).boundingRect(area, flags, text).translated(widget.pos());
  };
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    return at(label->contentsRect(), static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0),
              label->text());
  }
  QStyleOptionButton option;
  option.initFrom(&widget);
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
    const auto element = qobject_cast<const QCheckBox*>(button)      ? QStyle::SE_CheckBoxContents
                         : qobject_cast<const QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                                                     : QStyle::SE_PushButtonContents;
    const int flags = element == QStyle::SE_PushButtonContents ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter;
    return at(button->style()->subElementRect(element, &option, button), flags, button->text());
  }
  if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) {
    QStyleOptionGroupBox box;
    box.initFrom(group);
    box.text = group->title();
    box.textAlignment = group->alignment();
    return group->style()->subControlRect(QStyle::CC_GroupBox, &box, QStyle::SC_GroupBoxLabel, group).translated(group->pos());
  }
  return {};
}

// Texts cut off by their own widget or its parent, or running into a sibling. Only widgets hidden
// themselves are left out: the pages of a tab control, the panels of another kind of match count.
std::vector<std::string> TextProblems(const QWidget& window) {
  std::vector<std::string> problems;
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    const QRect text = TextRect(*widget);
    if (widget->isHidden() || text.isEmpty()) continue;
    const std::string name = widget->property("text").toString().toStdString() + widget->property("title").toString().toStdString();
    if (!widget->geometry().contains(text) || !widget->parentWidget()->rect().contains(text)) problems.push_back(name + " is cut off");
    for (const QWidget* sibling : widget->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (sibling != widget && !sibling->isHidden() && text.intersects(sibling->geometry())) {
        problems.push_back(name + " runs into " + sibling->property("text").toString().toStdString());
      }
    }
  }
  return problems;
}

TEST(WindowTexts, EveryTextOfEveryWindowFitsItsPlaceWithThePlainDesktopsFonts) {
  ASSERT_FALSE(QFontInfo(QFont("DejaVu Sans Condensed")).styleName().contains("Condensed"));  // the file was read
  WindowBench bench;
  frmStart start(bench.state, bench.folder, bench.messages);
  frmOptions options(bench.state, bench.folder, bench.messages, bench.music);
  KeyTestWindow keyTest(bench.state, nullptr);
  frmNormalEdit editor(bench.state, bench.folder, bench.messages, bench.music);
  frmNormalEditPropN numbers(editor.Model());
  frmNormalEditPropT music(bench.state, bench.folder, bench.messages, bench.music);
  frmQuestEdit questEditor(bench.folder, bench.messages, {});
  frmStart hostKind(bench.state, bench.folder, bench.messages), clientKind(bench.state, bench.folder, bench.messages);
  hostKind.scrollPlay()->setValue(5);  // the rules chooser shows
  clientKind.scrollPlay()->setValue(6);  // the note that the host chooses
  JoinDialog join(bench.state, {}, 61513, bench.messages);
  NetPlaySessionWindow session(bench.folder, bench.messages);
  FakeLink host, client, spectator;
  host.host = true;
  client.stage = NetPlayLink::Stage::Connecting;
  spectator.watching = true;
  spectator.lobby.seats = {{{net::SeatState::Host, "Annabelle-Marie", 0}, {net::SeatState::Host, "Annabelle-Marie", 0},
                            {net::SeatState::Taken, "Bartholomew Quince", 380}, {net::SeatState::Left, "Cy", 0}}};
  SteppingClock clock;
  NetPlayPump hostPump(host, clock), clientPump(client, clock), spectatorPump(spectator, clock);
  WaitingRoom hostRoom(hostPump, ""), clientRoom(clientPump, "192.168.100.200:61513"),
      spectatorRoom(spectatorPump, "192.168.100.200:61513");
  // The quest's windows with the longest texts they show, in words of wide letters.
  const auto words = [](std::size_t characters) {
    std::string text;
    while (text.size() < characters) text += text.size() % 8 == 7 ? ' ' : 'W';
    return text;
  };
  const std::string longest = words(quest_limits::kBriefingCharacters);
  Quest quest{words(quest_limits::kNameCharacters), words(quest_limits::kAboutCharacters), 9, {}};
  quest.stages.assign(quest_limits::kMaxStages, {"LONGEST NAME OF A LEVEL.FL3", StageRule::MostKills, 99, 999, 99, longest,
                                                 {{CpuStrength::Normal, 99, 0}, {CpuStrength::Normal, 99, 0}, {CpuStrength::Normal, 99, 0}}});
  const std::vector<QuestChoiceEntry> quests{{{"CAMPAIGN.FLQ", quest, "", {}}, {39, false, 38, 35'999'000, {}}}};
  QuestChooser chooser(quests);
  const StageSeats seats = SeatStage(quest.stages[0], 1, {0, 1});
  const LevelData level;
  StartCharacterSheet sheet;
  StageCard card({quest, 38, 9, seats, level}, bench.folder, sheet, nullptr);
  StageResultWindow result({quest, 38, StageVerdict::Draw, {35'999'000, 99}, 9}, nullptr);
  QuestRun run(quest, 0);
  const QuestRecord record = QuestProgress().Get("", 40);
  QuestSummaryWindow summary({quest, run, record});
  for (QDialog* laidOut : std::initializer_list<QDialog*>{&join, &session, &hostRoom, &clientRoom, &spectatorRoom,
                                                          &chooser, &card, &result, &summary}) {
    laidOut->layout()->activate();
  }
  for (const QWidget* window : std::initializer_list<QWidget*>{&start, &options, &keyTest, &editor, &numbers, &music,
                                                               &questEditor, &hostKind, &clientKind, &join, &session,
                                                               &hostRoom, &clientRoom, &spectatorRoom, &chooser, &card,
                                                               &result, &summary}) {
    EXPECT_EQ(TextProblems(*window), std::vector<std::string>{}) << window->objectName().toStdString();
  }
}

}  // namespace
}  // namespace fl3::testing
