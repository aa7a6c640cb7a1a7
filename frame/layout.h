#pragma once
// SPDX-License-Identifier: MIT
// Where every piece of the frame goes, as pure functions on twips. The frame widget keeps one
// FrameLayout and runs these procedures from its notifications; the pixels follow afterwards.

#include <cstdint>

namespace vantrel {

struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// The frame refuses to be smaller than this in either direction.
inline constexpr double kMinimumSize = 1800;
inline constexpr std::int16_t kMinimumBarHeight = 300;
inline constexpr std::int16_t kMaximumBarHeight = 550;

struct FrameLayout {
    double width = 9030; // the control's own size
    double height = 8100;
    TwipsRect image[9]; // image[1]..image[8]; [0] unused so indices read as the element names
    TwipsRect ico;
    TwipsRect label[2]; // width and height follow the text; the layout sets the tops
    TwipsRect mover;
    TwipsRect minb;
    TwipsRect closeb;
    TwipsRect sminb;
    TwipsRect scloseb;

    // The pieces as a newly created frame has them, before any notification.
    static FrameLayout initial();
};

// Step groups, each reading the current values of the pieces it names.
void barHeight(FrameLayout& l, std::int16_t titleBarHeight);
void sideHeights(FrameLayout& l);
void sideTops(FrameLayout& l);
void bottomRow(FrameLayout& l);
void horizontalWidths(FrameLayout& l); // first half of the horizontal fit: the stretched widths
void horizontalLefts(FrameLayout& l);  // second half: the pieces that follow the right edge
void dragStrip(FrameLayout& l);
void iconBox(FrameLayout& l);
void buttonBoxes(FrameLayout& l);
void captionTops(FrameLayout& l);
void closeButtonLeft(FrameLayout& l);

// The notifications. resize() enforces the minimum size itself: each growth lays the frame out
// once more at the new size (as the size change would notify again) before the pass goes on.
void initializeLayout(FrameLayout& l);
void resizeLayout(FrameLayout& l);
void showLayout(FrameLayout& l, std::int16_t titleBarHeight);
void titleBarHeightLayout(FrameLayout& l, std::int16_t titleBarHeight);

// The title-bar height setter keeps its value within 300..550.
std::int16_t clampTitleBarHeight(std::int16_t v);

} // namespace vantrel
