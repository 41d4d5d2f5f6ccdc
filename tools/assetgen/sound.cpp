#include "sound.h"

#include <algorithm>
#include <cmath>

#include "pen.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = kSampleRate;

using Wave = std::vector<double>;

Wave Silence(double seconds) {
  return Wave(static_cast<size_t>(seconds * kRate), 0.0);
}

double T(size_t i) {
  return static_cast<double>(i) / kRate;
}

// Adds `w` into `into` starting at `at` seconds, scaled by `gain`.
void MixIn(Wave& into, const Wave& w, double at, double gain) {
  const size_t start = static_cast<size_t>(at * kRate);
  for (size_t i = 0; i < w.size() && start + i < into.size(); ++i) into[start + i] += w[i] * gain;
}

// RBJ biquad band-pass (constant peak gain), centre frequency may change per sample.
class BandPass {
 public:
  double Step(double x, double freq, double q) {
    const double w0 = 2 * kPi * freq / kRate, alpha = std::sin(w0) / (2 * q), cs = std::cos(w0);
    const double a0 = 1 + alpha;
    const double b0 = alpha / a0, b2 = -alpha / a0, a1 = -2 * cs / a0, a2 = (1 - alpha) / a0;
    const double y = b0 * x + b2 * x2_ - a1 * y1_ - a2 * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
  }

 private:
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

class LowPass {
 public:
  double Step(double x, double cutoff) {
    const double k = 1 - std::exp(-2 * kPi * cutoff / kRate);
    y_ += (x - y_) * k;
    return y_;
  }

 private:
  double y_ = 0;
};

class HighPass {
 public:
  double Step(double x, double cutoff) { return x - low_.Step(x, cutoff); }

