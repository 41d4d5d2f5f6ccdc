#include "formats.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace assetgen {

namespace {

struct Rgb8 {
  int r, g, b;
  bool operator==(const Rgb8&) const = default;
};

int To8(double v) {
  const double c = v < 0 ? 0 : (v > 1 ? 1 : v);
  return static_cast<int>(std::lround(c * 255.0));
}

class Bytes {
 public:
  void U8(int v) { s_.push_back(static_cast<char>(v & 0xFF)); }
  void U16(int v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(uint32_t v) {
    U16(static_cast<int>(v & 0xFFFF));
    U16(static_cast<int>(v >> 16));
  }
  void Text(const char* t) { s_.append(t); }
  void Append(const std::string& more) { s_.append(more); }
  const std::string& str() const { return s_; }

 private:
  std::string s_;
};

std::string Bmp24(int w, int h, const std::vector<Rgb8>& rgb) {
  const int stride = (w * 3 + 3) & ~3;
  const uint32_t data = static_cast<uint32_t>(stride * h);
  Bytes b;
  b.Text("BM");
  b.U32(14 + 40 + data);
  b.U32(0);
  b.U32(14 + 40);
  b.U32(40);
  b.U32(static_cast<uint32_t>(w));
  b.U32(static_cast<uint32_t>(h));  // positive: rows stored bottom-up
  b.U16(1);
  b.U16(24);
  b.U32(0);  // BI_RGB
  b.U32(data);
  b.U32(3780);  // 96 dots per inch
  b.U32(3780);
  b.U32(0);
  b.U32(0);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const Rgb8& p = rgb[static_cast<size_t>(y) * w + x];
      b.U8(p.b);
      b.U8(p.g);
      b.U8(p.r);
    }
    for (int pad = w * 3; pad < stride; ++pad) b.U8(0);
  }
  return b.str();
}

// Median cut: splits the colour box with the widest channel at its median until there are
// `count` boxes, each then represented by its mean. Deterministic, exact for pictures that
// already have no more than `count` colours.
std::vector<Rgb8> Palette(const std::vector<Rgb8>& colours, size_t count) {
  std::vector<Rgb8> unique = colours;
  std::sort(unique.begin(), unique.end(), [](const Rgb8& a, const Rgb8& b) {
    return std::tie(a.r, a.g, a.b) < std::tie(b.r, b.g, b.b);
  });
  unique.erase(std::unique(unique.begin(), unique.end()), unique.end());
  if (unique.size() <= count) return unique;
  std::vector<std::vector<Rgb8>> boxes{colours};
  while (boxes.size() < count) {
    size_t best = 0;
    int best_range = -1, best_channel = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      for (int ch = 0; ch < 3; ++ch) {
        int lo = 255, hi = 0;
        for (const Rgb8& c : boxes[i]) {
          const int v = ch == 0 ? c.r : (ch == 1 ? c.g : c.b);
          lo = std::min(lo, v);
          hi = std::max(hi, v);
        }
        if (boxes[i].size() > 1 && hi - lo > best_range) {
          best_range = hi - lo;
          best = i;
          best_channel = ch;
        }
      }
    }
    if (best_range <= 0) break;
    std::vector<Rgb8>& box = boxes[best];
    std::stable_sort(box.begin(), box.end(), [best_channel](const Rgb8& a, const Rgb8& b) {
      const int va = best_channel == 0 ? a.r : (best_channel == 1 ? a.g : a.b);
      const int vb = best_channel == 0 ? b.r : (best_channel == 1 ? b.g : b.b);
      return va < vb;
    });
    std::vector<Rgb8> upper(box.begin() + static_cast<long>(box.size() / 2), box.end());
    box.resize(box.size() / 2);
    boxes.push_back(std::move(upper));
  }
  std::vector<Rgb8> out;
  for (const auto& box : boxes) {
    long r = 0, g = 0, b = 0;
    for (const Rgb8& c : box) {
      r += c.r;
      g += c.g;
      b += c.b;
    }
    const long n = static_cast<long>(box.size());
    out.push_back(Rgb8{static_cast<int>((r + n / 2) / n), static_cast<int>((g + n / 2) / n),
                       static_cast<int>((b + n / 2) / n)});
  }
  return out;
}

int Nearest(const std::vector<Rgb8>& palette, const Rgb8& c) {
  int best = 0;
  long best_d = -1;
  for (size_t i = 0; i < palette.size(); ++i) {
    const long dr = palette[i].r - c.r, dg = palette[i].g - c.g, db = palette[i].b - c.b;
    const long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
    if (best_d < 0 || d < best_d) {
      best_d = d;
      best = static_cast<int>(i);
    }
  }
  return best;
}

