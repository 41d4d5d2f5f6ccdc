#pragma once
// The file formats we ship: 24-bit BMP (plain pictures and green-keyed sprite sheets),
// Windows icon and cursor files, and 16-bit mono PCM WAV.
#include <string>
#include <vector>

#include "canvas.h"

namespace assetgen {

// The colour that marks a sprite sheet's transparent pixels.
inline constexpr int kKeyR = 0, kKeyG = 255, kKeyB = 0;
// An opaque pixel touching a transparent one may not have green above both red and blue by
// more than this, or the edge shows as a green fringe once the key colour is cut out.
inline constexpr int kFringeMargin = 12;

// The picture flattened onto an opaque background colour.
std::string PictureBmp(const Canvas& canvas, Rgb background);
// A sprite sheet: coverage below one half becomes the key colour; partly covered edge
// pixels are blended toward `edge` (a dark, neutral colour) instead of toward the key.
std::string SpriteBmp(const Canvas& canvas, Rgb edge);

struct IconImage {
  const Canvas* canvas;  // 32 x 32; coverage of one half or more is opaque
  int bits;              // 4 (16 colours) or 8 (256 colours)
};
std::string IconFile(const IconImage& image);
std::string CursorFile(const IconImage& image, int hot_x, int hot_y);

// Samples in [-1, 1], written as 16-bit mono PCM.
// A PNG with alpha, for the desktop's icon theme (stored, not compressed: icons are small).
std::string Png(const Canvas& canvas);

std::string Wav(const std::vector<double>& samples, int rate);

void WriteFile(const std::string& path, const std::string& bytes);

}  // namespace assetgen
