#include "SimTrace.h"

#include <cmath>
#include <cstdio>

namespace fl3::sim {
namespace {

using Json = nlohmann::ordered_json;

const char* EndName(MatchEnd end) {
  switch (end) {
    case MatchEnd::Quit: return "quit";
    case MatchEnd::NoWinner: return "none";
    case MatchEnd::Winner: return "winner";
    default: return nullptr;
  }
}

Json FigureJson(const Character& figure) {
  Json json;
  json["x"] = figure.X;
  json["y"] = figure.Y;
  json["cont"] = figure.Cont;
  json["dir"] = figure.Direction;
  json["lives"] = figure.Lives;
  json["fire"] = figure.PowerFire;
  json["bombs"] = figure.PowerBombs;
  json["moving"] = figure.Moving;
  json["step"] = figure.StepOffset;
  json["anim_time"] = figure.AnimTime;
  json["anim_frame"] = figure.AnimFrame;
  return json;
}

Json BombJson(const Bomb& bomb) {
  Json json;
  json["x"] = bomb.X;
  json["y"] = bomb.Y;
  json["fuse"] = bomb.ExplodeTimeLeft;
  json["reach"] = bomb.ExplodeLevel;
  json["left"] = bomb.ExplodeLeft;
  json["up"] = bomb.ExplodeUp;
  json["right"] = bomb.ExplodeRight;
  json["down"] = bomb.ExplodeDown;
  json["duration"] = bomb.ExplodeDuration;
  json["exploded"] = bomb.Exploded;
  json["owner"] = bomb.Owner;
  return json;
}

// Whole pixel positions print as whole numbers, texture fractions as they are.
Json Number(float value) {
  if (std::floor(value) == value && std::abs(value) < 1e9f) return static_cast<std::int64_t>(value);
  return static_cast<double>(value);
}

Json DrawJson(const SpriteDraw& draw) {
  return Json::array({PictureName(draw.picture), Number(draw.x), Number(draw.y), Number(draw.width),
                      Number(draw.height), Number(draw.uLeft), Number(draw.vTop), Number(draw.uRight),
                      Number(draw.vBottom), ColourText(draw.colour)});
}

}  // namespace

std::string PictureName(const PictureRef& picture) {
  const int index = picture.index;
  switch (picture.kind) {
    case PictureKind::Tile: return "tile:" + std::to_string(index);
    case PictureKind::Background: return "background";
    case PictureKind::Font: return "font";
    case PictureKind::Character:
      return "char:" + std::to_string(index) + ":" + std::to_string(picture.step) + ":" +
             std::to_string(picture.direction);
    case PictureKind::Winner: return "win:" + std::to_string(index);
  }
  return "";
}

std::string ColourText(std::uint32_t colour) {
  char text[8];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(colour & 0xFFFFFFu));
  return text;
}

Json HeaderLine(std::int32_t tileSet, std::int32_t background) {
  Json json;
  json["tileset"] = tileSet;
  json["background"] = background;
  return json;
}

Json FrameLine(int frame, const GameState& state, const FrameOutcome& outcome, const DrawList* draws) {
  Json json;
  json["frame"] = frame;
  json["time_left"] = state.TimeLeft;
  json["beeps"] = outcome.beeps;
  const char* end = EndName(outcome.end);
  json["end"] = end ? Json(end) : Json(nullptr);
  json["winner"] = outcome.end == MatchEnd::Winner ? Json(outcome.winner) : Json(nullptr);
  json["tiles"] = state.TileMap;
  Json figures = Json::array();
  for (const Character& figure : state.Characters) figures.push_back(FigureJson(figure));
  json["figures"] = std::move(figures);
  Json bombs = Json::array();
  for (const Bomb& bomb : state.Bombs) bombs.push_back(BombJson(bomb));
  json["bombs"] = std::move(bombs);
  if (draws) {
    Json list = Json::array();
    for (const SpriteDraw& draw : draws->Draws()) list.push_back(DrawJson(draw));
    json["draw"] = std::move(list);
  }
  return json;
}

}  // namespace fl3::sim
