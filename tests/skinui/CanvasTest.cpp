#include <gtest/gtest.h>

#include <map>
#include <string>

#include "skinui/Button.h"
#include "skinui/Canvas.h"
#include "skinui/Container.h"
#include "skinui/Progress.h"

namespace {

using namespace SkinUI;

constexpr uint32_t kBlack = 0xFF000000;

TLoadedImage MakeImage(int width, int height, std::vector<uint32_t> pixels) {
    TLoadedImage image;
    image.width = width;
    image.height = height;
    image.pixels = std::move(pixels);
    return image;
}

ImagePlacement Place(CRect dest, CRect source = {}, CRect corner = {}, bool hole = false) {
    ImagePlacement placement;
    placement.dest = dest;
    placement.source = source;
    placement.corner = corner;
    placement.hole = hole;
    return placement;
}

// The canvas as rows of letters: each distinct pixel value seen gets the
// letter given for it, "." for anything else.
std::vector<std::string> Picture(const Canvas& canvas, const std::map<uint32_t, char>& legend) {
    std::vector<std::string> rows;
    for (int y = 0; y < canvas.Height(); ++y) {
        std::string row;
        for (int x = 0; x < canvas.Width(); ++x) {
            auto found = legend.find(canvas.Pixel(x, y));
            row += found == legend.end() ? '.' : found->second;
        }
        rows.push_back(row);
    }
    return rows;
}

// A 3x3 opaque image, one colour per nine-grid cell: a b c / d e f / g h i.
const uint32_t kCells[9] = {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004, 0xFF000005,
                            0xFF000006, 0xFF000007, 0xFF000008, 0xFF000009};
const std::map<uint32_t, char> kCellLegend = {
    {kCells[0], 'a'}, {kCells[1], 'b'}, {kCells[2], 'c'}, {kCells[3], 'd'}, {kCells[4], 'e'},
    {kCells[5], 'f'}, {kCells[6], 'g'}, {kCells[7], 'h'}, {kCells[8], 'i'}, {kBlack, '-'}};

TEST(Canvas, BlendsSourceOverPremultiplied) {
    Canvas canvas(2, 1);
    canvas.Clear(0xFF0000FF);
    canvas.FillRect({0, 0, 1, 1}, 0x80FF0000);
    // src 0x80800000; dst * 127/255 rounds to 127.
    EXPECT_EQ(canvas.Pixel(0, 0), 0xFF80007Fu);
    EXPECT_EQ(canvas.Pixel(1, 0), 0xFF0000FFu);
    canvas.FillRect({0, 0, 2, 1}, 0x00FFFFFF);  // alpha 0 draws nothing
    EXPECT_EQ(canvas.Pixel(1, 0), 0xFF0000FFu);
}

TEST(Canvas, NineGridKeepsCornersAndStretchesTheRest) {
    TLoadedImage image = MakeImage(3, 3, {kCells, kCells + 9});
    Canvas canvas(7, 5);
    canvas.Clear(kBlack);
    canvas.DrawImage(image, Place({1, 0, 6, 4}, {}, {1, 1, 1, 1}));
    EXPECT_EQ(Picture(canvas, kCellLegend),
              (std::vector<std::string>{"-abbbc-", "-deeef-", "-deeef-", "-ghhhi-", "-------"}));

    Canvas holed(5, 4);
    holed.Clear(kBlack);
    holed.DrawImage(image, Place({0, 0, 5, 4}, {}, {1, 1, 1, 1}, true));
    EXPECT_EQ(Picture(holed, kCellLegend),
              (std::vector<std::string>{"abbbc", "d---f", "d---f", "ghhhi"}));
}

TEST(Canvas, StretchesNearestAndTiles) {
    TLoadedImage image = MakeImage(2, 1, {kCells[0], kCells[1]});
    const std::map<uint32_t, char> legend = {{kCells[0], 'a'}, {kCells[1], 'b'}};
    struct Case {
        int width;
        bool xtiled;
        const char* row;
    };
    const Case cases[] = {
        {4, false, "aabb"}, {3, false, "aab"}, {1, false, "a"}, {5, true, "ababa"}};
    for (const Case& c : cases) {
        Canvas canvas(c.width, 1);
        ImagePlacement placement = Place({0, 0, c.width, 1});
        placement.xtiled = c.xtiled;
        canvas.DrawImage(image, placement);
        EXPECT_EQ(Picture(canvas, legend)[0], c.row);
    }
    TLoadedImage column = MakeImage(1, 2, {kCells[0], kCells[1]});
    Canvas canvas(2, 5);
    ImagePlacement placement = Place({0, 0, 2, 5});
    placement.ytiled = true;
    canvas.DrawImage(column, placement);
    EXPECT_EQ(Picture(canvas, legend), (std::vector<std::string>{"aa", "bb", "aa", "bb", "aa"}));
}

TEST(Canvas, SourcePartAndFade) {
    TLoadedImage image = MakeImage(3, 3, {kCells, kCells + 9});
    Canvas canvas(2, 1);
    canvas.Clear(kBlack);
    canvas.DrawImage(image, Place({0, 0, 2, 1}, {1, 1, 3, 2}));
    EXPECT_EQ(Picture(canvas, kCellLegend)[0], "ef");

    TLoadedImage white = MakeImage(1, 1, {0xFFFFFFFF});
    Canvas faded(1, 1);
    faded.Clear(kBlack);
    ImagePlacement placement = Place({0, 0, 1, 1});
    placement.fade = 128;
    faded.DrawImage(white, placement);
    EXPECT_EQ(faded.Pixel(0, 0), 0xFF808080u);
}

TEST(Canvas, RoundClipCutsTheCorners) {
    Canvas canvas(10, 6);
    canvas.PushRoundClip({0, 0, 10, 6}, 6, 6);
    canvas.FillRect({0, 0, 10, 6}, 0xFFFFFFFF);
    canvas.PopClip();
    EXPECT_EQ(Picture(canvas, {{0xFFFFFFFF, '#'}}),
              (std::vector<std::string>{".########.", "##########", "##########", "##########",
                                        "##########", ".########."}));
    // A wider ellipse cuts deeper: the centre of (1, 0) lies outside a 10x6 one,
    // that of (2, 0) at 0.94 of the radius inside it.
    Canvas oval(10, 6);
    oval.PushRoundClip({0, 0, 10, 6}, 10, 6);
    oval.FillRect({0, 0, 10, 6}, 0xFFFFFFFF);
    EXPECT_EQ(Picture(oval, {{0xFFFFFFFF, '#'}}),
              (std::vector<std::string>{"..######..", ".########.", "##########", "##########",
                                        ".########.", "..######.."}));
    // Clips nest, and popping restores the whole canvas.
    canvas.Clear(0);
    canvas.PushClip({0, 0, 5, 6});
    canvas.PushRoundClip({0, 0, 10, 6}, 6, 6);
    canvas.FillRect({0, 0, 10, 6}, 0xFFFFFFFF);
    canvas.PopClip();
    canvas.PopClip();
    EXPECT_EQ(Picture(canvas, {{0xFFFFFFFF, '#'}})[0], ".####.....");
    canvas.FillRect({9, 0, 10, 1}, 0xFFFFFFFF);
    EXPECT_EQ(canvas.Pixel(9, 0), 0xFFFFFFFFu);
}

TEST(Canvas, Borders) {
    Canvas canvas(5, 4);
    canvas.DrawBorder({0, 0, 5, 4}, 0xFFFFFFFF, {1, 1, 2, 1});
    EXPECT_EQ(Picture(canvas, {{0xFFFFFFFF, '#'}}),
              (std::vector<std::string>{"#####", "#..##", "#..##", "#####"}));
}

TEST(ProgressPaint, ForeImageCoversTheValue) {
    CProgressUI progress;
    progress.SetAttribute(L"foreimage", L"color='#FFFF0000'");
    progress.SetValue(45);
    progress.SetPos({0, 0, 410, 8});
    EXPECT_EQ(progress.ForeImageDest(), (CRect{0, 0, 184, 8}));
    Canvas canvas(410, 8);
    progress.DoPaint(canvas, {0, 0, 410, 8});
    EXPECT_EQ(canvas.Pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(canvas.Pixel(183, 7), 0xFFFF0000u);
    EXPECT_EQ(canvas.Pixel(184, 0), 0u);

    // Values outside the range are limited; a range without room is repaired.
    progress.SetValue(500);
    EXPECT_EQ(progress.GetValue(), 100);
    progress.SetValue(-3);
    EXPECT_EQ(progress.GetValue(), 0);
    progress.SetAttribute(L"min", L"50");
    progress.SetAttribute(L"max", L"50");
    progress.SetValue(50);
    EXPECT_EQ(progress.ForeImageDest(), (CRect{0, 0, 0, 8}));
    progress.SetAttribute(L"hor", L"false");
    progress.SetAttribute(L"max", L"100");
    progress.SetValue(75);
    EXPECT_EQ(progress.ForeImageDest(), (CRect{0, 4, 410, 8}));
}

TEST(ButtonPaint, RoundedColouredStates) {
    CButtonUI button;
    button.ApplyAttributeList(
        L"bkcolor=\"#FF0000AA\" hotbkcolor=\"#FF0000BB\" pushedbkcolor=\"#FF0000CC\" "
        L"borderround=\"4,4\"");
    button.SetPos({0, 0, 8, 4});
    struct Case {
        uint32_t state;
        uint32_t centre;
    };
    const Case cases[] = {{0, 0xFF0000AA},
                          {CButtonUI::kHot, 0xFF0000BB},
                          {CButtonUI::kHot | CButtonUI::kPushed, 0xFF0000CC}};
    for (const Case& c : cases) {
        button.SetButtonState(c.state);
        Canvas canvas(8, 4);
        button.DoPaint(canvas, {0, 0, 8, 4});
        EXPECT_EQ(canvas.Pixel(4, 2), c.centre);
        EXPECT_EQ(canvas.Pixel(0, 0), 0u);  // outside the rounded corner
    }
}

}  // namespace

namespace {

TEST(ImageAttribute, LoadsOnceAndRetriesOnlyWhenSetAnew) {
    using namespace SkinUI;
    CControlUI control;
    control.SetPos({0, 0, 2, 2});
    control.SetBkImage(L"color='#FF00FF00'");
    Canvas canvas(2, 2);
    control.DoPaint(canvas, {0, 0, 2, 2});
    EXPECT_EQ(canvas.Pixel(1, 1), 0xFF00FF00u);
    ImagePtr loaded = control.GetBkImage().image;
    ASSERT_TRUE(loaded);
    control.SetBkImage(L"color='#FF00FF00'");
    EXPECT_EQ(control.GetBkImage().image, loaded);

    control.SetBkImage(L"no-such-image.png");
    Canvas empty(2, 2);
    control.DoPaint(empty, {0, 0, 2, 2});
    EXPECT_TRUE(control.GetBkImage().loadFailed);
    EXPECT_EQ(empty.Pixel(0, 0), 0u);
    control.SetBkImage(L"no-such-image.png");
    EXPECT_FALSE(control.GetBkImage().loadFailed);
}

TEST(ImageAttribute, DestIsRelativeAndClippedToTheControl) {
    using namespace SkinUI;
    CControlUI control;
    control.SetPos({2, 1, 6, 4});
    control.SetBkImage(L"color='#FFFFFFFF' dest='1,1,10,10'");
    Canvas canvas(8, 5);
    control.DoPaint(canvas, {0, 0, 8, 5});
    EXPECT_EQ(
        Picture(canvas, {{0xFFFFFFFF, '#'}}),
        (std::vector<std::string>{"........", "........", "...###..", "...###..", "........"}));
}

}  // namespace

namespace {

TEST(ContainerPaint, ChildrenOverTheContainerAndClippedToIt) {
    using namespace SkinUI;
    CContainerUI box;
    box.SetAttribute(L"bkcolor", L"#FF0000FF");
    box.SetAttribute(L"inset", L"1,0,0,0");
    auto child = std::make_unique<CControlUI>();
    child->ApplyAttributeList(L"bkcolor=\"#FFFF0000\" float=\"true\" pos=\"2,1,9,3\"");
    box.Add(std::move(child));
    box.SetPos({1, 0, 6, 3});
    Canvas canvas(8, 4);
    box.DoPaint(canvas, {0, 0, 8, 4});
    EXPECT_EQ(Picture(canvas, {{0xFF0000FF, 'b'}, {0xFFFF0000, 'r'}}),
              (std::vector<std::string>{".bbbbb..", ".bbrrr..", ".bbrrr..", "........"}));
}

}  // namespace
