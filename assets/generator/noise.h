// Deterministic value noise that repeats over a chosen period, so textures
// made from it tile without seams.
#pragma once
#include <cmath>
#include <cstdint>

namespace art {

inline float Hash01(int x, int y, uint32_t seed) {
  uint32_t h =
      static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<float>(h & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}

// Smooth noise in 0..1 on a lattice of cells, wrapping every periodX by
// periodY lattice cells.
inline float PeriodicNoise(float x, float y, int periodX, int periodY, uint32_t seed) {
  float fx = std::floor(x), fy = std::floor(y);
  int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  float tx = x - fx, ty = y - fy;
  tx = tx * tx * (3 - 2 * tx), ty = ty * ty * (3 - 2 * ty);
  auto at = [&](int i, int j) {
    int wx = ((i % periodX) + periodX) % periodX, wy = ((j % periodY) + periodY) % periodY;
    return Hash01(wx, wy, seed);
  };
  float top = at(ix, iy) * (1 - tx) + at(ix + 1, iy) * tx;
  float bottom = at(ix, iy + 1) * (1 - tx) + at(ix + 1, iy + 1) * tx;
  return top * (1 - ty) + bottom * ty;
}

// Several octaves of periodic noise over a w x h picture that tiles exactly:
// octave k has base * 2^k cells across each side.
inline float TiledFractal(float x, float y, float w, float h, int cellsX, int cellsY, int octaves,
                          uint32_t seed) {
  float sum = 0, amp = 0.5f, norm = 0;
  for (int k = 0; k < octaves; ++k) {
    int px = cellsX << k, py = cellsY << k;
    sum += amp * PeriodicNoise(x / w * static_cast<float>(px), y / h * static_cast<float>(py), px, py,
                               seed + static_cast<uint32_t>(k) * 77u);
    norm += amp;
    amp *= 0.5f;
  }
  return sum / norm;
}

}  // namespace art
