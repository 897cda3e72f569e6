// Seamster.exe must carry its program icon and every picture its windows show,
// at the sizes the windows lay them out for. The pictures are read from the
// real exe beside this test program, through the same loader the program uses.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "res/ResourceIds.h"
#include "ui/ImageList.h"
#include "ui/Toolkit.h"
#include "ui/Window.h"

namespace {

using Size = std::pair<int, int>;

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colorCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
#pragma pack(pop)

std::wstring seamsterExePath() {
    wchar_t buffer[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    std::wstring path = buffer;
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"Seamster.exe";
}

class PictureResources : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        module_ = LoadLibraryExW(seamsterExePath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    static void TearDownTestSuite() {
        if (module_) FreeLibrary(module_);
        module_ = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(module_, nullptr) << "Seamster.exe must be built beside this test";
    }

    static const BYTE* resourceBytes(int id, LPCWSTR type, DWORD* size) {
        HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
        if (!found) return nullptr;
        *size = SizeofResource(module_, found);
        return static_cast<const BYTE*>(LockResource(LoadResource(module_, found)));
    }

    // The (width, height) of every image of an icon group.
    static std::vector<GroupIconEntry> groupEntries(int id) {
        DWORD size = 0;
        const BYTE* data = resourceBytes(id, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, &size);
        std::vector<GroupIconEntry> entries;
        if (!data || size < sizeof(GroupIconHeader)) return entries;
        const auto* header = reinterpret_cast<const GroupIconHeader*>(data);
        if (size < sizeof(GroupIconHeader) + header->count * sizeof(GroupIconEntry)) return entries;
        const auto* first = reinterpret_cast<const GroupIconEntry*>(data + sizeof(GroupIconHeader));
        entries.assign(first, first + header->count);
        return entries;
    }

    static std::set<Size> groupSizes(int id) {
        std::set<Size> sizes;
        for (const GroupIconEntry& e : groupEntries(id))
            sizes.insert({e.width ? e.width : 256, e.height ? e.height : 256});
        return sizes;
    }

    // Loads one image of an icon and reports its size and how many pixels show.
    static bool loadIcon(int id, Size want, Size* got, int* visible) {
        HICON icon = static_cast<HICON>(
            LoadImageW(module_, MAKEINTRESOURCEW(id), IMAGE_ICON, want.first, want.second, 0));
        if (!icon) return false;
        ICONINFO info = {};
        bool ok = GetIconInfo(icon, &info) && info.hbmColor;
        if (ok) {
            BITMAP bm = {};
            GetObjectW(info.hbmColor, sizeof bm, &bm);
            *got = {bm.bmWidth, bm.bmHeight};
            *visible = countVisiblePixels(info.hbmColor, bm.bmWidth, bm.bmHeight);
        }
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        DestroyIcon(icon);
        return ok;
    }

    static int countVisiblePixels(HBITMAP bitmap, int width, int height) {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
        HDC screen = GetDC(nullptr);
        int lines = GetDIBits(screen, bitmap, 0, height, pixels.data(), &bi, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        if (lines != height) return -1;
        return static_cast<int>(
            std::count_if(pixels.begin(), pixels.end(), [](DWORD p) { return (p >> 24) >= 128; }));
    }

    static HMODULE module_;
};

HMODULE PictureResources::module_ = nullptr;

struct IconCase {
    int id;
    std::set<Size> sizes;
};

TEST_F(PictureResources, IconsHaveTheirSizesAndVisibleContent) {
    const int base = PICTURE_RESOURCE_BASE;
    // Drawn at 100, 125, 150 and 200 % of their 16- or 32-pixel size.
    const std::set<Size> small = {{16, 16}, {20, 20}, {24, 24}, {32, 32}};
    const std::set<Size> large = {{32, 32}, {40, 40}, {48, 48}, {64, 64}};
    std::set<Size> both = small;
    both.insert(large.begin(), large.end());
    const std::vector<IconCase> cases = {
        {IDI_PROGRAM, {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {256, 256}}},
        {base + 11, large},
        {base + 12, both},
        {base + 13, both},
        {base + 14, large},
        {base + 15, large},
        {base + 16, both},
        {base + 17, large},
        {base + 18, large},
        {base + 19, large},
        {base + 20, small},
        {base + 21, both},
        {base + 22, small},
        {base + 23, small},
        {base + 24, {{122, 176}}},
        {base + 25, {{50, 178}}},
        {base + 26, large},
        {base + 27, both},
    };
    for (const IconCase& c : cases) {
        SCOPED_TRACE("icon resource " + std::to_string(c.id));
        EXPECT_EQ(groupSizes(c.id), c.sizes);
        for (const Size& want : c.sizes) {
            Size got{};
            int visible = 0;
            ASSERT_TRUE(loadIcon(c.id, want, &got, &visible)) << want.first << "x" << want.second;
            EXPECT_EQ(got, want);
            // A drawn picture covers a fair part of its square but is not a filled block.
            const int area = want.first * want.second;
            EXPECT_GT(visible, area / 8) << want.first << "x" << want.second;
            EXPECT_LT(visible, area) << want.first << "x" << want.second;
        }
    }
}

TEST_F(PictureResources, AboutPictureOnTheToolBarIsTheSameAsPicture17) {
    auto bytesOf = [](int group) {
        std::vector<std::string> images;
        for (const GroupIconEntry& e : groupEntries(group)) {
            DWORD size = 0;
            const BYTE* data = resourceBytes(e.id, MAKEINTRESOURCEW(3) /* RT_ICON */, &size);
            images.emplace_back(data ? std::string(reinterpret_cast<const char*>(data), size) : "");
        }
        return images;
    };
    const auto seventeen = bytesOf(PICTURE_RESOURCE_BASE + 17);
    ASSERT_EQ(seventeen.size(), 4u);
    EXPECT_FALSE(seventeen[0].empty());
    EXPECT_EQ(seventeen, bytesOf(PICTURE_RESOURCE_BASE + 26));
}

TEST_F(PictureResources, BodyShopStatePicturesArePaletteBitmaps) {
    // At 100, 125, 150 and 200 %, each a step of PICTURE_SCALE_STEP further.
    const int sides[] = {48, 60, 72, 96};
    for (int step = 0; step < 4; ++step)
        for (int n : {6, 7}) {
            const int id = PICTURE_RESOURCE_BASE + step * PICTURE_SCALE_STEP + n,
                      side = sides[step];
            SCOPED_TRACE("picture " + std::to_string(n) + " at " + std::to_string(side));
            DWORD size = 0;
            const BYTE* data = resourceBytes(id, MAKEINTRESOURCEW(2) /* RT_BITMAP */, &size);
            ASSERT_NE(data, nullptr);
            ASSERT_GE(size, sizeof(BITMAPINFOHEADER));
            const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(data);
            EXPECT_EQ(header->biWidth, side);
            EXPECT_EQ(header->biHeight, side);
            EXPECT_EQ(header->biBitCount, 8);
            EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB));

            HBITMAP bitmap = static_cast<HBITMAP>(
                LoadImageW(module_, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
            ASSERT_NE(bitmap, nullptr);
            BITMAP bm = {};
            GetObjectW(bitmap, sizeof bm, &bm);
            EXPECT_EQ(bm.bmWidth, side);
            EXPECT_EQ(bm.bmHeight, side);
            DeleteObject(bitmap);
        }
}

TEST_F(PictureResources, ImageListsStoreAPictureAsTheSystemWould) {
    auto stored = [](HIMAGELIST list, std::vector<char> bits = std::vector<char>(20000)) {
        IMAGEINFO info = {};
        ImageList_GetImageInfo(list, 0, &info);
        GetBitmapBits(info.hbmMask, 512,
                      bits.data() + GetBitmapBits(info.hbmImage, 19000, bits.data()));
        return bits;
    };
    seamster::ui::Toolkit toolkit(module_);
    int fromPixels = 0;
    for (int picture = 11; picture < seamster::ui::pictureCount; ++picture)
        for (int side : {16, 20, 24, 32, 40, 48, 64}) {
            auto icon = HICON(LoadImageW(module_, MAKEINTRESOURCEW(PICTURE_RESOURCE_BASE + picture),
                                         IMAGE_ICON, side, side, 0));
            auto system = seamster::ui::makeImageList(side, 1),
                 ours = seamster::ui::makeImageList(side, 1),
                 pixels = seamster::ui::makeImageList(side, 1);
            ImageList_AddIcon(system.get(), icon);
            EXPECT_EQ(seamster::ui::addIcon(ours.get(), icon), 0);
            EXPECT_EQ(seamster::ui::addPicture(pixels.get(), toolkit, picture, side, 96), 0);
            EXPECT_EQ(stored(ours.get()), stored(system.get())) << picture << " at " << side;
            EXPECT_EQ(stored(pixels.get()), stored(system.get())) << picture << " at " << side;
            fromPixels += toolkit.iconPixels(picture, side).has_value();
            DestroyIcon(icon);
        }
    EXPECT_GE(fromPixels, 60);
}

TEST_F(PictureResources, RunningAndIdlePicturesDiffer) {
    DWORD size6 = 0, size7 = 0;
    const BYTE* six = resourceBytes(PICTURE_RESOURCE_BASE + 6, MAKEINTRESOURCEW(2), &size6);
    const BYTE* seven = resourceBytes(PICTURE_RESOURCE_BASE + 7, MAKEINTRESOURCEW(2), &size7);
    ASSERT_TRUE(six && seven);
    EXPECT_FALSE(size6 == size7 && std::equal(six, six + size6, seven));
}

}  // namespace
