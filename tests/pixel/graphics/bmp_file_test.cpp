// Loading .bmp files: a corpus of variants made by ImageMagick from pictures this test
// draws (and a few derived from those files byte by byte where ImageMagick cannot write
// the variant), compared pixel for pixel; and broken files, which must give 0 and never
// crash (the asan preset runs this too).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "gdi_test_util.h"
#include "temp_folder.h"

namespace {
using namespace mt::test;
using gdi::ColorRef;

constexpr const char* kConvert = "/usr/bin/convert";

// A picture as ColorRefs, top row first.
struct Image {
  int32_t w = 0, h = 0;
  std::vector<ColorRef> px;
  ColorRef at(int32_t x, int32_t y) const { return px[static_cast<size_t>(y) * w + x]; }
};

// Channel values near both ends and in the middle, where 5- and 6-bit quantisation is
// easiest to get wrong.
constexpr uint8_t kLevels[8] = {0, 8, 16, 24, 231, 239, 247, 255};

ColorRef Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return r | (g << 8) | (b << 16);
}

template <typename F>
Image Draw(int32_t w, int32_t h, F colour) {
  Image im{w, h, {}};
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) im.px.push_back(colour(x, y));
  return im;
}

Image Rich() {  // up to 247 colours: truecolour, 16-bit, and an 8-bit palette
  return Draw(19, 13, [](int32_t x, int32_t y) {
    return Rgb(kLevels[x % 8], kLevels[(y * 3 + x / 2) % 8], kLevels[(x + y) % 8]);
  });
}

Image Sixteen() {  // 16 colours: a 4-bit palette, in runs of three for run-length coding
  return Draw(21, 11, [](int32_t x, int32_t y) {
    const int i = (x / 3 + 2 * y) % 16;
    return Rgb(static_cast<uint8_t>(i * 16), static_cast<uint8_t>(255 - i * 9),
               static_cast<uint8_t>((i * 77) & 0xFF));
  });
}

Image Two() {  // two colours, neither black nor white: a 1-bit palette
  return Draw(35, 9, [](int32_t x, int32_t y) {
    return (x * y + x) % 3 == 0 ? Rgb(16, 32, 48) : Rgb(200, 100, 50);
  });
}

// What a 16-bit file holds of a picture: ImageMagick keeps level v * max / 255 of each
// channel, truncated; loading widens a level by repeating its bits, so the top level is 255.
uint8_t Requantise(uint32_t v, uint32_t bits) {
  const uint32_t level = v * ((1u << bits) - 1) / 255;
  return static_cast<uint8_t>((level << (8 - bits)) | (level >> (2 * bits - 8)));
}
Image Quantised(const Image& im, uint32_t rbits, uint32_t gbits, uint32_t bbits) {
  Image q = im;
  for (ColorRef& c : q.px)
    c = Rgb(Requantise(c & 0xFF, rbits), Requantise((c >> 8) & 0xFF, gbits),
            Requantise((c >> 16) & 0xFF, bbits));
  return q;
}

void WritePpm(const std::string& path, const Image& im) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << im.w << " " << im.h << "\n255\n";
  for (ColorRef c : im.px)
    out << static_cast<char>(c & 0xFF) << static_cast<char>((c >> 8) & 0xFF)
        << static_cast<char>((c >> 16) & 0xFF);
}

// ---- Byte-level helpers for the derived variants and the broken files.
uint32_t Get32(const std::string& b, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b[at + i]);
  return v;
}
// Writes the low `bytes` bytes of v, little-endian.
void Put(std::string& b, size_t at, uint32_t v, int bytes = 4) {
  for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
}
// Shrinks the info header to `size` bytes, moving everything after it.
std::string Reheader(std::string b, uint32_t size) {
  const uint32_t old = Get32(b, 14);
  b.erase(14 + size, old - size);
  Put(b, 14, size);
  Put(b, 10, Get32(b, 10) + size - old);
  Put(b, 2, static_cast<uint32_t>(b.size()));
  return b;
}
// Turns a bottom-up uncompressed file into the top-down one of the same picture.
std::string FlipTopDown(std::string b) {
  const uint32_t off = Get32(b, 10), w = Get32(b, 18), h = Get32(b, 22);
  const uint32_t bpp = static_cast<uint8_t>(b[28]) | static_cast<uint8_t>(b[29]) << 8;
  const uint32_t stride = (w * bpp + 31) / 32 * 4;
  std::string rows = b.substr(off, stride * h);
  for (uint32_t y = 0; y < h; ++y)
    b.replace(off + y * stride, stride, rows, (h - 1 - y) * stride, stride);
  Put(b, 22, static_cast<uint32_t>(-static_cast<int32_t>(h)));
  return b;
}

