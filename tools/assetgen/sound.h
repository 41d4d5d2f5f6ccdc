#pragma once
// The synthesised sounds: three weapon shots and six ambient sounds of an autumn field.
#include <string>
#include <vector>

namespace assetgen {

inline constexpr int kSampleRate = 22050;

struct Sound {
  std::string name;
  std::vector<double> samples;  // in [-1, 1]
};

std::vector<Sound> AllSounds();

}  // namespace assetgen
