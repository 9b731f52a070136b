#pragma once

#include "shell/toolbar_button.h"

#include <QString>

#include <vector>

namespace dentivel {

class MessageService;

// The main window's toolbar buttons, left to right.
const std::vector<ToolbarButton>& mainToolbarButtons();

enum class MainToolbarAction {
    None,
    ClimbingSpeed,
    ShowDevelopment,
    ShowTable,
    PrintTable,
    Equivalence,
    ShowAbout,
    Help,
    Close,
};

// What a clicked key asks for: the keys are compared as exact, case-sensitive
// text, in a fixed order; any other key asks for nothing.
MainToolbarAction mainToolbarAction(const QString& key);

void showMainHelp(MessageService& messages);

} // namespace dentivel
