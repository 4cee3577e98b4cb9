#include "ui/start/StartControllerButton.h"

#include <QPushButton>
#include <QString>

#include "core/Character.h"

namespace fl3 {
namespace {

struct ControllerLook {
  SeatChoice seat;
  const char* caption;
  const char* colour;
  const char* textColour;
};

// NET is magenta: apart from the other three in hue, and for red-green
// colour blindness a light violet beside the yellowish MAN and the dark CPU.
constexpr ControllerLook kLooks[] = {
    {SeatChoice::Man, "MAN", "rgb(0, 255, 0)", "black"},
    {SeatChoice::Cpu, "CPU", "rgb(0, 0, 255)", "white"},
    {SeatChoice::Off, "OFF", "rgb(255, 0, 0)", "black"},
    {SeatChoice::Net, "NET", "rgb(255, 0, 255)", "black"},
};

const ControllerLook& LookOf(SeatChoice seat) {
  for (const ControllerLook& look : kLooks) {
    if (look.seat == seat) return look;
  }
  return kLooks[2];
}

}  // namespace

std::optional<SeatChoice> SeatOfCaption(const QString& caption) {
  for (const ControllerLook& look : kLooks) {
    if (caption == QLatin1String(look.caption)) return look.seat;
  }
  return std::nullopt;
}

SeatChoice NextSeat(SeatChoice seat, bool network) {
  switch (seat) {
    case SeatChoice::Man: return SeatChoice::Cpu;
    case SeatChoice::Cpu: return network ? SeatChoice::Net : SeatChoice::Off;
    case SeatChoice::Net: return SeatChoice::Off;
    default: return SeatChoice::Man;
  }
}

std::int32_t ContOfSeat(SeatChoice seat) {
  switch (seat) {
    case SeatChoice::Man:
    case SeatChoice::Net: return ContMan;
    case SeatChoice::Cpu: return ContCpu;
    default: return ContOff;
  }
}

SeatChoice SeatOfCont(std::int32_t cont) {
  if (cont == ContMan) return SeatChoice::Man;
  return cont == ContCpu ? SeatChoice::Cpu : SeatChoice::Off;
}

void ShowSeat(QPushButton& button, SeatChoice seat) {
  const ControllerLook& look = LookOf(seat);
  button.setText(QString::fromLatin1(look.caption));
  // A style sheet colours the face the same on every widget style.
  button.setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2; border: 1px solid black;"
                                      " padding: 0px; font-size: 8px; }"
                                      " QPushButton:disabled { background-color: rgb(200, 200, 200);"
                                      " color: rgb(110, 110, 110); border-color: rgb(150, 150, 150); }")
                           .arg(QLatin1String(look.colour), QLatin1String(look.textColour)));
}

}  // namespace fl3
