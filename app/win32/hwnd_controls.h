#pragma once
// The dialog controls of a real dialog window, by identifier.

#include <windows.h>

#include "dialogs/dialog_controls.h"

namespace tw::win32 {

class HwndControls final : public DialogControls {
  public:
    explicit HwndControls(HWND dialog) : dialog_(dialog) {}
    bool checked(int id) override;
    void set_checked(int id, bool on) override;
    bool enabled(int id) override;
    void enable(int id, bool on) override;
    std::string text(int id) override;
    void set_text(int id, const std::string& text) override;
    void combo_clear(int id) override;
    void combo_add(int id, const std::string& entry) override;
    void combo_select(int id, int index) override;
    int combo_selection(int id) override;
    int combo_count(int id) override;
    std::string combo_entry(int id, int index) override;

  private:
    HWND item(int id) const { return GetDlgItem(dialog_, id); }
    HWND dialog_;
};

}  // namespace tw::win32
