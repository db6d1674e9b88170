// SPDX-License-Identifier: MIT
// The floor: a plain Xlib + Xft window of the main window's size that paints the
// background, each control's rectangle and the first line of its text in the form's
// font, and ends after its first paint. No toolkit can show the window for less.
#include <X11/Xatom.h>
#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/report.h"
#include "ui/layout.h"

namespace {

using namespace korvanta;

// The logical resolution as X clients read it: Xft.dpi, else 96.
int LogicalDpi(Display *display) {
    const char *value = XGetDefault(display, "Xft", "dpi");
    const int dpi = value != nullptr ? std::atoi(value) : 0;
    return dpi > 0 ? dpi : 96;
}

XftColor MakeColor(Display *display, Visual *visual, Colormap colormap, Rgb rgb) {
    const XRenderColor render{static_cast<unsigned short>(rgb.red * 257), static_cast<unsigned short>(rgb.green * 257),
                              static_cast<unsigned short>(rgb.blue * 257), 0xffff};
    XftColor color{};
    XftColorAllocValue(display, visual, colormap, &render, &color);
    return color;
}

std::string FirstLine(std::string_view text) { return std::string(text.substr(0, text.find("\r\n"))); }

} // namespace

int main() {
    using korvanta::bench::MarkPhase;
    using korvanta::bench::Phase;
    MarkPhase(Phase::Main);
    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("cannot open the X display\n", stderr);
        return 1;
    }
    MarkPhase(Phase::Application);
    const int screen = DefaultScreen(display);
    Visual *visual = DefaultVisual(display, screen);
    const Colormap colormap = DefaultColormap(display, screen);
    const FormSpec &form = MainForm();
    const int dpi = LogicalDpi(display);
    const int width = TwipsToPixels(form.clientWidth, dpi);
    const int height = TwipsToPixels(form.clientHeight, dpi);

    const Window window =
        XCreateSimpleWindow(display, RootWindow(display, screen), (DisplayWidth(display, screen) - width) / 2,
                            (DisplayHeight(display, screen) - height) / 2, width, height, 0, 0, 0);
    const std::string caption(form.caption);
    Xutf8SetWMProperties(display, window, caption.c_str(), caption.c_str(), nullptr, 0, nullptr, nullptr, nullptr);
    XSelectInput(display, window, ExposureMask);
    XMapWindow(display, window);
    MarkPhase(Phase::Shown);

    const std::string pattern =
        std::string(form.font.family) + "-" + std::to_string(form.font.pointSize) + ":dpi=" + std::to_string(dpi);
    XftFont *font = XftFontOpenName(display, screen, pattern.c_str());
    XftDraw *draw = XftDrawCreate(display, window, visual, colormap);
    const XftColor black = MakeColor(display, visual, colormap, {0, 0, 0});
    const XftColor white = MakeColor(display, visual, colormap, {255, 255, 255});
    const XftColor gray = MakeColor(display, visual, colormap, {224, 224, 224});
    const XftColor background = MakeColor(display, visual, colormap, form.backColor);

    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != Expose || event.xexpose.count != 0) {
            continue;
        }
        MarkPhase(Phase::Painting);
        XftDrawRect(draw, &background, 0, 0, width, height);
        for (const ControlSpec &design : form.controls) {
            const PixelRect rect = TwipsToPixels(VisibleRect(design, form), dpi);
            const XftColor fill = design.backColor ? MakeColor(display, visual, colormap, *design.backColor)
                                                   : (design.kind == ControlKind::Button ? gray : white);
            XftDrawRect(draw, &fill, rect.left, rect.top, rect.width, rect.height);
            const std::string line = FirstLine(design.text);
            XftDrawStringUtf8(draw, &black, font, rect.left + 3, rect.top + font->ascent + 2,
                              reinterpret_cast<const FcChar8 *>(line.data()), static_cast<int>(line.size()));
        }
        XSync(display, False); // the server has drawn everything
        korvanta::bench::ReportFirstPaint();
        break;
    }
    XftDrawDestroy(draw);
    XftFontClose(display, font);
    XCloseDisplay(display);
    return 0;
}
