#pragma once
// Decoded images, ready to draw: 32-bit pixels, premultiplied BGRA, top-down
// (in memory B, G, R, A; read as a 32-bit value 0xAARRGGBB).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace SkinUI {

struct TLoadedImage {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;  // some pixel is not fully opaque, or was masked out
    std::vector<uint32_t> pixels;

    uint32_t Pixel(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

using ImagePtr = std::shared_ptr<const TLoadedImage>;

// The resource type that makes the name a colour: optional "#", hexadecimal
// AARRGGBB, one pixel of it.
inline constexpr wchar_t kColorImageType[] = L"*COLOR*";

// Without a type: the name from the disk under the resource path (no archive
// set) or from the archive, then the name itself as a path. With a type other
// than "*COLOR*": the program's resource (name, type). A pixel whose
// premultiplied value equals mask becomes transparent. Null on any failure.
ImagePtr LoadImage(const std::wstring& name, const std::wstring& type = {}, uint32_t mask = 0);

// Decodes PNG, JPEG, BMP, GIF (first frame) or PSD bytes and premultiplies.
ImagePtr DecodeImage(const uint8_t* bytes, size_t length, uint32_t mask);

// One pixel converted to premultiplied BGRA (0xAARRGGBB with the colour
// channels scaled by alpha, rounded to nearest).
uint32_t Premultiply(uint32_t argb);

}  // namespace SkinUI
