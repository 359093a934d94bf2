#include <png.h>

#include <cstring>

#include "platform/gdi/surface.h"

namespace oxi {

namespace {

// Golden images are at most a printed page; anything far larger is a corrupt or hostile
// file and would only exhaust memory.
constexpr png_uint_32 kMaxReadPixels = 64u * 1024u * 1024u;

}  // namespace

// The simplified libpng interface does the whole job: our buffer already has the layout
// PNG_FORMAT_RGB describes (three bytes a pixel, rows without padding).

std::string Surface::EncodePng() const {
  if (width_ == 0 || height_ == 0) return {};
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width_);
  image.height = static_cast<png_uint_32>(height_);
  image.format = PNG_FORMAT_RGB;
  // The first call measures, the second encodes into a buffer of that size.
  png_alloc_size_t size = 0;
  std::string bytes;
  if (png_image_write_to_memory(&image, nullptr, &size, 0, pixels_.data(), Stride(), nullptr)) {
    bytes.resize(size);
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels_.data(), Stride(),
                                   nullptr)) {
      size = 0;
    }
  }
  png_image_free(&image);
  bytes.resize(size);
  return bytes;
}

std::optional<Surface> Surface::ReadPng(const std::string& path) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) {
    png_image_free(&image);
    return std::nullopt;
  }
  if (image.width == 0 || image.height == 0 || image.width > kMaxReadPixels / image.height) {
    png_image_free(&image);
    return std::nullopt;
  }
  image.format = PNG_FORMAT_RGB;
  Surface surface(static_cast<int>(image.width), static_cast<int>(image.height));
  // Transparent pixels are composed onto white, the colour every surface starts with.
  png_color background{255, 255, 255};
  if (!png_image_finish_read(&image, &background, surface.Data(), surface.Stride(), nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  return surface;
}

}  // namespace oxi
