// Every text on every window of the game fits its place, at the fonts of a
// plain Debian desktop, where the windows' condensed font is missing and the
// wider DejaVu Sans takes its place.
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <cstdlib>

#include "WindowBench.h"
#include "editor/EditorWindow.h"
#include "editor/MusicPropertiesDialog.h"
#include "editor/NumericPropertiesDialog.h"
#include "ui/KeyTestWindow.h"
#include "ui/OptionsWindow.h"
#include "ui/StartScreen.h"

namespace fl3::testing {
namespace {

// Before the first font is looked up.
const bool kPlainDesktopFonts = (::setenv("FONTCONFIG_FILE", FUSELARK3_PLAIN_FONTS, 1), true);

// Where the widget draws its text, in its own coordinates; empty when it shows none.
QRect TextRect(const QWidget& widget) {
  const QFontMetrics metrics(widget.font());
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    if (label->text().isEmpty()) return {};
    const int wrap = label->wordWrap() ? Qt::TextWordWrap : 0;
    return metrics.boundingRect(label->contentsRect(), static_cast<int>(label->alignment()) | wrap, label->text());
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
    if (button->text().isEmpty()) return {};
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QStyle::SubElement contents = qobject_cast<const QCheckBox*>(button)      ? QStyle::SE_CheckBoxContents
                                        : qobject_cast<const QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                                                                    : QStyle::SE_PushButtonContents;
    const QRect area = button->style()->subElementRect(contents, &option, button);
    const bool centred = contents == QStyle::SE_PushButtonContents;
    return metrics.boundingRect(area, (centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter), button->text());
  }
  if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) {
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.subControls = QStyle::SC_GroupBoxLabel;
    return group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
  }
  return {};
}

// Each text that is cut off by its own widget or its parent, or runs into a
// sibling, described for the failure message.
std::vector<std::string> TextProblems(const QWidget& window) {
  std::vector<std::string> problems;
  const auto name = [](const QWidget* w) {
    const QString text = TextRect(*w).isEmpty() ? w->objectName() : w->property("text").toString() + w->property("title").toString();
    return (QString(w->metaObject()->className()) + " \"" + text + "\"").toStdString();
  };
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(&window)) continue;
    if (const auto* tabs = qobject_cast<const QTabBar*>(widget); tabs && tabs->tabRect(tabs->count() - 1).right() >= tabs->width()) {
      problems.push_back("the tabs do not fit their bar");
    }
    const QRect text = TextRect(*widget);
    if (text.isEmpty()) continue;
    if (!widget->rect().contains(text)) problems.push_back(name(widget) + " is cut off");
    const QWidget* parent = widget->parentWidget();
    const QRect placed = text.translated(widget->pos());
    if (!parent->rect().contains(placed)) problems.push_back(name(widget) + " runs out of its " + name(parent));
    for (const QWidget* sibling : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (sibling != widget && sibling->isVisibleTo(&window) && placed.intersects(sibling->geometry())) {
        problems.push_back(name(widget) + " runs into " + name(sibling));
      }
    }
  }
  return problems;
}

// Every page of every tab control counts, not only the one showing.
std::vector<std::string> TextProblemsOnEveryPage(QWidget& window) {
  window.show();
  QApplication::processEvents();
  std::vector<std::string> problems = TextProblems(window);
  for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
    for (int page = 1; page < tabs->count(); ++page) {
      tabs->setCurrentIndex(page);
      QApplication::processEvents();
      for (std::string& problem : TextProblems(window)) problems.push_back(tabs->tabText(page).toStdString() + ": " + problem);
    }
  }
  window.hide();
  return problems;
}

TEST(WindowTexts, EveryTextOfEveryWindowFitsItsPlaceWithThePlainDesktopsFonts) {
  ASSERT_TRUE(kPlainDesktopFonts);
  EXPECT_EQ(QFontInfo(QFont("DejaVu Sans Condensed")).styleName().contains("Condensed"), false);
  WindowBench bench;
  bench.WritePicture("C.BMP", Qt::gray, 320, 256);
  bench.WriteLevel("ARENA.FL3");
  frmStart start(bench.state, bench.folder, bench.messages);
  frmOptions options(bench.state, bench.folder, bench.messages, bench.music);
  KeyTestWindow keyTest(bench.state, nullptr);
  frmNormalEdit editor(bench.state, bench.folder, bench.messages, bench.music);
  frmNormalEditPropN numbers(editor.Model());
  frmNormalEditPropT music(bench.state, bench.folder, bench.messages, bench.music);
  for (QWidget* window : std::initializer_list<QWidget*>{&start, &options, &keyTest, &editor, &numbers, &music}) {
    EXPECT_EQ(TextProblemsOnEveryPage(*window), std::vector<std::string>{}) << window->objectName().toStdString();
  }
}

}  // namespace
}  // namespace fl3::testing
