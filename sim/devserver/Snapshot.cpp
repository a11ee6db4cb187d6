// A top-down picture of the world: creatures, players and the labels one player was sent.

#include <fmt/format.h>

#include <algorithm>
#include <fstream>

#include "devserver/DevServer.h"

namespace devserver {
namespace {

struct Bounds {
  float minX = 0, minY = 0, maxX = 0, maxY = 0;
  bool empty = true;

  void Add(const FVector& at) {
    if (empty) {
      minX = maxX = at.X;
      minY = maxY = at.Y;
      empty = false;
      return;
    }
    minX = std::min(minX, at.X);
    maxX = std::max(maxX, at.X);
    minY = std::min(minY, at.Y);
    maxY = std::max(maxY, at.Y);
  }
  bool Contains(const FVector& at) const {
    return at.X >= minX && at.X <= maxX && at.Y >= minY && at.Y <= maxY;
  }
};

std::string Escape(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

void DevServer::WriteSnapshot(const std::vector<Word>& words) {
  if (words.size() < 2 || words.size() > 3) throw ScenarioError("snapshot takes FILE.svg [NAME]");
  const SentLabels* sent = nullptr;
  game::Player* viewer = nullptr;
  if (words.size() == 3) {
    viewer = &PlayerNamed(words[2].text);
    const auto it = labels_.find(viewer->name);
    if (it != labels_.end()) sent = &it->second;
  }

  // Around the viewer and what he was shown; otherwise the whole world.
  Bounds bounds;
  if (viewer != nullptr) {
    if (viewer->character) bounds.Add(viewer->character->Location());
    if (sent) {
      for (const auto& label : sent->labels) bounds.Add(label.at);
    }
  } else {
    for (const auto* dino : game_->Dinos()) bounds.Add(dino->Location());
    for (const auto& player : game_->Players()) {
      if (player->character) bounds.Add(player->character->Location());
    }
  }
  const float margin =
      std::max({2000.f, (bounds.maxX - bounds.minX) * 0.1f, (bounds.maxY - bounds.minY) * 0.1f});
  bounds.minX -= margin;
  bounds.minY -= margin;
  bounds.maxX += margin;
  bounds.maxY += margin;
  const float size = 1000.f;
  const float scale = size / std::max(bounds.maxX - bounds.minX, bounds.maxY - bounds.minY);
  const auto x = [&](const FVector& at) { return (at.X - bounds.minX) * scale; };
  const auto y = [&](const FVector& at) { return (bounds.maxY - at.Y) * scale; };

  std::string svg = fmt::format(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"{0}\" height=\"{0}\" "
      "font-family=\"sans-serif\" font-size=\"12\">\n<rect width=\"100%\" height=\"100%\" "
      "fill=\"#20242a\"/>\n",
      size);
  for (const auto* dino : game_->Dinos()) {
    const FVector at = dino->Location();
    if (!bounds.Contains(at)) continue;
    const char* colour = dino->IsDead()                 ? "#777777"
                         : dino->TargetingTeam <= 10000 ? "#e06c4c"
                                                        : "#4c9be0";
    svg += fmt::format("<circle cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"4\" fill=\"{}\"/>\n", x(at), y(at),
                       colour);
    svg += fmt::format("<text x=\"{:.1f}\" y=\"{:.1f}\" fill=\"#aaaaaa\">{}</text>\n", x(at) + 6,
                       y(at) + 4, Escape(dino->DescriptiveName.ToString()));
  }
  for (const auto& player : game_->Players()) {
    if (player->character == nullptr) continue;
    const FVector at = player->character->Location();
    if (!bounds.Contains(at)) continue;
    svg +=
        fmt::format("<rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"8\" height=\"8\" fill=\"#5ad45a\"/>\n",
                    x(at) - 4, y(at) - 4);
    svg += fmt::format("<text x=\"{:.1f}\" y=\"{:.1f}\" fill=\"#5ad45a\">{}</text>\n", x(at) + 6,
                       y(at) + 4, Escape(player->name));
  }
  if (sent) {
    for (const auto& label : sent->labels) {
      svg += fmt::format(
          "<text x=\"{:.1f}\" y=\"{:.1f}\" fill=\"#f5e050\" text-anchor=\"middle\">{}</text>\n",
          x(label.at), y(label.at) - 10, Escape(Utf16ToUtf8(label.text)));
    }
  }
  svg += "</svg>\n";
  std::ofstream out(words[1].text, std::ios::trunc);
  out << svg;
  if (!out) throw ScenarioError("can't write " + Excerpt(words[1].text));
}

}  // namespace devserver
