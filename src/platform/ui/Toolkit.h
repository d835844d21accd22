#pragma once
// Start-up of the window toolkit and the few things every control shares:
// places, colours and the label fonts.
#include <cstdint>

namespace vantorel::ui {

// Fonts, background colour and scheme. Needs no display, so tests that
// build windows without one call it too.
void InitializeToolkit();

// Draws whatever changed and hands it to the display at once; the flows call
// it before they block on the network.
void FlushDisplay();

// x,y of the top-left corner and the size in pixels.
struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct Colour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kWhite{255, 255, 255};
inline constexpr Colour kRed{255, 0, 0};
inline constexpr Colour kGreen{0, 255, 0};
inline constexpr Colour kBlue{0, 0, 255};
inline constexpr Colour kDarkGrey{96, 96, 96};
inline constexpr Colour kLightGrey{192, 192, 192};
inline constexpr Colour kWindowBackground{240, 240, 240};

enum class Border { Absent, Single, Sunken };

enum class FontFace { Default, Hei, Song };  // 黑体 and 宋体 and the default font
inline constexpr int kDefaultFontSize = 12;

struct Font {
  FontFace face = FontFace::Default;
  int size = kDefaultFontSize;  // character height in pixels
};

}  // namespace vantorel::ui