// Re-encodes an uncompressed 4-bit file as 4-bit run-length (ImageMagick writes run-length
// coding for 8 bits only). Runs of one index go encoded, the rest of each row in absolute
// mode, so both modes are used.
std::string Rle4(const std::string& b4) {
  const uint32_t off = Get32(b4, 10), w = Get32(b4, 18), h = Get32(b4, 22);
  const uint32_t stride = (w * 4 + 31) / 32 * 4;
  std::string data;
  for (uint32_t y = 0; y < h; ++y) {
    const auto at = [&](uint32_t x) {
      const uint8_t two = static_cast<uint8_t>(b4[off + y * stride + x / 2]);
      return static_cast<uint8_t>(x % 2 ? two & 0xF : two >> 4);
    };
    uint32_t x = 0;
    while (x < w) {
      uint32_t run = 1;
      while (x + run < w && run < 255 && at(x + run) == at(x)) ++run;
      if (run >= 3 || w - x < 3) {
        data += static_cast<char>(run);
        data += static_cast<char>(at(x) << 4 | at(x));
        x += run;
      } else {  // absolute mode, at its shortest: three pixels in two bytes
        data += std::string("\0\3", 2);
        data += static_cast<char>(at(x) << 4 | at(x + 1));
        data += static_cast<char>(at(x + 2) << 4);
        x += 3;
      }
    }
    data += std::string("\0\0", 2);  // end of line
  }
  data += std::string("\0\1", 2);  // end of bitmap
  std::string b = b4.substr(0, off) + data;
  Put(b, 2, static_cast<uint32_t>(b.size()));
  Put(b, 30, 2);  // BI_RLE4
  Put(b, 34, static_cast<uint32_t>(data.size()));
  return b;
}

// What ImageMagick makes from the pictures, and what each file must be.
struct Variant {
  const char* image;
  const char* args;
  const char* format;
  const char* file;
  uint16_t bpp;
  uint32_t compression, header;
};
const Variant kVariants[] = {
    {"rich", "-type TrueColor -compress None", "BMP3", "24.bmp", 24, 0, 40},
    {"rich", "-type TrueColor", "BMP", "24_v5.bmp", 24, 0, 124},
    {"rich", "-type Palette -compress None", "BMP3", "8.bmp", 8, 0, 40},
    {"rich", "-type Palette -compress RLE", "BMP3", "8_rle.bmp", 8, 1, 40},
    {"rich", "-type Palette", "BMP2", "8_core.bmp", 8, 0, 12},
    {"sixteen", "-type Palette -compress None", "BMP3", "4.bmp", 4, 0, 40},
    {"sixteen", "-type Palette", "BMP2", "4_core.bmp", 4, 0, 12},
    {"two", "-type Palette -compress None", "BMP3", "1.bmp", 1, 0, 40},
    {"rich", "-type TrueColor -define bmp:subtype=RGB565", "BMP", "565_v5.bmp", 16, 3, 124},
    {"rich", "-type TrueColor -define bmp:subtype=RGB555", "BMP", "555_v5.bmp", 16, 3, 124},
    {"rich", "-type TrueColorAlpha", "BMP", "32_v5.bmp", 32, 3, 124},
    // Half-transparent: the colour channels load as they are, alpha is dropped.
    {"rich", "-alpha set -channel A -evaluate set 50% +channel", "BMP", "32_alpha.bmp", 32, 3, 124},
};

