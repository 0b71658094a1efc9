#pragma once
// Text layout flags of labels, with the values of the DrawText flags they
// stand for, so that a native text renderer can pass them through.
#include <cstdint>

namespace SkinUI::TextStyle {

constexpr uint32_t kLeft = 0x0000;
constexpr uint32_t kCenter = 0x0001;
constexpr uint32_t kRight = 0x0002;
constexpr uint32_t kTop = 0x0000;
constexpr uint32_t kVCenter = 0x0004;
constexpr uint32_t kBottom = 0x0008;
constexpr uint32_t kWordBreak = 0x0010;
constexpr uint32_t kSingleLine = 0x0020;
constexpr uint32_t kEndEllipsis = 0x8000;

constexpr uint32_t kHorizontalMask = kCenter | kRight;
constexpr uint32_t kVerticalMask = kVCenter | kBottom;

}  // namespace SkinUI::TextStyle
