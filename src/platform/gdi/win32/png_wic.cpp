#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
// After windows.h: streams in memory and the imaging component's interfaces.
#include <objbase.h>
#include <wincodec.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/gdi/surface.h"
#include "platform/text/utf16.h"

namespace oxi {

namespace {

// Golden images are at most a printed page; anything far larger is a corrupt or hostile
// file and would only exhaust memory.
constexpr UINT kMaxReadPixels = 64u * 1024u * 1024u;
constexpr int kBgrBytes = 3;
constexpr int kBgraBytes = 4;
constexpr unsigned kOpaque = 255;

// One reference to a COM object, released when it goes.
template <class T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (p_) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T* operator->() const { return p_; }
  T* Get() const { return p_; }
  T** Out() { return &p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

// COM on this thread for as long as it lives (the imaging component is a COM server).
class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (ok_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool ok_;
};

bool MakeFactory(ComRef<IWICImagingFactory>& factory) {
  return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(factory.Out())));
}

// The surface's rows in the encoder's byte order, blue first.
std::vector<BYTE> BgrRows(const Surface& s) {
  std::vector<BYTE> bgr(s.Data(), s.Data() + static_cast<std::size_t>(s.Stride()) * s.Height());
  for (std::size_t i = 0; i < bgr.size(); i += kBgrBytes) std::swap(bgr[i], bgr[i + 2]);
  return bgr;
}

// The PNG's bytes, encoded into a stream in memory; empty when that fails.
std::string Encode(IWICImagingFactory* factory, const Surface& s) {
  ComRef<IStream> stream;
  ComRef<IWICBitmapEncoder> encoder;
  ComRef<IWICBitmapFrameEncode> frame;
  ComRef<IPropertyBag2> options;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out())) ||
      FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out())) ||
      FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(frame.Out(), options.Out())) ||
      FAILED(frame->Initialize(options.Get())) ||
      FAILED(frame->SetSize(static_cast<UINT>(s.Width()), static_cast<UINT>(s.Height())))) {
    return {};
  }
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR) return {};
  std::vector<BYTE> bgr = BgrRows(s);
  STATSTG stat{};
  HGLOBAL memory = nullptr;
  if (FAILED(frame->WritePixels(static_cast<UINT>(s.Height()), static_cast<UINT>(s.Stride()),
                                static_cast<UINT>(bgr.size()), bgr.data())) ||
      FAILED(frame->Commit()) || FAILED(encoder->Commit()) ||
      FAILED(stream->Stat(&stat, STATFLAG_NONAME)) ||
      FAILED(GetHGlobalFromStream(stream.Get(), &memory))) {
    return {};
  }
  const auto* bytes = static_cast<const char*>(GlobalLock(memory));
  if (!bytes) return {};
  std::string png(bytes, static_cast<std::size_t>(stat.cbSize.QuadPart));
  GlobalUnlock(memory);
  return png;
}

// Transparent pixels are composed onto white, the colour every surface starts with.
std::uint8_t OnWhite(unsigned value, unsigned alpha) {
  return static_cast<std::uint8_t>((value * alpha + kOpaque * (kOpaque - alpha) + kOpaque / 2) /
                                   kOpaque);
}

std::optional<Surface> Decode(IWICImagingFactory* factory, const std::wstring& path) {
  ComRef<IWICBitmapDecoder> decoder;
  ComRef<IWICBitmapFrameDecode> frame;
  ComRef<IWICFormatConverter> converter;
  GUID container{};
  UINT width = 0, height = 0;
  if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, decoder.Out())) ||
      FAILED(decoder->GetContainerFormat(&container)) || container != GUID_ContainerFormatPng ||
      FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(frame->GetSize(&width, &height))) {
    return std::nullopt;
  }
  if (width == 0 || height == 0 || width > kMaxReadPixels / height) return std::nullopt;
  if (FAILED(factory->CreateFormatConverter(converter.Out())) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom))) {
    return std::nullopt;
  }
  const UINT stride = width * kBgraBytes;
  std::vector<BYTE> bgra(static_cast<std::size_t>(stride) * height);
  if (FAILED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(bgra.size()), bgra.data()))) {
    return std::nullopt;
  }
  Surface surface(static_cast<int>(width), static_cast<int>(height));
  std::uint8_t* out = surface.Data();
  for (std::size_t i = 0; i < bgra.size(); i += kBgraBytes, out += kBgrBytes) {
    const unsigned alpha = bgra[i + 3];
    out[0] = OnWhite(bgra[i + 2], alpha);
    out[1] = OnWhite(bgra[i + 1], alpha);
    out[2] = OnWhite(bgra[i], alpha);
  }
  return surface;
}

}  // namespace

std::string Surface::EncodePng() const {
  if (width_ == 0 || height_ == 0) return {};
  ComScope com;
  ComRef<IWICImagingFactory> factory;
  return MakeFactory(factory) ? Encode(factory.Get(), *this) : std::string();
}

std::optional<Surface> Surface::ReadPng(const std::string& path) {
  ComScope com;
  ComRef<IWICImagingFactory> factory;
  if (!MakeFactory(factory)) return std::nullopt;
  return Decode(factory.Get(), Utf16FromUtf8<wchar_t>(path));
}

}  // namespace oxi
