#include <fontconfig/fontconfig.h>

#include "platform/gdi/posix/font_match.h"

namespace oxi {

namespace {

// Every face the program names is a Japanese one.
constexpr const char* kFaceLanguage = "ja";

std::string StringOf(FcPattern* pattern, const char* object) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value) return {};
  return reinterpret_cast<const char*>(value);
}

// The fonts and rules of the machine, loaded once and released at exit. A configuration of
// our own rather than the library's implicit global one, which is never given back.
class Config {
 public:
  static FcConfig* Get() {
    static Config config;
    return config.config_;
  }
  ~Config() {
    if (config_) FcConfigDestroy(config_);
  }

 private:
  Config() : config_(FcInitLoadConfigAndFonts()) {}
  FcConfig* config_;
};

}  // namespace

FontMatch MatchFont(const std::string& face) {
  FontMatch match;
  FcConfig* config = Config::Get();
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return match;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
  FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(kFaceLanguage));
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* found = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (!found) return match;
  match.family = StringOf(found, FC_FAMILY);
  match.path = StringOf(found, FC_FILE);
  int index = 0;
  if (FcPatternGetInteger(found, FC_INDEX, 0, &index) == FcResultMatch) match.index = index;
  // Without any Japanese face the match still lands on some Latin one.
  FcLangSet* languages = nullptr;
  match.coversJapanese =
      FcPatternGetLangSet(found, FC_LANG, 0, &languages) == FcResultMatch && languages &&
      FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>(kFaceLanguage)) == FcLangEqual;
  FcPatternDestroy(found);
  return match;
}

}  // namespace oxi
