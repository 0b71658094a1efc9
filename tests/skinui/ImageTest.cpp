#include <gtest/gtest.h>

#include <filesystem>

#include "SkinFixtures.h"
#include "skinui/Image.h"
#include "skinui/Resources.h"
#include "skinui/SkinArchive.h"
#include "support/TestSupport.h"

namespace {

using namespace SkinUI;

// The fixture PNG: opaque red, half-transparent green, transparent blue,
// opaque dark grey; premultiplied, rounded to nearest.
const uint32_t kFixturePixels[] = {0xFFFF0000, 0x80008000, 0x00000000, 0xFF0A141E};

void ExpectFixturePixels(const ImagePtr& image) {
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, 2);
    ASSERT_EQ(image->height, 2);
    EXPECT_TRUE(image->hasAlpha);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(image->Pixel(i % 2, i / 2), kFixturePixels[i]) << i;
}

std::vector<uint8_t> FixtureArchive() {
    return skinui_test::ReadBytes(skinui_test::FixturePath("skin.7z"));
}

std::string FixturePng() {
    std::vector<uint8_t> bytes = FixtureArchive();
    auto archive = CSkinArchive::OpenMemory(bytes.data(), bytes.size());
    auto found = archive->Find(L"res/mainWnd/bg1.png");
    std::string png(found->size, '\0');
    archive->Extract(found->index, png.data());
    return png;
}

TEST(LoadImage, DecodesAndPremultipliesFromTheArchive) {
    skinui_test::ResourceStateGuard guard;
    std::vector<uint8_t> archive = FixtureArchive();
    SetResourceZipMemory(archive.data(), archive.size());
    ExpectFixturePixels(LoadImage(L"res\\mainWnd\\bg1.png"));
    ExpectFixturePixels(LoadImage(L"RES/MessageBoxWnd/YESBTN1.png"));
    EXPECT_FALSE(LoadImage(L"res\\mainWnd\\installPrg3.png"));
    // The skin markup is no image.
    EXPECT_FALSE(LoadImage(L"mainWnd.xml"));
}

TEST(LoadImage, MaskMakesAColourTransparent) {
    skinui_test::ResourceStateGuard guard;
    std::vector<uint8_t> archive = FixtureArchive();
    SetResourceZipMemory(archive.data(), archive.size());
    ImagePtr masked = LoadImage(L"res/mainWnd/bg1.png", L"", 0xFF0A141E);
    ASSERT_TRUE(masked);
    EXPECT_EQ(masked->Pixel(1, 1), 0u);
    EXPECT_EQ(masked->Pixel(0, 0), 0xFFFF0000u);
}

TEST(LoadImage, FromDiskUnderTheResourcePath) {
    skinui_test::ResourceStateGuard guard;
    testing_support::ScratchDir dir;
    std::filesystem::create_directories(dir / "res" / "mainWnd");
    testing_support::WriteFile(dir.path() / "res" / "mainWnd" / "bg1.png", FixturePng());
    SetResourcePath(skinui_test::WidePath(dir.path()));
    // Skins write their image names with backslashes.
    ExpectFixturePixels(LoadImage(L"res\\mainWnd\\bg1.png"));
    EXPECT_FALSE(LoadImage(L"res\\mainWnd\\bg2.png"));
}

TEST(LoadImage, AbsolutePathOutsideTheArchiveLoads) {
    skinui_test::ResourceStateGuard guard;
    testing_support::ScratchDir dir;
    testing_support::WriteFile(dir / "outside.png", FixturePng());
    std::vector<uint8_t> archive = FixtureArchive();
    SetResourceZipMemory(archive.data(), archive.size());
    ExpectFixturePixels(LoadImage(skinui_test::WidePath(dir / "outside.png")));
    EXPECT_FALSE(LoadImage(skinui_test::WidePath(dir / "absent.png")));
}

TEST(LoadImage, ColorImagesAreOnePixel) {
    struct Case {
        const wchar_t* name;
        uint32_t pixel;
        bool hasAlpha;
    };
    const Case cases[] = {
        {L"#FF102030", 0xFF102030, false},
        {L"80FF0000", 0x80800000, true},
        {L"0x00FFFFFF", 0x00000000, true},
    };
    for (const Case& c : cases) {
        ImagePtr image = LoadImage(c.name, kColorImageType);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width, 1);
        EXPECT_EQ(image->Pixel(0, 0), c.pixel);
        EXPECT_EQ(image->hasAlpha, c.hasAlpha);
    }
}

TEST(DecodeImage, RefusesWhatIsNoImage) {
    const uint8_t junk[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0};
    EXPECT_FALSE(DecodeImage(junk, sizeof junk, 0));
    EXPECT_FALSE(DecodeImage(nullptr, 0, 0));
}

}  // namespace