 private:
  LowPass low_;
};

double Noise(Rng& rng) {
  return rng.Range(-1, 1);
}

// Raised-cosine fades at both ends, then the peak set to `peak` of full scale. The fades
// start and end at exactly zero, so playback starts and stops without a click.
Wave Finish(Wave w, double fade_in, double fade_out, double peak) {
  const size_t in = static_cast<size_t>(fade_in * kRate),
               out = static_cast<size_t>(fade_out * kRate);
  for (size_t i = 0; i < in && i < w.size(); ++i) w[i] *= 0.5 - 0.5 * std::cos(kPi * i / in);
  for (size_t i = 0; i < out && i < w.size(); ++i)
    w[w.size() - 1 - i] *= 0.5 - 0.5 * std::cos(kPi * i / out);
  double top = 0;
  for (double s : w) top = std::max(top, std::abs(s));
  if (top > 0) {
    for (double& s : w) s *= peak / top;
  }
  return w;
}

// ---- weapons ----

Wave Shotgun() {
  Rng rng(101);
  Wave w = Silence(0.7);
  LowPass boom, body;
  HighPass crack;
  for (size_t i = 0; i < w.size(); ++i) {
    const double t = T(i), n = Noise(rng);
    const double thump =
        std::sin(2 * kPi * (38 * t + 40 * (1 - std::exp(-t / 0.05)) * 0.05)) * std::exp(-t / 0.11);
    w[i] = 0.9 * crack.Step(n, 3000) * std::exp(-t / 0.012) +
           2.6 * boom.Step(n, 500) * std::exp(-t / 0.09) +
           1.2 * body.Step(n, 1400) * std::exp(-t / 0.04) + 0.6 * thump;
  }
  // The report coming back from the trees.
  Wave echo = w;
  LowPass soft;
  for (double& s : echo) s = soft.Step(s, 900);
  MixIn(w, echo, 0.16, 0.35);
  return Finish(w, 0.008, 0.12, 0.8);
}

Wave Flame() {
  Rng rng(202);
  Wave w = Silence(0.95);
  BandPass roar, hiss;
  LowPass rumble;
  for (size_t i = 0; i < w.size(); ++i) {
    const double t = T(i), n = Noise(rng);
    const double swell = std::min(1.0, t / 0.12) * std::exp(-std::max(0.0, t - 0.45) / 0.2);
    const double centre = 500 + 900 * std::sin(kPi * std::min(1.0, t / 0.9));
    double crackle = 0;
    if (rng.Unit() < 0.012) crackle = rng.Range(-1, 1) * 3;
    w[i] = swell * (1.8 * roar.Step(n, centre, 1.2) + 0.5 * hiss.Step(n, 3500, 0.8) +
                    3 * rumble.Step(n, 160)) +
           crackle * swell * 0.5;
  }
  return Finish(w, 0.03, 0.15, 0.75);
}

Wave Rifle() {
  Rng rng(303);
  Wave w = Silence(0.6);
  HighPass crack;
  LowPass boom;
  double phase = 0;
  for (size_t i = 0; i < w.size(); ++i) {
    const double t = T(i), n = Noise(rng);
    // The crack, then the ricochet whine falling away.
    const double whine_f = 900 + 1900 * std::exp(-t / 0.18);
    phase += 2 * kPi * whine_f / kRate;
    const double whine =
        std::sin(phase) *
        (t > 0.05 ? std::exp(-(t - 0.05) / 0.16) * std::min(1.0, (t - 0.05) / 0.02) : 0);
    w[i] = 1.4 * crack.Step(n, 4000) * std::exp(-t / 0.006) +
           1.2 * boom.Step(n, 700) * std::exp(-t / 0.03) + 0.28 * whine;
  }
  return Finish(w, 0.008, 0.08, 0.8);
}

// ---- ambient ----

// One gobble: a fast, throaty warble, about a dozen pulses with the pitch falling.
Wave Gobble(Rng& rng, double base, double length) {
  Wave w = Silence(length);
  BandPass formant1, formant2;
  double phase = 0;
  const double rate = rng.Range(13, 16);
  for (size_t i = 0; i < w.size(); ++i) {
    const double t = T(i), u = t / length;
    const double f = base * (1.25 - 0.4 * u) * (1 + 0.06 * std::sin(2 * kPi * rate * t));
    phase += f / kRate;
    phase -= std::floor(phase);
    const double saw = 2 * phase - 1;
    const double pulse = std::pow(std::max(0.0, std::sin(2 * kPi * rate * t)), 1.5);
    const double env = std::sin(kPi * u);
    const double voice =
        formant1.Step(saw, 900, 3) + 0.7 * formant2.Step(saw, 2200, 4) + 0.15 * Noise(rng);
    w[i] = voice * pulse * env;
  }
  return w;
}

Wave Wind(Rng& rng, double seconds, double strength) {
  Wave w = Silence(seconds);
  LowPass low, slow;
  BandPass whistle;
  for (size_t i = 0; i < w.size(); ++i) {
    const double t = T(i), n = Noise(rng);
    const double gust = 0.55 + 0.45 * std::sin(2 * kPi * t / seconds * 1.5 - 1.2) *
                                   std::sin(2 * kPi * t * 0.37 + 0.4);
    const double g = slow.Step(gust, 2);
    w[i] = strength * g *
           (2.5 * low.Step(n, 250 + 500 * g) + 0.15 * whistle.Step(n, 700 + 300 * g, 12));
  }
  return w;
}

Wave Chirp(double f0, double f1, double length) {
  Wave w = Silence(length);
  double phase = 0;
  for (size_t i = 0; i < w.size(); ++i) {
    const double u = T(i) / length;
    phase += 2 * kPi * (f0 + (f1 - f0) * u) / kRate;
    w[i] = std::sin(phase) * std::pow(std::sin(kPi * u), 2);
  }
  return w;
}

Wave Rustle(Rng& rng, double seconds) {
  Wave w = Silence(seconds);
  HighPass hp;
  BandPass bp;
  double crackle_env = 0;
  for (size_t i = 0; i < w.size(); ++i) {
    const double t = T(i);
    const double density = 0.3 + 0.7 * std::pow(std::sin(kPi * t / seconds * 2.2 + 0.3), 2);
    if (rng.Unit() < 0.004 * density) crackle_env = rng.Range(0.3, 1.0);
    crackle_env *= 0.992;
    const double n = Noise(rng);
    w[i] = bp.Step(hp.Step(n, 1500), 4200, 0.9) * (0.15 * density + 1.6 * crackle_env);
  }
  return w;
}

Wave Honk(Rng& rng, double f, double length) {
  Wave w = Silence(length);
  BandPass nose, nose2;
  double phase = 0;
  for (size_t i = 0; i < w.size(); ++i) {
    const double u = T(i) / length;
    phase += f * (1 + 0.08 * u) / kRate;
    phase -= std::floor(phase);
    const double saw = 2 * phase - 1;
    w[i] = (nose.Step(saw, 1100, 4) + 0.6 * nose2.Step(saw, 2500, 5) + 0.05 * Noise(rng)) *
           std::pow(std::sin(kPi * u), 0.7);
  }
  return w;
}

Wave Cluck(Rng& rng) {
  Wave w = Silence(0.07);
  BandPass body;
  for (size_t i = 0; i < w.size(); ++i) {
    const double t = T(i);
    w[i] = (std::sin(2 * kPi * 780 * t) * 0.6 + body.Step(Noise(rng), 1300, 3)) *
           std::exp(-t / 0.018) * std::min(1.0, t / 0.003);
  }
  return w;
}

Wave GobbleField() {  // a tom gobbling twice, another answering from farther off
  Rng rng(1001);
  Wave w = Wind(rng, 3.2, 0.12);
  MixIn(w, Gobble(rng, 560, 0.9), 0.25, 0.9);
  MixIn(w, Gobble(rng, 600, 0.75), 1.3, 0.8);
  Wave far = Gobble(rng, 470, 0.8);
  LowPass dull;
  for (double& s : far) s = dull.Step(s, 1200);
  MixIn(w, far, 2.2, 0.8);
  return Finish(w, 0.15, 0.25, 0.7);
}

Wave AutumnWind() {
  Rng rng(1002);
  return Finish(Wind(rng, 5.5, 1.0), 0.6, 0.9, 0.6);
}

Wave Birds() {
  Rng rng(1003);
  Wave w = Wind(rng, 4.0, 0.1);
  double at = 0.3;
  while (at < 3.5) {
    const int notes = rng.Int(2, 5);
    const double f = rng.Range(2600, 4200);
    for (int k = 0; k < notes; ++k) {
      const double len = rng.Range(0.05, 0.1);
      MixIn(w, Chirp(f * rng.Range(0.9, 1.1), f * rng.Range(1.15, 1.5), len), at, 0.5);
      at += len + 0.03;
    }
    at += rng.Range(0.25, 0.7);
  }
  return Finish(w, 0.2, 0.3, 0.6);
}

Wave Leaves() {
  Rng rng(1004);
  Wave w = Rustle(rng, 4.2);
  MixIn(w, Wind(rng, 4.2, 0.25), 0, 1.0);
  return Finish(w, 0.3, 0.5, 0.6);
}

Wave Clucking() {  // the flock pecking about, clucking, one gobble
  Rng rng(1005);
  Wave w = Wind(rng, 3.6, 0.1);
  const double times[] = {0.2, 0.45, 0.62, 1.1, 1.3, 2.5, 2.7, 2.85, 3.2};
  for (double t : times) MixIn(w, Cluck(rng), t, rng.Range(0.5, 0.9));
  MixIn(w, Gobble(rng, 640, 0.7), 1.55, 0.7);
  return Finish(w, 0.1, 0.25, 0.65);
}

Wave Geese() {  // wild geese passing over, far, then near, then gone
  Rng rng(1006);
  Wave w = Wind(rng, 5.0, 0.15);
  double at = 0.3;
  for (int i = 0; i < 11; ++i) {
    const double near = std::sin(kPi * at / 4.6);
    MixIn(w, Honk(rng, rng.Range(330, 420), rng.Range(0.14, 0.22)), at, 0.25 + 0.6 * near);
    at += rng.Range(0.22, 0.5);
  }
  return Finish(w, 0.3, 0.5, 0.6);
}

}  // namespace

std::vector<Sound> AllSounds() {
  return {
      {"shotgun.wav", Shotgun()},    {"flame.wav", Flame()},       {"rifle.wav", Rifle()},
      {"sound1.wav", GobbleField()}, {"sound2.wav", AutumnWind()}, {"sound3.wav", Birds()},
      {"sound4.wav", Leaves()},      {"sound5.wav", Clucking()},   {"sound6.wav", Geese()},
  };
}

}  // namespace assetgen
