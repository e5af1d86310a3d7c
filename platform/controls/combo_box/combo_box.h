// The combo box: a field that shows the selected item (CBS_DROPDOWNLIST) or an edit
// child the user types into (CBS_DROPDOWN), with a button that drops the list of items
// below it. The window procedure (combo_box_window.cpp) keeps one ComboBox per window
// in the window's extra bytes (ControlWindow) and only unpacks parameters for it; the
// dropped list is ComboListPopup's.
//
// The height a combo box is created with is its height with the list dropped; the
// window itself keeps the field's height, as on Windows.
#pragma once

#include <windows.h>

#include <nlohmann/json.hpp>
#include <string>

#include "controls/combo_box/combo_box_items.h"
#include "controls/combo_box/combo_list_popup.h"
#include "controls/control_window.h"

namespace platform::controls {

// Registers "ComboBox". Registering twice is harmless.
void RegisterComboBoxClass();

class ComboBox final : public ControlBase, private ComboListOwner {
  public:
    ComboBox(HWND hwnd, const CREATESTRUCTW& create);
    ~ComboBox() = default;
    ComboBox(const ComboBox&) = delete;
    ComboBox& operator=(const ComboBox&) = delete;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Dump(nlohmann::json& content) const;

  private:
    bool IsEditable() const { return edit_ != nullptr; }

    // Creation, size and font.
    bool OnCreate();
    void FitToField();
    void OnFontChanged() override;
    void OnEnable(bool enabled) override;
    RECT ButtonRect() const;
    RECT FieldTextRect() const;

    // The list's contents (CB_ messages).
    LRESULT AddString(const WCHAR* text);
    LRESULT InsertString(int index, const WCHAR* text);
    LRESULT DeleteString(int index);
    LRESULT ResetContent();
    LRESULT SetCurSel(int index);
    LRESULT GetItemData(int index) const;
    LRESULT SetItemData(int index, LONG_PTR data);
    LRESULT FindStringExact(int start, const WCHAR* text) const;
    LRESULT GetLbText(int index, WCHAR* buffer) const;
    LRESULT GetLbTextLen(int index) const;

    // The user's side.
    void OnLButtonDown(POINT point);
    void OnKeyDown(UINT key);
    void OnChar(char16_t character);
    void OnSetFocus();
    void OnKillFocus();
    void OnEditCommand(WORD code);
    LRESULT DialogCode() const;
    void DropDown();
    void CloseUp(bool chosen);
    void ToggleDropDown();
    // The user picked `index` with a key: select it and say so (CBN_SELCHANGE), unless
    // it is already selected.
    void SelectByKey(int index);
    void OnListChoice(int index) override;
    void OnListDismissed() override;

    // What the field shows follows the selection: the window text, and the edit child's.
    void ShowSelection();
    void SetEditText(const std::u16string& text);
    std::u16string EditText() const;
    void Notify(WORD code);

    void Paint(HDC dc, const RECT& client) override;

    HWND hwnd_ = nullptr;
    DWORD style_ = 0;
    HWND edit_ = nullptr;
    ComboBoxItems items_;
    ComboListPopup list_{*this, items_};
    int selection_ = -1;
    bool focused_ = false;
    // The window's height with the list dropped, and the field's and a row's heights for
    // the current font.
    int droppedHeight_ = 0;
    int fieldHeight_ = 0;
    int rowHeight_ = 0;
    // Set while the combo box itself changes the edit child's text, which is not the
    // user's edit.
    bool settingEditText_ = false;
};

}  // namespace platform::controls
