#include "present/double_buffer.h"

#include <algorithm>
#include <utility>

#include "present/copy_pixels.h"

namespace tobu {

DoubleBuffer::DoubleBuffer()
    : back_(std::make_unique<FrameBuffer>()), presented_(std::make_unique<FrameBuffer>()) {
  back_->fill(0);
  presented_->fill(0);
  clearedFrom_.fill(ViewWidth);
}

void DoubleBuffer::Clear(uint16_t colour) {
  stale_ = false;
  clearColour_ = colour;
  clearedFrom_.fill(0);
  owedCopyCount_.fill(0);
  rowsOwed_ = ViewHeight;
}

void DoubleBuffer::Present() {
  if (stale_) return;  // nothing drawn since the last present: the frames are equal
  Back();
  std::swap(back_, presented_);
  stale_ = true;
}

void DoubleBuffer::Load(const FrameBuffer& frame) {
  *back_ = frame;
  stale_ = false;
  clearedFrom_.fill(ViewWidth);
  rowsOwed_ = 0;
}

const FrameBuffer& DoubleBuffer::Back() const {
  Settle(0, ViewHeight, ViewWidth, ViewWidth, false);
  return *back_;
}

void DoubleBuffer::CopyBack() const {
  *back_ = *presented_;
  stale_ = false;
}

// What lies left of an opaque draw and is still owed is paid now: columns right of
// clearedFrom_ must stay unwritten. Mostly a draw only moves clearedFrom_ on (the tiles
// are drawn left to right), which the first loop finds without a branch.
void DoubleBuffer::Settle(int top, int bottom, int left, int right, bool opaque) const {
  if (stale_) CopyBack();
  if (rowsOwed_ == 0 || top >= bottom) return;
  int16_t* const rows = clearedFrom_.data();
  const int reach = opaque ? left : right;  // what is owed must be in place up to here
  int16_t lowest = ViewWidth;
  for (int row = top; row < bottom; ++row) lowest = std::min(lowest, rows[row]);
  if (lowest >= right) return;
  int finished = 0;
  if (lowest >= reach) {
    for (int row = top; row < bottom; ++row) {
      finished += rows[row] < ViewWidth && right >= ViewWidth;
      rows[row] = static_cast<int16_t>(std::max<int>(rows[row], right));
    }
  } else {
    for (int row = top; row < bottom; ++row) {
      if (rows[row] >= right) continue;
      if (rows[row] < reach) Pay(row, rows[row], reach);
      finished += right >= ViewWidth;
      rows[row] = static_cast<int16_t>(right);
    }
  }
  rowsOwed_ -= finished;
}

// Only onto rows where nothing was written over the columns yet, right of any copy owed
// before, and at most two copies a row.
bool DoubleBuffer::DeferRows(int top, int bottom, int left, int right, const uint16_t* pixels, size_t pitch) {
  if (top >= bottom || left >= right) return false;
  for (int row = top; row < bottom; ++row) {
    const auto at = static_cast<size_t>(row);
    const int count = owedCopyCount_[at];
    if (clearedFrom_[at] > left || count == MaxOwedCopies ||
        (count > 0 && owedCopies_[at][static_cast<size_t>(count - 1)].End > left))
      return false;
  }
  for (int row = top; row < bottom; ++row, pixels += pitch) {
    const auto at = static_cast<size_t>(row);
    owedCopies_[at][owedCopyCount_[at]++] = {static_cast<int16_t>(left), static_cast<int16_t>(right), pixels};
  }
  return true;
}

void DoubleBuffer::Pay(int row, int from, int to) const {
  const auto at = static_cast<size_t>(row);
  uint16_t* pixels = back_->data() + at * ViewWidth;
  int column = from;
  for (size_t i = 0; i < owedCopyCount_[at] && column < to; ++i) {
    const OwedCopy& copy = owedCopies_[at][i];
    const int start = std::max<int>(column, copy.Start), end = std::min<int>(to, copy.End);
    if (start >= end) continue;
    std::fill(pixels + column, pixels + start, clearColour_);
    CopyPixels(pixels + start, copy.Pixels + (start - copy.Start), static_cast<size_t>(end - start));
    column = end;
  }
  std::fill(pixels + column, pixels + std::max(column, to), clearColour_);
}

}  // namespace tobu
