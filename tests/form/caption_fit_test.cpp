#include "form/caption_fit.h"

#include <gtest/gtest.h>

namespace lagewandler {
namespace {

// A font whose characters (UTF-8 bytes here) are half as wide as the font is high.
PixelSize halfWidthFont(int fontPixels, std::string_view caption) {
    return {static_cast<int>(caption.size()) * fontPixels / 2, fontPixels};
}

// A font in which no caption ever fits.
PixelSize hugeFont(int fontPixels, std::string_view /*caption*/) { return {10'000, fontPixels}; }

TEST(CaptionFit, ChoosesTheLargestFittingFontDownToASmallestThatScalesWithTheDpi) {
    struct Case {
        const char* name;
        int basePixels;
        int dpi;
        PixelSize (*measure)(int, std::string_view);
        int chosen;
    };
    const Case cases[] = {
        {"fits as it is", 8, 96, halfWidthFont, 8},
        // "Nördlicher Breiengrad": 22 bytes in 121 pixels.
        {"too large at 96 dpi", 16, 96, halfWidthFont, 9},
        {"too large at 120 dpi", 16, 120, halfWidthFont, 11},
        {"too large at 144 dpi", 20, 144, halfWidthFont, 14},
        {"never fits at 96 dpi", 12, 96, hugeFont, 7},
        {"never fits at 144 dpi", 20, 144, hugeFont, 11},
        {"already below the smallest", 5, 96, hugeFont, 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(captionFontPixels(c.basePixels, c.dpi, c.measure), c.chosen) << c.name;
    }
}

// A button's frame and focus mark keep 4 pixels on each side and 1 above and
// below at 96 DPI, scaled with the DPI; a label has its whole rectangle.
TEST(CaptionFit, GivesACaptionItsControlLessTheButtonFrameAtTheDpi) {
    struct Case {
        ControlId control;
        int dpi;
        int width, height;
    };
    const Case cases[] = {
        {ControlId::Command3, 96, 49, 15},
        {ControlId::Command3, 144, 74, 22},
        {ControlId::Label2, 144, 98, 26},
    };
    for (const Case& c : cases) {
        const PixelSize room = captionRoom(controlRow(c.control), c.dpi);
        EXPECT_EQ(room.width, c.width) << controlRow(c.control).role << " at " << c.dpi;
        EXPECT_EQ(room.height, c.height) << controlRow(c.control).role << " at " << c.dpi;
    }
}

}  // namespace
}  // namespace lagewandler
