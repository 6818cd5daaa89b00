#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "present/display.h"

namespace tobu {

using FrameBuffer = std::array<uint16_t, ViewWidth * ViewHeight>;  // RGB565, row by row

// The back buffer and the presented frame, with the whole-view costs of a tick put off
// until something needs them:
// - a clear is only noted: each row remembers how far from the left it has been drawn
//   over since, and what it owes right of that is written only where nothing opaque
//   lands first (the sky and the wallpaper cover the whole view after every clear);
// - the first two opaque copies on a cleared row (the sky's two halves) are owed the same
//   way, so the sky under the ground's tiles is never copied;
// - presenting swaps the two buffers, and the back buffer is copied back from the
//   presented frame only if it is drawn on or read before the next clear.
// Every access to the back buffer goes through Ready() or Back(), so each pixel read is
// what an eager clear and copy would have left there.
class DoubleBuffer {
 public:
  DoubleBuffer();

  void Clear(uint16_t colour);
  void Present();
  void Load(const FrameBuffer& frame);
  // Readies rows top to bottom - 1, columns left to right - 1 (all within the view) to be
  // read or written; `opaque` promises that each of those pixels is written before it is read.
  void Ready(int top, int bottom, int left, int right, bool opaque) {
    if (stale_ || rowsOwed_ > 0) Settle(top, bottom, left, right, opaque);
  }
  // Takes an opaque copy into columns left to right - 1 of rows top to bottom - 1 as owed,
  // from `pixels` (the first row's leftmost pixel, rows `pitch` apart, kept alive until the
  // next clear or present); false when it must be drawn now.
  bool Defer(int top, int bottom, int left, int right, const uint16_t* pixels, size_t pitch) {
    return rowsOwed_ > 0 && owedCopyCount_[static_cast<size_t>(top)] < MaxOwedCopies &&
           DeferRows(top, bottom, left, right, pixels, pitch);
  }
  // A row of the back buffer, to be used only as far as it was made ready.
  uint16_t* Row(int row) { return back_->data() + static_cast<size_t>(row) * ViewWidth; }
  // The whole back buffer with everything owed to it in place.
  const FrameBuffer& Back() const;
  const FrameBuffer& Presented() const { return *presented_; }

 private:
  // Columns Start to End - 1 of a row owe Pixels[0] onwards.
  struct OwedCopy {
    int16_t Start = 0;
    int16_t End = 0;
    const uint16_t* Pixels = nullptr;
  };
  static constexpr int MaxOwedCopies = 2;

  void Settle(int top, int bottom, int left, int right, bool opaque) const;
  bool DeferRows(int top, int bottom, int left, int right, const uint16_t* pixels, size_t pitch);
  // Writes what columns from to to - 1 of `row` owe: the owed copies, the colour between.
  void Pay(int row, int from, int to) const;
  void CopyBack() const;

  // Mutable because reading the back buffer may first have to settle what it is owed.
  mutable std::unique_ptr<FrameBuffer> back_;
  std::unique_ptr<FrameBuffer> presented_;
  mutable bool stale_ = false;  // the back buffer should equal the presented frame
  uint16_t clearColour_ = 0;
  // Columns from clearedFrom_[row] to the right edge still owe the clear colour or an owed
  // copy (and were not written since); ViewWidth when the row owes nothing.
  mutable std::array<int16_t, ViewHeight> clearedFrom_{};
  mutable int rowsOwed_ = 0;
  std::array<std::array<OwedCopy, MaxOwedCopies>, ViewHeight> owedCopies_{};  // left to right
  std::array<uint8_t, ViewHeight> owedCopyCount_{};
};

}  // namespace tobu