class BmpCorpus : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kConvert)) GTEST_SKIP() << "ImageMagick is not installed";
    for (auto& [name, im] :
         std::map<std::string, Image>{{"rich", Rich()}, {"sixteen", Sixteen()}, {"two", Two()}}) {
      images_[name] = im;
      WritePpm(dir_ / (name + ".ppm"), im);
    }
  }

  // Makes the variant of that file name and gives its bytes.
  std::string Made(const std::string& file) {
    const Variant& v = *std::find_if(std::begin(kVariants), std::end(kVariants),
                                     [&](const Variant& v) { return file == v.file; });
    const std::string cmd = std::string(kConvert) + " '" + (dir_ / v.image) + ".ppm' " + v.args +
                            " '" + v.format + ":" + (dir_ / file) + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
    return ReadFileBytes(dir_ / file);
  }

  // Loads a file and compares it with the picture it was made from (as a 16-bit file
  // holds it, for those).
  void ExpectLoads(const std::string& file, const Image& picture, uint16_t bpp,
                   uint32_t compression, uint32_t header) {
    SCOPED_TRACE(file);
    const std::string bytes = ReadFileBytes(dir_ / file);
    ASSERT_GE(bytes.size(), 58u);
    const bool is565 = compression == 3 && Get32(bytes, 54) == 0xF800;
    const Image want = bpp == 16 ? Quantised(picture, 5, is565 ? 6 : 5, 5) : picture;
    // The variant must really be the one we meant to test.
    EXPECT_EQ(Get32(bytes, 14), header);
    if (header != 12) {
      EXPECT_EQ(static_cast<uint8_t>(bytes[28]), bpp);
      EXPECT_EQ(Get32(bytes, 30), compression);
    }
    const gdi::Handle bitmap = gdi::LoadBitmapFile(dir_ / file);
    ASSERT_NE(bitmap, 0u);
    gdi::BitmapInfo info;
    ASSERT_EQ(gdi::GetObject(bitmap, &info), 24);
    EXPECT_EQ(info.bmBitsPixel, 32);  // always the screen's format
    ASSERT_EQ(info.bmWidth, want.w);
    ASSERT_EQ(info.bmHeight, want.h);
    const std::vector<ColorRef> got = PixelsOf(bitmap, want.w, want.h);
    gdi::DeleteObject(bitmap);
    const auto differ = std::mismatch(got.begin(), got.end(), want.px.begin()).first - got.begin();
    EXPECT_EQ(differ, static_cast<std::ptrdiff_t>(got.size()))
        << "first wrong pixel " << differ % want.w << "," << differ / want.w;
  }

  // A loaded bitmap's pixels, top row first.
  static std::vector<ColorRef> PixelsOf(gdi::Handle bitmap, int32_t w, int32_t h) {
    std::vector<ColorRef> px(static_cast<size_t>(w) * h);
    WithBitmap(bitmap, [&](gdi::Handle dc) { gdi::ReadPixels(dc, 0, 0, w, h, px.data()); });
    return px;
  }

  TempFolder dir_;
  std::map<std::string, Image> images_;
};

TEST_F(BmpCorpus, ImageMagickVariantsLoadPixelForPixel) {
  for (const Variant& v : kVariants) {
    Made(v.file);
    ExpectLoads(v.file, images_[v.image], v.bpp, v.compression, v.header);
  }
}

TEST_F(BmpCorpus, DerivedVariantsLoadPixelForPixel) {
  const std::string v5_565 = Made("565_v5.bmp"), v5_32 = Made("32_v5.bmp");

  const Image& rich = images_["rich"];
  const auto expect = [&](const std::string& file, const std::string& bytes, const Image& im,
                          uint16_t bpp, uint32_t compression, uint32_t header) {
    WriteFileBytes(dir_ / file, bytes);
    ExpectLoads(file, im, bpp, compression, header);
  };
  expect("24_topdown.bmp", FlipTopDown(Made("24.bmp")), rich, 24, 0, 40);
  expect("32_topdown.bmp", FlipTopDown(v5_32), rich, 32, 3, 124);  // masks: our own rows
  expect("1_topdown.bmp", FlipTopDown(Made("1.bmp")), images_["two"], 1, 0, 40);
  // The V4 header: the V5 one without its last 16 bytes.
  expect("32_v4.bmp", Reheader(v5_32, 108), rich, 32, 3, 108);
  expect("565_v4.bmp", Reheader(v5_565, 108), rich, 16, 3, 108);
  // The Windows 3 header with the three masks after it.
  std::string v3_565 = Reheader(v5_565, 52);  // header and masks, in place
  Put(v3_565, 14, 40);
  expect("565_v3.bmp", v3_565, rich, 16, 3, 40);
  // 16 bits without masks means 5-5-5.
  std::string plain555 = Reheader(Made("555_v5.bmp"), 40);
  Put(plain555, 30, 0);
  expect("555_plain.bmp", plain555, rich, 16, 0, 40);
  // 32 bits without masks: the fourth byte (here the alpha) is unused.
  std::string plain32 = Reheader(Made("32_alpha.bmp"), 40);
  Put(plain32, 30, 0);
  expect("32_plain.bmp", plain32, rich, 32, 0, 40);
  expect("4_rle.bmp", Rle4(Made("4.bmp")), images_["sixteen"], 4, 2, 40);
}

// ---- Files that must fail cleanly. (Missing ones: the graphics unit tests; folders, pipes
// and devices: unit_files.)

TEST_F(BmpCorpus, TruncatedFilesGiveZeroAndNeverCrash) {
  const std::map<std::string, std::string> files = {
      {"24", Made("24.bmp")}, {"8", Made("8.bmp")},        {"565", Made("565_v5.bmp")},
      {"1", Made("1.bmp")},   {"rle8", Made("8_rle.bmp")}, {"rle4", Rle4(Made("4.bmp"))},
  };
  for (const auto& [name, bytes] : files) {
    // Uncompressed, no shorter prefix (the empty file included) holds all the pixels. A
    // run-length stream cut short may load what is there, but not without its pixel headers.
    const size_t needed = name.rfind("rle", 0) == 0 ? Get32(bytes, 10) : bytes.size();
    for (size_t n = 0; n < bytes.size(); ++n) {
      WriteFileBytes(dir_ / "cut.bmp", bytes.substr(0, n));
      const gdi::Handle h = gdi::LoadBitmapFile(dir_ / "cut.bmp");
      if (n < needed) {
        ASSERT_EQ(h, 0u) << name << " cut at " << n;
      }
      gdi::DeleteObject(h);
    }
  }
}

