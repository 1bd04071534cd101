#pragma once
// Dialog controls held in memory: every identifier names a control that
// exists as soon as it is touched (enabled, empty, unchecked).

#include <map>
#include <string>
#include <vector>

#include "dialogs/dialog_controls.h"

namespace tw {

class MemoryDialog final : public DialogControls {
  public:
    bool checked(int id) override { return at(id).checked; }
    void set_checked(int id, bool on) override { at(id).checked = on; }
    bool enabled(int id) override { return at(id).enabled; }
    void enable(int id, bool on) override { at(id).enabled = on; }
    std::string text(int id) override { return at(id).text; }
    void set_text(int id, const std::string& text) override { at(id).text = text; }
    void combo_clear(int id) override {
        at(id).entries.clear();
        at(id).selection = -1;
    }
    void combo_add(int id, const std::string& entry) override { at(id).entries.push_back(entry); }
    void combo_select(int id, int index) override {
        Control& c = at(id);
        c.selection = (index >= 0 && index < static_cast<int>(c.entries.size())) ? index : -1;
    }
    int combo_selection(int id) override { return at(id).selection; }
    int combo_count(int id) override { return static_cast<int>(at(id).entries.size()); }
    std::string combo_entry(int id, int index) override {
        const Control& c = at(id);
        return (index >= 0 && index < static_cast<int>(c.entries.size()))
                   ? c.entries[static_cast<size_t>(index)]
                   : std::string();
    }

  private:
    struct Control {
        bool checked = false;
        bool enabled = true;
        std::string text;
        std::vector<std::string> entries;
        int selection = -1;
    };
    Control& at(int id) { return controls_[id]; }
    std::map<int, Control> controls_;
};

}  // namespace tw
