#pragma once

#include "shell/toolbar_button.h"

#include <QLocale>
#include <QString>

#include <optional>
#include <vector>

namespace dentivel {

class MessageService;

// The texts of the development window's inputs at the moment of the click.
struct DevelopmentInputs {
    QString chainring;   // Combo1
    QString sprocket;    // Combo2
    QString revolutions; // Combo3, as typed
};

// What the result labels become; an empty optional leaves a label as it was.
struct DevelopmentLabels {
    std::optional<QString> sentence;    // Label5
    std::optional<QString> development; // Label1
    std::optional<QString> heading;     // Label6
    std::optional<QString> distance;    // aff
};

// The development of one gear and the distance covered in the typed number
// of pedal revolutions. An empty chainring or sprocket brings up the missing
// data message. Other unusable input ends the calculation quietly; once the
// development is shown, a distance that cannot be worked out is emptied so
// that no total from an earlier calculation stands beside it.
DevelopmentLabels computeDevelopment(const DevelopmentInputs& inputs, const QLocale& locale,
                                     MessageService& messages);

void showDevelopmentHelp(MessageService& messages);

// Combo3's text for a value of the spin control: digits only, whatever the locale.
QString revolutionsText(int spinValue);

// What the printed report is made of, as the window holds it at the click.
struct ReportSource {
    QString chainring;   // Combo1
    QString sprocket;    // Combo2
    QString revolutions; // Combo3
    QString development; // Label1, unit included
    QString distance;    // aff, unit included
};

// The report's five lines, separated by CR LF.
QString developmentReport(const ReportSource& source);

inline constexpr qreal kReportPointSize = 12;

// The development window's toolbar buttons, left to right.
const std::vector<ToolbarButton>& developmentToolbarButtons();

enum class DevelopmentToolbarAction { None, Help, Print, Close };

// Which action a toolbar key asks for: exact, case-sensitive keys only.
DevelopmentToolbarAction developmentToolbarAction(const QString& key);

} // namespace dentivel
