#include "platform/gdi/win32/gdi_font.h"

#include <algorithm>
#include <cwchar>
#include <string>

#include "platform/text/utf16.h"

namespace oxi {

LOGFONTW LogFontOf(const Font& font, BYTE quality) {
  LOGFONTW lf{};
  lf.lfHeight = std::max(font.height, 1);
  lf.lfWeight = font.weight;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = quality;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring face = Utf16FromUtf8<wchar_t>(font.face);
  std::wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return lf;
}

HFONT CreateDraftFont(const Font& font) {
  const LOGFONTW lf = LogFontOf(font, DRAFT_QUALITY);
  return CreateFontIndirectW(&lf);
}

}  // namespace oxi