TEST_F(BmpCorpus, ImpossibleHeadersGiveZero) {
  const std::string b24 = Made("24.bmp"), b8 = Made("8.bmp"), rle8 = Made("8_rle.bmp"),
                    b4 = Made("4.bmp"), rle4 = Rle4(b4);
  // Each case: the file it edits and the fields it writes (offset, value, bytes).
  struct Field {
    size_t at;
    uint32_t value;
    int bytes = 4;
  };
  struct Broken {
    const char* name;
    const std::string* base;
    std::vector<Field> fields;
  };
  const Broken cases[] = {
      {"absurd size", &b24, {{18, 100000}, {22, 100000}}},
      {"over the pixel cap but small rows", &b24, {{18, 1}, {22, 70000000}}},
      {"most negative height", &b24, {{22, 0x80000000u}}},
      {"zero width", &b24, {{18, 0}}},
      {"negative width", &b24, {{18, static_cast<uint32_t>(-19)}}},
      {"offset past the end", &b24, {{10, static_cast<uint32_t>(b24.size() + 10)}}},
      {"offset inside the header", &b24, {{10, 20}}},
      {"offset over the palette", &b8, {{10, 60}}},
      {"offset leaves too few pixel bytes", &b24, {{10, Get32(b24, 10) + 8}}},
      {"more colours than the depth has", &b8, {{46, 257}}},
      {"huge colour count", &b8, {{46, 0xFFFFFFF0u}}},
      {"unknown depth", &b24, {{28, 7, 2}}},
      {"two planes", &b24, {{26, 2, 2}}},
      {"embedded jpeg", &b24, {{30, 4}}},
      {"run-length at 24 bits", &b24, {{30, 1}}},
      {"top-down run-length", &rle8, {{22, static_cast<uint32_t>(-13)}}},
      {"unknown header size", &b24, {{14, 41}}},
      {"not BM", &b24, {{1, 'A', 1}}},
      // Two palette entries, but the pixels use indices up to 15.
      {"palette index beyond the palette", &b4, {{46, 2}}},
      {"run with an index beyond the palette", &rle4, {{46, 2}}},
  };
  for (const Broken& c : cases) {
    std::string bytes = *c.base;
    for (const Field& f : c.fields) Put(bytes, f.at, f.value, f.bytes);
    WriteFileBytes(dir_ / "bad.bmp", bytes);
    EXPECT_EQ(gdi::LoadBitmapFile(dir_ / "bad.bmp"), 0u) << c.name;
  }
}

TEST_F(BmpCorpus, RunsPastTheEdgesGiveZeroOrAPictureOfThePalettesColours) {
  // Hand-made 8-bit run-length streams that overrun the row and the picture, jump past
  // the end with a delta, or stop without an end marker. Whatever loads has the header's
  // size and only the palette's colours: nothing from outside the file.
  const std::string base = Made("8_rle.bmp");
  const uint32_t off = Get32(base, 10);
  const Image& rich = images_["rich"];
  const std::set<ColorRef> palette(rich.px.begin(), rich.px.end());
  const std::string streams[] = {
      std::string("\xFF\x01\xFF\x01\xFF\x01\x00\x01", 8),
      std::string("\x00\x02\xFF\xFF\x05\x01\x00\x01", 8),
      std::string("\x00\xFF\x01\x02", 4),
      std::string("\x05\x01", 2),
      std::string(400, '\x00'),
  };
  int loaded = 0;
  for (const std::string& s : streams) {
    SCOPED_TRACE(testing::PrintToString(s.substr(0, 8)));
    std::string b = base.substr(0, off) + s;
    Put(b, 2, static_cast<uint32_t>(b.size()));
    WriteFileBytes(dir_ / "runs.bmp", b);
    const gdi::Handle h = gdi::LoadBitmapFile(dir_ / "runs.bmp");
    if (h == 0) continue;
    ++loaded;
    gdi::BitmapInfo info;
    ASSERT_EQ(gdi::GetObject(h, &info), 24);
    EXPECT_EQ(info.bmWidth, rich.w);
    EXPECT_EQ(info.bmHeight, rich.h);
    for (ColorRef c : PixelsOf(h, info.bmWidth, info.bmHeight)) ASSERT_TRUE(palette.count(c)) << c;
    gdi::DeleteObject(h);
  }
  // Runs clipped at the row's end and a delta past the end still load, so the checks above
  // did run.
  EXPECT_GT(loaded, 0);
}

}  // namespace
