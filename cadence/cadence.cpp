#include "cadence/cadence.h"

#include "shell/gearing.h"
#include "shell/numbers.h"

namespace dentivel {

namespace {

const MessageText kIncomplete{
    QStringLiteral("Vous ne voulez pas en plus que je devine ? Complètez !"),
    QStringLiteral("Non mais !"), MessageIcon::Exclamation, MessageButtons::Ok};

const QString kTooHigh = QStringLiteral(
    " rpm ! T'es pas fous! Tu te mets dans le rouge ! Change de braquet : tombe les dents ou monte "
    "sur la plaque. Au dessus de 130, tu ressembles à une mobylette (mets plus gros)");
const QString kTooLow = QStringLiteral(" rpm : Vous êtes dans un mur ? Changer de braquet pour "
                                       "approcher 50/60 rpm si possible ou marchez un peu !");
constexpr double kHighAbove = 120;
constexpr double kLowBelow = 40;
constexpr double kCrawlingBelow = 10;

} // namespace

CadenceOutcome computeCadence(const CadenceInputs& inputs, const QLocale& locale,
                              MessageService& messages)
{
    CadenceOutcome outcome;
    ErrorTrap(messages, kIncomplete).run([&] {
        const Checked<double> chainring = ReadNumber(inputs.chainring);
        const Checked<double> sprocket = ReadNumber(inputs.sprocket);
        const Checked<double> speed = ReadNumber(inputs.speed);
        if (const FailureCode failed = firstFailure(chainring, sprocket, speed);
            failed != FailureCode::None)
            return failed;
        const Checked<bool> standing = MixedValue(speed.value()).equalsText(u"0", locale);
        if (!standing.ok())
            return standing.failure();
        if (standing.value()) {
            messages.show(kIncomplete);
            return FailureCode::None;
        }
        const Checked<double> metresPerMinute = Divide(Multiply(speed, 1000), 60);
        const Checked<double> development = Multiply(kMetresPerTurn, Divide(chainring, sprocket));
        const Checked<QString> shown =
            FormatFixed(Divide(metresPerMinute, development), u"0", locale);
        if (!shown.ok())
            return shown.failure();
        outcome.heading = QStringLiteral("Votre cadence de pédalage est de :");
        outcome.cadence = shown.value() + QStringLiteral(" rpm");
        // The displayed whole number is judged; the crawl test uses the speed as typed.
        const Checked<double> judged = MixedValue(shown.value()).toNumber(locale);
        if (!judged.ok())
            return judged.failure();
        if (judged.value() > kHighAbove)
            outcome.warning = MessageText{shown.value() + kTooHigh, QStringLiteral("'ttention !"),
                                          MessageIcon::Critical, MessageButtons::Ok};
        else if (judged.value() < kLowBelow && speed.value() < kCrawlingBelow)
            outcome.warning = MessageText{shown.value() + kTooLow, QStringLiteral("ça monte dur !"),
                                          MessageIcon::Exclamation, MessageButtons::Ok};
        return FailureCode::None;
    });
    return outcome;
}

} // namespace dentivel