// One ICO/CUR resource: a BITMAPINFOHEADER of double height, the palette, the colour
// (XOR) bits and the one-bit transparency (AND) mask, both bottom-up.
std::string IconResource(const IconImage& image) {
  const Canvas& c = *image.canvas;
  const int w = c.width(), h = c.height();
  if (image.bits != 4 && image.bits != 8) throw std::invalid_argument("icon depth");
  std::vector<Rgb8> opaque, all(static_cast<size_t>(w) * h);
  std::vector<bool> solid(all.size());
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const Pixel& p = c.at(x, y);
      const size_t i = static_cast<size_t>(y) * w + x;
      solid[i] = p.a >= 0.5;
      if (!solid[i]) continue;
      all[i] = Rgb8{To8(p.r / p.a), To8(p.g / p.a), To8(p.b / p.a)};
      opaque.push_back(all[i]);
    }
  }
  const size_t colours = image.bits == 4 ? 16 : 256;
  // Index 0 stays black: transparent pixels are black in the colour bits, so AND then XOR
  // leaves the screen untouched.
  std::vector<Rgb8> palette{Rgb8{0, 0, 0}};
  for (const Rgb8& p : Palette(opaque, colours - 1)) palette.push_back(p);
  palette.resize(colours, Rgb8{0, 0, 0});

  const int xor_stride = ((w * image.bits + 31) / 32) * 4;
  const int and_stride = ((w + 31) / 32) * 4;
  Bytes b;
  b.U32(40);
  b.U32(static_cast<uint32_t>(w));
  b.U32(static_cast<uint32_t>(h * 2));
  b.U16(1);
  b.U16(image.bits);
  b.U32(0);
  b.U32(static_cast<uint32_t>((xor_stride + and_stride) * h));
  b.U32(0);
  b.U32(0);
  b.U32(0);
  b.U32(0);
  for (const Rgb8& p : palette) {
    b.U8(p.b);
    b.U8(p.g);
    b.U8(p.r);
    b.U8(0);
  }
  for (int y = h - 1; y >= 0; --y) {
    std::string row(static_cast<size_t>(xor_stride), '\0');
    for (int x = 0; x < w; ++x) {
      const size_t i = static_cast<size_t>(y) * w + x;
      const int index = solid[i] ? Nearest(palette, all[i]) : 0;
      if (image.bits == 8) {
        row[static_cast<size_t>(x)] = static_cast<char>(index);
      } else {
        const size_t at = static_cast<size_t>(x / 2);
        row[at] = static_cast<char>(row[at] | (x % 2 == 0 ? index << 4 : index));
      }
    }
    b.Append(row);
  }
  for (int y = h - 1; y >= 0; --y) {
    std::string row(static_cast<size_t>(and_stride), '\0');
    for (int x = 0; x < w; ++x) {
      if (!solid[static_cast<size_t>(y) * w + x]) {
        row[static_cast<size_t>(x / 8)] =
            static_cast<char>(row[static_cast<size_t>(x / 8)] | (0x80 >> (x % 8)));
      }
    }
    b.Append(row);
  }
  return b.str();
}

std::string IconContainer(const IconImage& image, int type, int field1, int field2) {
  const std::string res = IconResource(image);
  Bytes b;
  b.U16(0);
  b.U16(type);
  b.U16(1);
  b.U8(image.canvas->width());
  b.U8(image.canvas->height());
  b.U8(image.bits == 4 ? 16 : 0);
  b.U8(0);
  b.U16(field1);
  b.U16(field2);
  b.U32(static_cast<uint32_t>(res.size()));
  b.U32(6 + 16);
  b.Append(res);
  return b.str();
}

}  // namespace

std::string PictureBmp(const Canvas& c, Rgb bg) {
  std::vector<Rgb8> rgb;
  for (int y = 0; y < c.height(); ++y) {
    for (int x = 0; x < c.width(); ++x) {
      const Pixel& p = c.at(x, y);
      rgb.push_back(Rgb8{To8(p.r + bg.r * (1 - p.a)), To8(p.g + bg.g * (1 - p.a)),
                         To8(p.b + bg.b * (1 - p.a))});
    }
  }
  return Bmp24(c.width(), c.height(), rgb);
}

