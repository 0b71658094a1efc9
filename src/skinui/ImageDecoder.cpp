// The one place that compiles stb_image; everything else sees DecodeImage.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_FAILURE_USERMSG
#include <stb_image.h>

#include <climits>

#include "skinui/Image.h"

namespace SkinUI {

uint32_t Premultiply(uint32_t argb) {
    uint32_t a = argb >> 24;
    if (a == 255) return argb;
    auto scale = [a](uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (scale((argb >> 16) & 0xFF) << 16) | (scale((argb >> 8) & 0xFF) << 8) |
           scale(argb & 0xFF);
}

ImagePtr DecodeImage(const uint8_t* bytes, size_t length, uint32_t mask) {
    if (!bytes || length == 0 || length > INT_MAX) return nullptr;
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* rgba =
        stbi_load_from_memory(bytes, static_cast<int>(length), &width, &height, &channels, 4);
    if (!rgba) return nullptr;
    auto image = std::make_shared<TLoadedImage>();
    image->width = width;
    image->height = height;
    image->pixels.resize(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < image->pixels.size(); ++i) {
        const stbi_uc* p = rgba + i * 4;
        uint32_t argb =
            (uint32_t(p[3]) << 24) | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
        uint32_t pixel = Premultiply(argb);
        if (p[3] != 255) image->hasAlpha = true;
        if (pixel == mask) {
            pixel = 0;
            image->hasAlpha = true;
        }
        image->pixels[i] = pixel;
    }
    stbi_image_free(rgba);
    return image;
}

}  // namespace SkinUI
