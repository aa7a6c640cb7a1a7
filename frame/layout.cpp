// SPDX-License-Identifier: MIT

#include "layout.h"

#include "units.h"

namespace vantrel {

using quellor::intDiv;
using quellor::toInt32;

FrameLayout FrameLayout::initial() {
    FrameLayout l;
    // The design-time placement: fixed values, a 435-twip title bar, and the pieces fitted to the
    // designer's initial 9030 x 8100.
    l.image[1] = {0, 0, 480, 435};
    l.image[2] = {480, 0, 0, 435};
    l.image[3] = {0, 0, 555, 435};
    l.image[4] = {0, 0, 75, 0};
    l.image[5] = {0, 0, 75, 0};
    l.image[6] = {135, 0, 0, 75};
    l.image[7] = {0, 0, 135, 75};
    l.image[8] = {0, 0, 150, 75};
    l.ico = {120, 120, 255, 255};
    l.label[0] = {480, 0, 0, 0};
    l.label[1] = {525, 0, 0, 0};
    l.mover = {480, 0, 0, 0};
    l.sminb = {0, 0, 255, 255};
    l.scloseb = {0, 0, 255, 255};
    l.minb = {0, 120, 255, 255};
    l.closeb = {0, 120, 255, 255};
    horizontalWidths(l);
    sideHeights(l);
    sideTops(l);
    horizontalLefts(l);
    bottomRow(l);
    dragStrip(l);
    buttonBoxes(l);
    return l;
}

void barHeight(FrameLayout& l, std::int16_t h) {
    l.image[1].height = h;
    l.image[2].height = h;
    l.image[3].height = h;
}

void sideHeights(FrameLayout& l) {
    l.image[4].height = l.height - l.image[1].height - l.image[7].height;
    l.image[5].height = l.height - l.image[3].height - l.image[8].height;
}

void sideTops(FrameLayout& l) {
    l.image[4].top = l.height - l.image[4].height - l.image[7].height;
    l.image[5].top = l.height - l.image[5].height - l.image[8].height;
}

void bottomRow(FrameLayout& l) {
    const double top = l.height - l.image[6].height;
    l.image[6].top = top;
    l.image[7].top = top;
    l.image[8].top = top;
}

void horizontalWidths(FrameLayout& l) {
    l.image[2].width = l.width - l.image[1].width - l.image[3].width;
    l.image[6].width = l.width - l.image[7].width - l.image[8].width;
}

void horizontalLefts(FrameLayout& l) {
    l.image[3].left = l.image[2].left + l.image[2].width;
    l.image[8].left = l.image[6].left + l.image[6].width;
    l.image[5].left = l.width - l.image[5].width;
}

void dragStrip(FrameLayout& l) {
    l.mover.height = l.image[2].height;
    l.mover.width = l.image[2].width;
}

void iconBox(FrameLayout& l) {
    const std::int32_t k = toInt32(l.image[1].height);
    l.ico.height = (k / 5) * 3;
    l.ico.width = l.ico.height;
    l.ico.top = k / 5;
}

void closeButtonLeft(FrameLayout& l) {
    l.closeb.left = l.width - intDiv(l.closeb.width, 2) * 3;
}

void buttonBoxes(FrameLayout& l) {
    l.closeb.top = l.ico.top;
    l.minb.top = l.ico.top;
    l.scloseb.height = l.ico.height;
    l.scloseb.width = l.ico.width;
    l.sminb.height = l.ico.height;
    l.sminb.width = l.ico.width;
    l.closeb.height = l.scloseb.height;
    l.closeb.width = l.scloseb.width;
    l.minb.height = l.sminb.height;
    l.minb.width = l.sminb.width;
    closeButtonLeft(l);
    l.minb.left = l.closeb.left - 80 - l.minb.width;
}

void captionTops(FrameLayout& l) {
    l.label[0].top = intDiv(l.image[2].height - l.label[0].height, 2);
    l.label[1].top = intDiv(l.image[2].height - l.label[1].height, 2) + 30;
}

void initializeLayout(FrameLayout& l) {
    buttonBoxes(l);
}

void resizeLayout(FrameLayout& l) {
    if (l.width < kMinimumSize) {
        l.width = kMinimumSize;
        resizeLayout(l);
    }
    if (l.height < kMinimumSize) {
        l.height = kMinimumSize;
        resizeLayout(l);
    }
    horizontalWidths(l);
    sideHeights(l);
    horizontalLefts(l);
    bottomRow(l);
    dragStrip(l);
    captionTops(l);
    iconBox(l);
    buttonBoxes(l);
}

void showLayout(FrameLayout& l, std::int16_t titleBarHeight) {
    barHeight(l, titleBarHeight);
    sideHeights(l);
    sideTops(l);
    bottomRow(l);
    dragStrip(l);
    iconBox(l);
    buttonBoxes(l);
}

void titleBarHeightLayout(FrameLayout& l, std::int16_t titleBarHeight) {
    barHeight(l, titleBarHeight);
    sideHeights(l);
    sideTops(l);
    bottomRow(l);
    iconBox(l);
    closeButtonLeft(l);
    resizeLayout(l);
    captionTops(l);
}

std::int16_t clampTitleBarHeight(std::int16_t v) {
    if (v < kMinimumBarHeight) {
        v = kMinimumBarHeight;
    }
    if (v > kMaximumBarHeight) {
        v = kMaximumBarHeight;
    }
    return v;
}

} // namespace vantrel
