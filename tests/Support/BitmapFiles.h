// BitmapFiles.h
// Holds the making of Windows bitmap files for tests: a 24-bit picture of one colour or of
// a pattern, and broken variants (cut short, lying about their size).
#pragma once

#include <cstdint>
#include <string>

// A bottom-up 24-bit BMP of `width` x `height`; `pixel(x, y)` gives 0x00RRGGBB per pixel.
std::string MakeBitmapFile(int width, int height, std::uint32_t (*pixel)(int x, int y, std::uint32_t color),
                           std::uint32_t color);
std::string SolidBitmapFile(int width, int height, std::uint32_t rgb);
