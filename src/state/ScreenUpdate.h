#pragma once
// What a rule asks its screen to show: field texts, visibility, enabled state and focus, by the
// controls' names. Screens apply it; the CLI and tests read it.
#include <string>
#include <utility>
#include <vector>

#include "state/Param.h"
#include "state/numtext.h"

namespace ornivo {

struct ScreenUpdate {
    std::vector<std::pair<std::string, std::string>> texts;
    std::vector<std::pair<std::string, bool>> visible;
    std::vector<std::pair<std::string, bool>> enabled;
    std::vector<std::pair<std::string, bool>> checked;  // option buttons and check boxes
    std::string focus;     // control to receive the focus, if any
    bool refused = false;  // a message stopped the rule

    void show(const std::string& control, const std::string& text) { texts.emplace_back(control, text); }
    void showSig(const std::string& control, float value, int digits = 3) { show(control, FormatSig(value, digits)); }
    void show(Param field, const std::string& text) { show(std::string(ControlOf(field)), text); }
    void showSig(Param field, float value, int digits = 3) { showSig(std::string(ControlOf(field)), value, digits); }
    void setVisible(const std::string& control, bool v) { visible.emplace_back(control, v); }
    void setEnabled(const std::string& control, bool v) { enabled.emplace_back(control, v); }
    void setChecked(const std::string& control, bool v) { checked.emplace_back(control, v); }
    void append(const ScreenUpdate& o) {
        texts.insert(texts.end(), o.texts.begin(), o.texts.end());
        visible.insert(visible.end(), o.visible.begin(), o.visible.end());
        enabled.insert(enabled.end(), o.enabled.begin(), o.enabled.end());
        checked.insert(checked.end(), o.checked.begin(), o.checked.end());
        if (!o.focus.empty()) focus = o.focus;
        refused = refused || o.refused;
    }
    // The last text shown in a control, or nothing.
    const std::string* textOf(const std::string& control) const {
        for (auto it = texts.rbegin(); it != texts.rend(); ++it)
            if (it->first == control) return &it->second;
        return nullptr;
    }
};

}  // namespace ornivo
