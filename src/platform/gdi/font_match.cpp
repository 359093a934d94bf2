#include <fontconfig/fontconfig.h>

#include "platform/gdi/font.h"

namespace oxi {

namespace {

// Every face the program names is a Japanese one.
constexpr const char* kFaceLanguage = "ja";

std::string StringOf(FcPattern* pattern, const char* object) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value) return {};
  return reinterpret_cast<const char*>(value);
}

}  // namespace

FontMatch MatchFont(const std::string& face) {
  FontMatch match;
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return match;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
  FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(kFaceLanguage));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* found = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!found) return match;
  match.family = StringOf(found, FC_FAMILY);
  match.path = StringOf(found, FC_FILE);
  int index = 0;
  if (FcPatternGetInteger(found, FC_INDEX, 0, &index) == FcResultMatch) match.index = index;
  FcPatternDestroy(found);
  return match;
}

}  // namespace oxi
