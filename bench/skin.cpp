// The skin stages a window goes through, on an archive shaped like the shipped
// one (six markup files and 60 PNG images, solid LZMA2, about 280 KB): decode
// the archive (against `7zz x` of the same archive), decode the images, parse
// and build the largest markup file, and lay its tree out. Best of five
// rounds each, the peer taking turns with us.
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "skinui/Image.h"
#include "skinui/MarkupDoc.h"
#include "skinui/PaintManager.h"
#include "skinui/Resources.h"
#include "skinui/SkinArchive.h"
#include "skinui/SkinBuilder.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;
constexpr int kRounds = 5;

template <typename Run>
double Seconds(Run run) {
    const auto start = Clock::now();
    run();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void Append32(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(char(value >> shift));
}

void Chunk(std::string& out, const char* type, const std::string& data) {
    Append32(out, static_cast<uint32_t>(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    Append32(out, static_cast<uint32_t>(
                      crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))));
}

// An RGBA image with soft gradients and a little noise, as artwork has.
std::string MakePng(int width, int height, std::mt19937& random) {
    std::string raw;
    std::uniform_int_distribution<int> noise(0, 7);
    int hue = noise(random) * 30;
    std::vector<uint8_t> row(static_cast<size_t>(width) * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int grain = (x * 7 + y * 3) % 37 == 0 ? noise(random) : 0;
            uint8_t* p = &row[static_cast<size_t>(x) * 4];
            p[0] = uint8_t(x * 255 / width + hue + grain);
            p[1] = uint8_t(y * 255 / height + grain);
            p[2] = uint8_t(hue * 3 + ((x >> 3) ^ (y >> 3)));
            p[3] = uint8_t(x < 2 || y < 2 ? 0 : 255);
        }
        // The Sub filter, as PNG encoders choose for gradients.
        raw.push_back(1);
        for (size_t i = 0; i < row.size(); ++i)
            raw.push_back(char(row[i] - (i >= 4 ? row[i - 4] : 0)));
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::string packed(packedSize, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
              reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()), 9);
    packed.resize(packedSize);
    std::string header;
    Append32(header, uint32_t(width));
    Append32(header, uint32_t(height));
    header += std::string("\x08\x06\x00\x00\x00", 5);
    std::string png = "\x89PNG\r\n\x1a\n";
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", packed);
    Chunk(png, "IEND", "");
    return png;
}

