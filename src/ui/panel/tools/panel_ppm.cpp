// panel-ppm: writes a picture of a panel of the main window's layout description, painted by the
// same code as the window, on a pixel canvas (the caption text is not rasterised). The picture is
// a PPM file; `convert FILE.ppm FILE.ppm` (ImageMagick) makes a PNG of it.
//
//   panel-ppm --list
//   panel-ppm PANEL FILE.ppm [--width N] [--height N] [--theme N] [--style N] [--background RRGGBB]
//   panel-ppm --all FOLDER
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

#include "ui/panel/layout_description.h"
#include "ui/panel/pixel_canvas.h"
#include "ui/panel/xpcontainer.h"

namespace {

struct Options {
    int width = -1; // -1: the panel's saved size
    int height = -1;
    bool theme = false;
    std::int32_t themeValue = 0;
    bool style = false;
    std::int32_t styleValue = 0;
    panel::Rgb background = panel::DefaultSystemColors()[15];
};

int Usage() {
    std::fputs("usage: panel-ppm --list\n"
               "       panel-ppm PANEL FILE.ppm [--width N] [--height N] [--theme N] [--style N]"
               " [--background RRGGBB]\n"
               "       panel-ppm --all FOLDER\n",
               stderr);
    return 2;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

// 0 on success, else the process's exit code; the message is printed.
int Render(const panel::PanelDescription& description, const std::string& path, const Options& options) {
    panel::XPContainer panel;
    panel.ReadProperties(description.bag);
    if (options.style) panel.SetStyle(options.styleValue);
    if (options.theme) panel.SetTheme(options.themeValue);

    const int width = options.width >= 0 ? options.width : panel::ExtentPixelsX(description.bag);
    const int height = options.height >= 0 ? options.height : panel::ExtentPixelsY(description.bag);
    if (width <= 0 || height <= 0 || width > 10000 || height > 10000) {
        std::fprintf(stderr, "panel-ppm: %s: size %d x %d cannot be pictured\n", description.name.c_str(), width,
                     height);
        return 1;
    }
    panel::PixelCanvas canvas(width, height, options.background);
    panel.SetSurface(&canvas);
    panel.Show();
    if (!WriteFile(path, canvas.EncodePpm())) {
        std::fprintf(stderr, "panel-ppm: cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("%s: %d x %d -> %s\n", description.name.c_str(), width, height, path.c_str());
    return 0;
}

bool ParseNumber(const char* text, std::int32_t& out) {
    return panel::ParseInt32(text, out);
}

} // namespace

int main(int argc, char** argv) {
    const panel::LayoutDescription& layout = panel::MainWindowLayout();
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
        for (const auto& p : layout.panels) {
            std::printf("%s %d x %d\n", p.name.c_str(), panel::ExtentPixelsX(p.bag), panel::ExtentPixelsY(p.bag));
        }
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--all") == 0) {
        int status = 0;
        for (const auto& p : layout.panels) {
            const int s = Render(p, std::string(argv[2]) + "/" + p.name + ".ppm", Options{});
            if (s != 0) status = s;
        }
        return status;
    }
    if (argc < 3 || argc % 2 == 0) return Usage();

    Options options;
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string_view flag = argv[i];
        std::int32_t value = 0;
        if (!ParseNumber(flag == "--background" ? (std::string("0x") + argv[i + 1]).c_str() : argv[i + 1], value)) {
            std::fprintf(stderr, "panel-ppm: %s: not a number: %s\n", argv[i], argv[i + 1]);
            return 2;
        }
        if (flag == "--width") {
            options.width = value;
        } else if (flag == "--height") {
            options.height = value;
        } else if (flag == "--theme") {
            options.theme = true;
            options.themeValue = value;
        } else if (flag == "--style") {
            options.style = true;
            options.styleValue = value;
        } else if (flag == "--background") {
            const auto rrggbb = static_cast<std::uint32_t>(value);
            options.background = panel::MakeRgb(static_cast<int>(rrggbb >> 16 & 0xFF),
                                                static_cast<int>(rrggbb >> 8 & 0xFF), static_cast<int>(rrggbb & 0xFF));
        } else {
            return Usage();
        }
    }

    const panel::PanelDescription* description = layout.Find(argv[1]);
    if (description == nullptr) {
        std::fprintf(stderr, "panel-ppm: no panel named %s (see --list)\n", argv[1]);
        return 1;
    }
    return Render(*description, argv[2], options);
}
