#pragma once
// Dialog controls by identifier: what the dialog logic needs of check boxes,
// edit fields, buttons and combo boxes. The desktop program backs it with a
// dialog window; the tests and the command line with an in-memory table.
// Texts are UTF-8.

#include <string>

namespace tw {

class DialogControls {
  public:
    virtual ~DialogControls() = default;
    virtual bool checked(int id) = 0;
    virtual void set_checked(int id, bool on) = 0;
    virtual bool enabled(int id) = 0;
    virtual void enable(int id, bool on) = 0;
    virtual std::string text(int id) = 0;
    virtual void set_text(int id, const std::string& text) = 0;
    virtual void combo_clear(int id) = 0;
    virtual void combo_add(int id, const std::string& entry) = 0;
    virtual void combo_select(int id, int index) = 0;
    virtual int combo_selection(int id) = 0;  // -1 when nothing is selected
    virtual int combo_count(int id) = 0;
    virtual std::string combo_entry(int id, int index) = 0;
};

}  // namespace tw