std::string SpriteBmp(const Canvas& c, Rgb edge) {
  const int w = c.width(), h = c.height();
  std::vector<Rgb8> rgb(static_cast<size_t>(w) * h);
  std::vector<bool> solid(rgb.size());
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const Pixel& p = c.at(x, y);
      const size_t i = static_cast<size_t>(y) * w + x;
      solid[i] = p.a >= 0.5;
      if (!solid[i]) {
        rgb[i] = Rgb8{kKeyR, kKeyG, kKeyB};
        continue;
      }
      rgb[i] = Rgb8{To8(p.r + edge.r * (1 - p.a)), To8(p.g + edge.g * (1 - p.a)),
                    To8(p.b + edge.b * (1 - p.a))};
    }
  }
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const size_t i = static_cast<size_t>(y) * w + x;
      if (!solid[i]) continue;
      Rgb8& p = rgb[i];
      bool at_edge = false;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const int nx = x + dx, ny = y + dy;
          if (nx >= 0 && ny >= 0 && nx < w && ny < h && !solid[static_cast<size_t>(ny) * w + nx]) {
            at_edge = true;
          }
        }
      }
      if (at_edge) p.g = std::min(p.g, std::max(p.r, p.b) + kFringeMargin);
      if (p == Rgb8{kKeyR, kKeyG, kKeyB}) p.g = kKeyG - 1;
    }
  }
  return Bmp24(w, h, rgb);
}

std::string IconFile(const IconImage& image) {
  return IconContainer(image, 1, 1, image.bits);  // planes, bit count
}

std::string CursorFile(const IconImage& image, int hot_x, int hot_y) {
  return IconContainer(image, 2, hot_x, hot_y);
}

namespace {

uint32_t Crc32(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (char ch : bytes) {
    crc ^= static_cast<uint8_t>(ch);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

std::string BigEndian32(uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

std::string Chunk(const char* type, const std::string& data) {
  const std::string body = std::string(type) + data;
  return BigEndian32(static_cast<uint32_t>(data.size())) + body + BigEndian32(Crc32(body));
}

}  // namespace

std::string Png(const Canvas& c) {
  // Rows of filter byte 0 and straight (not premultiplied) RGBA.
  std::string raw;
  for (int y = 0; y < c.height(); ++y) {
    raw.push_back(0);
    for (int x = 0; x < c.width(); ++x) {
      const Pixel& p = c.at(x, y);
      const double a = p.a;
      for (double v : {a > 0 ? p.r / a : 0.0, a > 0 ? p.g / a : 0.0, a > 0 ? p.b / a : 0.0, a}) {
        raw.push_back(static_cast<char>(To8(v)));
      }
    }
  }
  // A zlib stream of stored deflate blocks, at most 65535 bytes each.
  std::string z = {0x78, 0x01};
  for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
    const size_t n = std::min<size_t>(65535, raw.size() - at);
    const bool last = at + n >= raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<char>(n & 0xFF));
    z.push_back(static_cast<char>(n >> 8));
    z.push_back(static_cast<char>(~n & 0xFF));
    z.push_back(static_cast<char>((~n >> 8) & 0xFF));
    z.append(raw, at, n);
    if (last) break;
  }
  uint32_t s1 = 1, s2 = 0;
  for (char ch : raw) {
    s1 = (s1 + static_cast<uint8_t>(ch)) % 65521;
    s2 = (s2 + s1) % 65521;
  }
  z += BigEndian32((s2 << 16) | s1);

  std::string header = BigEndian32(static_cast<uint32_t>(c.width())) +
                       BigEndian32(static_cast<uint32_t>(c.height()));
  header += std::string{8, 6, 0, 0, 0};  // 8 bits, RGBA, deflate, no filter, no interlace
  return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", z) +
         Chunk("IEND", "");
}

std::string Wav(const std::vector<double>& samples, int rate) {
  const uint32_t data = static_cast<uint32_t>(samples.size() * 2);
  Bytes b;
  b.Text("RIFF");
  b.U32(36 + data);
  b.Text("WAVE");
  b.Text("fmt ");
  b.U32(16);
  b.U16(1);  // PCM
  b.U16(1);  // mono
  b.U32(static_cast<uint32_t>(rate));
  b.U32(static_cast<uint32_t>(rate * 2));
  b.U16(2);
  b.U16(16);
  b.Text("data");
  b.U32(data);
  for (double s : samples) {
    const double c = s < -1 ? -1 : (s > 1 ? 1 : s);
    b.U16(static_cast<int>(std::lround(c * 32767.0)) & 0xFFFF);
  }
  return b.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace assetgen
