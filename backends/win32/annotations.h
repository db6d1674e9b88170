// SPDX-License-Identifier: MIT
// What screen readers are told of a control beyond what Windows finds by itself: its
// name from the window's description, and, for a box whose new text is announced, that it
// is a polite live region (Narrator reads such a box's new text only then). Windows names
// an input after the label before it and a button after its caption; a list view, a
// multi-line box or the second of two inputs has no label of its own. Uses Windows'
// dynamic annotation (IAccPropServices), which needs COM on the thread, as the program
// starts it; without COM or the service (wine has only stubs), the controls keep the
// names Windows gives them.
#pragma once

#include <windows.h>

#include <memory>
#include <string_view>

struct IAccPropServices;

namespace korvanta::win32 {

class Annotations {
public:
    Annotations();

    void Name(HWND control, std::string_view name) const;
    void Polite(HWND control) const;
    // What was said of a control, dropped before it is destroyed.
    void Clear(HWND control) const;

private:
    struct Release {
        void operator()(IAccPropServices *service) const;
    };
    std::unique_ptr<IAccPropServices, Release> service_;
};

} // namespace korvanta::win32
