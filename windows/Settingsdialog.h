#pragma once
// What the category window's menu opens of the global settings dialog.

class SettingsDialog {
public:
    virtual ~SettingsDialog() = default;
    // Shows the dialog modally.
    virtual void showSettings() = 0;
};
