#include "BitmapFiles.h"

namespace {
void Put16(std::string& out, unsigned value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}
void Put32(std::string& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}
} // namespace

std::string MakeBitmapFile(int width, int height, std::uint32_t (*pixel)(int, int, std::uint32_t), std::uint32_t color)
{
    const int stride = (width * 3 + 3) & ~3;
    const std::uint32_t imageSize = static_cast<std::uint32_t>(stride * height);
    std::string out = "BM";
    Put32(out, 54 + imageSize);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, imageSize);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = pixel(x, y, color);
            row += static_cast<char>(rgb & 0xFF);
            row += static_cast<char>((rgb >> 8) & 0xFF);
            row += static_cast<char>((rgb >> 16) & 0xFF);
        }
        row.resize(static_cast<std::size_t>(stride), '\0');
        out += row;
    }
    return out;
}

std::string SolidBitmapFile(int width, int height, std::uint32_t rgb)
{
    return MakeBitmapFile(width, height, [](int, int, std::uint32_t color) { return color; }, rgb);
}
