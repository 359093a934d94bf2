#pragma once
#include <string>

namespace oxi {

// The installed face that a face name resolves to.
struct FontMatch {
  std::string family;           // e.g. "IPAGothic"
  std::string path;             // font file; empty when nothing at all is installed
  int index = 0;                // face within the file
  bool coversJapanese = false;  // false: no Japanese face is installed, kana show as boxes
};

// Resolves a face name the way the drawing code means it: the names are Japanese Windows
// faces, so the match asks for a face covering Japanese and lands on an installed Japanese
// Gothic instead of a Latin default.
FontMatch MatchFont(const std::string& face);

}  // namespace oxi
