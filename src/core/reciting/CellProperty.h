#pragma once

#include <string>

namespace zidezo {

class TKorvanaGridModel;

// Colours are 24-bit values in blue-green-red order (0x0000FF is red).
using TColour = int;
inline constexpr TColour kBlack = 0x000000;
inline constexpr TColour kWhite = 0xFFFFFF;
inline constexpr TColour kWindowColour = 0xFFFFFF;
inline constexpr TColour kButtonFaceColour = 0xF0F0F0;

enum TFontStyle : int { fsNone = 0, fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// How one cell of the word list grid is drawn: font, colours, alignment, picture and mark.
// A property belongs to a cell, a column (row -1) or the grid's default (both -1); changing what
// is drawn tells the grid, which repaints the cell.
class TCellProperty {
 public:
  // A free property: "MS Sans Serif" 8, black on white, centred vertically.
  TCellProperty() = default;

  TKorvanaGridModel* Grid() const { return grid_; }
  int Col() const { return col_; }
  int Row() const { return row_; }

  const std::string& FontName() const { return font_name_; }
  int FontSize() const { return font_size_; }
  TColour FontColour() const { return font_colour_; }
  TColour BackgroundColour() const { return background_colour_; }
  int FontStyle() const { return font_style_; }
  bool Bold() const { return (font_style_ & fsBold) != 0; }
  void SetFontName(const std::string& name);
  void SetFontSize(int size);
  void SetFontColour(TColour colour);
  void SetBackgroundColour(TColour colour);
  void SetFontStyle(int style);

  // 0 none, 1 left, 2 right, 3 centre.
  int HorizontalAlignment = 1;
  // 1 top, 2 bottom, 3 centre.
  int VerticalAlignment = 3;
  bool HasPicture = false;
  int PictureWidth = 0;
  bool Markable = true;

 private:
  friend class TKorvanaGridModel;
  void Changed();

  TKorvanaGridModel* grid_ = nullptr;
  int col_ = -1;
  int row_ = -1;
  std::string font_name_ = "MS Sans Serif";
  int font_size_ = 8;
  TColour font_colour_ = kBlack;
  TColour background_colour_ = kWhite;
  int font_style_ = fsNone;
};

}  // namespace zidezo