// A main window of the installer's shape: pages of rows of buttons and labels.
std::string MakeMainMarkup() {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Window size=\"600,400\" "
        "caption=\"0,0,0,35\" roundcorner=\"2,2\" showshadow=\"true\">\n"
        "  <Font id=\"0\" name=\"微软雅黑\" size=\"14\" default=\"true\"/>\n"
        "  <Font id=\"1\" name=\"微软雅黑\" size=\"22\"/>\n"
        "  <VerticalLayout bkimage=\"res\\mainWnd\\bg1.png\">\n"
        "    <HorizontalLayout height=\"35\"><Control/>"
        "<Button name=\"minbtn\" width=\"24\" height=\"24\" "
        "normalimage=\"res\\common\\minbtn1.png\"/>"
        "<Button name=\"closebtn\" width=\"24\" height=\"24\" "
        "normalimage=\"res\\common\\closebtn1.png\"/></HorizontalLayout>\n"
        "    <TabLayout name=\"pages\">\n";
    for (int page = 0; page < 4; ++page) {
        xml += "      <VerticalLayout name=\"page" + std::to_string(page) + "\">\n";
        for (int row = 0; row < 12; ++row) {
            std::string id = std::to_string(page) + "_" + std::to_string(row);
            xml +=
                "        <HorizontalLayout height=\"24\" padding=\"0,2,0,2\"><Control/>"
                "<Label name=\"label" +
                id + "\" width=\"200\" text=\"安装位置 " + id +
                "\" font=\"0\" textcolor=\"#FF333333\" align=\"left\"/>"
                "<Button name=\"button" +
                id +
                "\" width=\"88\" height=\"18\" text=\"自定义\" "
                "normalimage=\"res\\mainWnd\\customeBtn1.png\" hotimage=\"res\\mainWnd\\"
                "customeBtn2.png\" pushedimage=\"res\\mainWnd\\customeBtn3.png\"/>"
                "<CheckBox name=\"check" +
                id +
                "\" width=\"16\" selected=\"true\" "
                "normalimage=\"res\\mainWnd\\Cb1.png\" selectedimage=\"res\\mainWnd\\Cb2.png\"/>"
                "<Control/></HorizontalLayout>\n";
        }
        xml += "        <Progress name=\"progress" + std::to_string(page) +
               "\" width=\"410\" height=\"8\" bkimage=\"res\\mainWnd\\installPrg1.png\" "
               "foreimage=\"res\\mainWnd\\installPrg2.png\"/>\n      </VerticalLayout>\n";
    }
    xml += "    </TabLayout>\n  </VerticalLayout>\n</Window>\n";
    return xml;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

std::vector<uint8_t> ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool Run(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

}  // namespace

int main() {
    const fs::path scratch = fs::temp_directory_path() / "qm-bench-skin";
    fs::remove_all(scratch);
    const fs::path tree = scratch / "skin";
    std::mt19937 random(147);
    const std::string mainMarkup = MakeMainMarkup();
    WriteFile(tree / "mainWnd.xml", mainMarkup);
    for (const char* name : {"MessageBox1Wnd.xml", "MessageBox2Wnd.xml", "InstalledPathTipWnd.xml",
                             "exitTipWnd.xml", "NetworkTipWnd.xml"}) {
        WriteFile(tree / name,
                  mainMarkup.substr(0, 3000) + "</TabLayout></VerticalLayout></Window>");
    }
    std::vector<std::wstring> images;
    for (int i = 0; i < 60; ++i) {
        // Four large backgrounds, the rest button-sized.
        int width = i < 4 ? 600 : 40 + (i * 37) % 360;
        int height = i < 4 ? 400 : 18 + (i * 11) % 80;
        std::string name = "res/mainWnd/image" + std::to_string(i) + ".png";
        WriteFile(tree / name, MakePng(width, height, random));
        images.push_back(platform::FromUtf8(name));
    }
    const fs::path archivePath = scratch / "skin.7z";
    if (!Run("cd '" + tree.string() + "' && 7zz a -bd -bso0 -t7z -m0=lzma2 -ms=on '" +
             archivePath.string() + "' . >/dev/null")) {
        std::printf("7zz could not pack the archive: no ratio\nskin: ratio=0 (goal 1.0)\n");
        return 1;
    }
    const std::vector<uint8_t> archive = ReadFile(archivePath);

    double peer = 1e9, ours = 1e9, decode = 1e9, parse = 1e9, build = 1e9, layout = 1e9;
    size_t entries = 0, controls = 0;
    bool ok = true;
    for (int round = 0; round < kRounds; ++round) {
        const fs::path out = scratch / "out";
        fs::remove_all(out);
        peer = std::min(peer, Seconds([&] {
                            ok &= Run("7zz x -bd -bso0 -y -o'" + out.string() + "' '" +
                                      archivePath.string() + "'");
                        }));
        std::unique_ptr<SkinUI::CSkinArchive> opened;
        ours = std::min(ours, Seconds([&] {
                            opened =
                                SkinUI::CSkinArchive::OpenMemory(archive.data(), archive.size());
                        }));
        entries = opened ? opened->Entries().size() : 0;

        // Six windows open; the archive is decoded for the first only.
        SkinUI::ResetResources();
        for (int window = 0; window < 6; ++window) {
            SkinUI::SetResourceZipMemory(archive.data(), archive.size());
        }
        decode = std::min(decode, Seconds([&] {
                              for (const std::wstring& image : images)
                                  ok &= SkinUI::LoadImage(image) != nullptr;
                          }));
        const std::wstring text = platform::FromUtf8(mainMarkup);
        parse = std::min(parse, Seconds([&] {
                             SkinUI::CMarkupDoc doc;
                             ok &= doc.Load(text);
                             controls = doc.Count() - 1;
                         }));
        SkinUI::CPaintManager manager;
        std::unique_ptr<SkinUI::CControlUI> root;
        build = std::min(build, Seconds([&] {
                             SkinUI::CSkinBuilder builder;
                             root = builder.Create(SkinUI::SkinSource::FromText(L"MainWnd.xml"),
                                                   nullptr, &manager);
                         }));
        ok &= root != nullptr;
        if (!root) break;
        manager.AttachControlTree(root.get());
        layout = std::min(layout, Seconds([&] { root->SetPos({0, 0, 600, 400}); }));
        manager.AttachControlTree(nullptr);
    }
    ok &= entries == 66;
    fs::remove_all(scratch);

    std::printf("archive: %zu bytes, %zu files; main markup %zu bytes, %zu elements\n",
                archive.size(), entries, mainMarkup.size(), controls);
    std::printf("%-36s %10s\n", "stage (best of 5)", "ms");
    std::printf("%-36s %10.2f\n", "7zz x (peer)", peer * 1e3);
    std::printf("%-36s %10.2f\n", "archive decoded into memory", ours * 1e3);
    std::printf("%-36s %10.2f\n", "60 images decoded", decode * 1e3);
    std::printf("%-36s %10.2f\n", "largest markup parsed", parse * 1e3);
    std::printf("%-36s %10.2f\n", "largest markup read and built", build * 1e3);
    std::printf("%-36s %10.2f\n", "tree laid out in 600x400", layout * 1e3);
    if (!ok) std::printf("a stage failed: no ratio\n");
    std::printf("skin: ratio=%.2f (goal 1.0)\n", ok ? peer / ours : 0.0);
    return ok ? 0 : 1;
}
