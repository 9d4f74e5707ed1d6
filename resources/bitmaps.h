// The button and cursor bitmaps, kept as character pictures and handed out as 24-bit images.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A 24-bit image as glTexImage2D takes it with GL_BGR and GL_UNPACK_ALIGNMENT 4: rows from the
// bottom of the picture to the top, blue-green-red per pixel, each row padded to 4 bytes.
struct BitmapImage {
    int width = 0;
    int height = 0;
    int rowBytes = 0; // width * 3 rounded up to a multiple of 4
    std::vector<std::uint8_t> bytes;
};

// The image of a bitmap resource; false (out untouched) for an id that has none.
bool bitmapResource(int id, BitmapImage& out);

// Blue, green, red of the pixel in column x, row y counted from the top; no bounds check.
inline const std::uint8_t* bitmapPixel(const BitmapImage& image, int x, int yFromTop) {
    const int row = image.height - 1 - yFromTop;
    return image.bytes.data() + static_cast<std::size_t>(row) * image.rowBytes + x * 3;
}
