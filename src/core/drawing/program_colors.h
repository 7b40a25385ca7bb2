#pragma once

// The colours the program's windows and pictures share, as colour numbers
// (ColorNumber::toColor turns one into a QColor). A colour used in one place
// only stays beside its use.
namespace ProgramColors {

// Grey-blue: the main window's ground, the map page's side panel and the
// titles of the grid and of the map legend.
inline constexpr int kPanel = 14011334;
// Pale blue-grey: the ground of the topic tree and of the export dialog.
inline constexpr int kLightGround = 14934495;
// Frame grey: the splitter's handle and the ground of the smaller windows.
inline constexpr int kFrame = 13550269;
// Navy: the current cell's text, the map's texts, the captions of names.
inline constexpr int kNavy = 8388608;
// Maroon: the highlighted section caption and the header's outline.
inline constexpr int kMaroon = 128;

} // namespace ProgramColors
