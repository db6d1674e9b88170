// SPDX-License-Identifier: MIT
#include "backends/win32/annotations.h"

#include <objbase.h>
// The identifiers below are defined here, where they are used.
#include <initguid.h>
#include <oleacc.h>

#include <array>
#include <string>

#include "backends/win32/utf16.h"

namespace korvanta::win32 {
namespace {

// UI Automation's LiveSetting property, and its value Polite (UIAutomationClient.h).
constexpr GUID kLiveSettingProperty{0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;

} // namespace

void Annotations::Release::operator()(IAccPropServices *service) const { service->Release(); }

Annotations::Annotations() {
    IAccPropServices *service = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                   reinterpret_cast<void **>(&service)))) {
        service_.reset(service);
    }
}

void Annotations::Name(HWND control, std::string_view name) const {
    if (service_ && !name.empty()) {
        std::wstring wide = ToUtf16(name);
        service_->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, wide.data());
    }
}

void Annotations::Polite(HWND control) const {
    if (service_) {
        VARIANT value{};
        value.vt = VT_I4;
        value.lVal = kPolite;
        service_->SetHwndProp(control, OBJID_CLIENT, CHILDID_SELF, kLiveSettingProperty, value);
    }
}

void Annotations::Clear(HWND control) const {
    if (service_) {
        std::array properties{PROPID_ACC_NAME, kLiveSettingProperty};
        service_->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, properties.data(),
                                 static_cast<int>(properties.size()));
    }
}

} // namespace korvanta::win32
