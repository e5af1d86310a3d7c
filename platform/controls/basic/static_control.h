// The static control ("Static"): a label aligned left, right or centred, or a bitmap or
// icon from the program's resources. With SS_NOTIFY a tap tells the parent STN_CLICKED.
#pragma once

#include <windows.h>

#include <nlohmann/json.hpp>

#include "controls/control_window.h"

namespace platform::controls {

void RegisterStaticClass();

class StaticControl final : public ControlBase {
  public:
    StaticControl(HWND hwnd, const CREATESTRUCTW& create);
    ~StaticControl();
    StaticControl(const StaticControl&) = delete;
    StaticControl& operator=(const StaticControl&) = delete;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Dump(nlohmann::json& content) const;

  private:
    // Read at each use, so a program's SetWindowLongW(GWL_STYLE) takes effect.
    DWORD Style() const;
    bool ShowsImage() const;
    UINT ImageType() const;
    LRESULT OnNcCreate(const CREATESTRUCTW& create);
    void OnLButtonDown();
    HANDLE SetImage(UINT type, HANDLE image);
    HANDLE GetImage(UINT type) const;
    void Paint(HDC dc, const RECT& client) override;
    void PaintText(HDC dc, const RECT& client) const;
    void PaintImage(HDC dc) const;

    HWND hwnd_;
    HANDLE image_ = nullptr;
    // An image the static loaded from its template text is its own to free; one the
    // program handed over with STM_SETIMAGE stays the program's.
    bool ownsImage_ = false;
};

}  // namespace platform::controls
