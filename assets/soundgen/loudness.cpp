#include "loudness.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "synth.h"

namespace synth {
namespace {

constexpr double Pi = 3.14159265358979323846;

struct Biquad {
  double B0, B1, B2, A1, A2;
  double X1 = 0, X2 = 0, Y1 = 0, Y2 = 0;
  double Next(double x) {
    const double y = B0 * x + B1 * X1 + B2 * X2 - A1 * Y1 - A2 * Y2;
    X2 = X1;
    X1 = x;
    Y2 = Y1;
    Y1 = y;
    return y;
  }
};

// The two stages of BS.1770's K-weighting, from their analogue prototypes at our rate.
Biquad Shelf() {
  const double gainDb = 3.999843853973347, hz = 1681.974450955533, q = 0.7071752369554196;
  const double k = std::tan(Pi * hz / SampleRate), vh = std::pow(10.0, gainDb / 20.0);
  const double vb = std::pow(vh, 0.4996667741545416), a0 = 1.0 + k / q + k * k;
  return {(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
          2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

Biquad HighPass() {
  const double hz = 38.13547087602444, q = 0.5003270373238773;
  const double k = std::tan(Pi * hz / SampleRate), a0 = 1.0 + k / q + k * k;
  return {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

// In-place radix-2 FFT; the size is a power of two.
void Fft(std::vector<std::complex<double>>& a) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    const std::complex<double> turn = std::polar(1.0, -2.0 * Pi / static_cast<double>(len));
    for (size_t i = 0; i < n; i += len) {
      std::complex<double> w = 1.0;
      for (size_t k = 0; k < len / 2; ++k, w *= turn) {
        const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * w;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
      }
    }
  }
}

}  // namespace

double LoudestWindowDb(std::span<const double> samples, double window) {
  Biquad shelf = Shelf(), highPass = HighPass();
  std::vector<double> squares;
  squares.reserve(samples.size());
  for (const double s : samples) {
    const double k = highPass.Next(shelf.Next(s));
    squares.push_back(k * k);
  }
  const size_t width = std::max<size_t>(1, SampleAt(window));
  long double sum = 0, loudest = 0;
  for (size_t i = 0; i < squares.size(); ++i) {
    sum += squares[i];
    if (i >= width) sum -= squares[i - width];
    loudest = std::max(loudest, sum);
  }
  return -0.691 + 10.0 * std::log10(std::max(1e-12, static_cast<double>(loudest / width)));
}

double LargestOffset(std::span<const double> samples) {
  const size_t width = SampleAt(0.02);
  long double sum = 0, largest = 0;
  for (size_t i = 0; i < samples.size(); ++i) {
    sum += samples[i];
    if (i >= width) sum -= samples[i - width];
    largest = std::max(largest, std::fabs(sum));
  }
  return static_cast<double>(largest / width);
}

std::vector<double> BandLevels(std::span<const double> samples) {
  constexpr size_t frame = 4096, hop = 2048;
  std::vector<double> power(frame / 2, 0.0);
  for (size_t at = 0; at == 0 || at + frame / 2 < samples.size(); at += hop) {
    std::vector<std::complex<double>> bins(frame);
    for (size_t i = 0; i < frame && at + i < samples.size(); ++i)
      bins[i] = samples[at + i] * (0.5 - 0.5 * std::cos(2.0 * Pi * static_cast<double>(i) / frame));
    Fft(bins);
    for (size_t k = 0; k < frame / 2; ++k) power[k] += std::norm(bins[k]);
  }
  std::vector<double> bands;
  for (int band = -13; band <= 12; ++band) {  // 50 Hz to 16 kHz around 1 kHz
    const double centre = 1000.0 * std::pow(2.0, band / 3.0);
    const double binHz = static_cast<double>(SampleRate) / frame;
    const auto from = static_cast<size_t>(std::ceil(centre * std::pow(2.0, -1.0 / 6.0) / binHz));
    const auto to = static_cast<size_t>(std::ceil(centre * std::pow(2.0, 1.0 / 6.0) / binHz));
    double sum = 1e-30;
    for (size_t k = from; k < to && k < power.size(); ++k) sum += power[k];
    bands.push_back(10.0 * std::log10(sum));
  }
  const double strongest = *std::max_element(bands.begin(), bands.end());
  for (double& level : bands) level = std::max(level - strongest, -50.0);
  return bands;
}

double BandDistance(const std::vector<double>& a, const std::vector<double>& b) {
  double sum = 0.0;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) sum += (a[i] - b[i]) * (a[i] - b[i]);
  return std::sqrt(sum / static_cast<double>(std::max<size_t>(1, a.size())));
}

}  // namespace synth
