#include "main_window/climbing_speed.h"

#include "shell/numbers.h"

namespace dentivel {

namespace {

const MessageText kMissingData{
    QStringLiteral("Vous avez oublié de saisir une ou plusieurs donnée(s) nécéssaire(s). Merci de "
                   "la(les) saisir maintenant"),
    QStringLiteral("Oubli!"), MessageIcon::Information, MessageButtons::Ok};

const MessageText kSteepGradient{
    QStringLiteral("Tu vas entrer dans la légende des Cinglés du Ventoux ou des Fêlés du Grand "
                   "Colombier avec mon papa et Mimo et Bertolin  ..."),
    QStringLiteral("Infos"), MessageIcon::Information, MessageButtons::YesNo};

const QString kWalkingPace = QStringLiteral("Qui c'est qui ferait mieux de marcher un peu ? ");
const QString kUnit = QStringLiteral(" Km/h");

constexpr double kSteepFrom = 16;
constexpr double kWalkingBelow = 4;

} // namespace

ClimbingSpeedOutcome computeClimbingSpeed(const ClimbingSpeedInputs& inputs, const QLocale& locale,
                                          MessageService& messages)
{
    ClimbingSpeedOutcome outcome;
    ErrorTrap(messages, kMissingData).run([&] {
        if (!(ReadNumber(inputs.gradient) < kSteepFrom) &&
            messages.show(kSteepGradient) != MessageAnswer::Yes) {
            outcome.speed = QString();
            return;
        }
        const double elevation = ReadNumber(inputs.elevation);
        const double gradient = ReadNumber(inputs.gradient);
        const double speed = Divide(Divide(Multiply(elevation, 100), gradient), 1000);
        const QString shown = FormatFixed(speed, u"0.0", locale);
        outcome.speed = shown + kUnit;
        // What the rider reads is what is judged: '4.0' passes, '3.9' warns.
        if (MixedValue(shown).isLessThan(kWalkingBelow, locale))
            outcome.warning = MessageText{kWalkingPace, shown + kUnit, MessageIcon::Exclamation,
                                          MessageButtons::Ok};
    });
    return outcome;
}

} // namespace dentivel
