#include "ui/StartControllerButton.h"

#include <QPushButton>
#include <QString>

#include "core/Character.h"

namespace fl3 {
namespace {

struct ControllerLook {
  std::int32_t cont;
  const char* caption;
  const char* colour;
  const char* textColour;
};

constexpr ControllerLook kLooks[] = {
    {ContMan, "MAN", "rgb(0, 255, 0)", "black"},
    {ContCpu, "CPU", "rgb(0, 0, 255)", "white"},
    {ContOff, "OFF", "rgb(255, 0, 0)", "black"},
};

const ControllerLook& LookOf(std::int32_t cont) {
  for (const ControllerLook& look : kLooks) {
    if (look.cont == cont) return look;
  }
  return kLooks[2];
}

}  // namespace

std::optional<std::int32_t> ControllerOfCaption(const QString& caption) {
  for (const ControllerLook& look : kLooks) {
    if (caption == QLatin1String(look.caption)) return look.cont;
  }
  return std::nullopt;
}

std::int32_t NextController(std::int32_t cont) {
  switch (cont) {
    case ContMan: return ContCpu;
    case ContCpu: return ContOff;
    default: return ContMan;
  }
}

void ShowController(QPushButton& button, std::int32_t cont) {
  const ControllerLook& look = LookOf(cont);
  button.setText(QString::fromLatin1(look.caption));
  // A style sheet colours the face the same on every widget style.
  button.setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2; border: 1px solid black;"
                                      " padding: 0px; font-size: 8px; }")
                           .arg(QLatin1String(look.colour), QLatin1String(look.textColour)));
}

}  // namespace fl3
