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
        // A gradient that cannot be read is missing data, not a steep one.
        const Checked<double> gradient = ReadNumber(inputs.gradient);
        if (!gradient.ok())
            return gradient.failure();
        if (!(gradient.value() < kSteepFrom) &&
            messages.show(kSteepGradient) != MessageAnswer::Yes) {
            outcome.speed = QString();
            return FailureCode::None;
        }
        const Checked<double> elevation = ReadNumber(inputs.elevation);
        const Checked<double> speed = Divide(Divide(Multiply(elevation, 100), gradient), 1000);
        const Checked<QString> shown = FormatFixed(speed, u"0.0", locale);
        if (!shown.ok())
            return shown.failure();
        outcome.speed = shown.value() + kUnit;
        // What the rider reads is what is judged: '4.0' passes, '3.9' warns.
        const Checked<bool> walking = MixedValue(shown.value()).isLessThan(kWalkingBelow, locale);
        if (!walking.ok())
            return walking.failure();
        if (walking.value())
            outcome.warning = MessageText{kWalkingPace, shown.value() + kUnit,
                                          MessageIcon::Exclamation, MessageButtons::Ok};
        return FailureCode::None;
    });
    return outcome;
}

} // namespace dentivel
