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
        const double chainring = ReadNumber(inputs.chainring);
        const double sprocket = ReadNumber(inputs.sprocket);
        const double speed = ReadNumber(inputs.speed);
        if (MixedValue(speed).equalsText(u"0", locale)) {
            messages.show(kIncomplete);
            return;
        }
        const double metresPerMinute = Divide(Multiply(speed, 1000), 60);
        const double development = Multiply(kMetresPerTurn, Divide(chainring, sprocket));
        const QString shown = FormatFixed(Divide(metresPerMinute, development), u"0", locale);
        outcome.heading = QStringLiteral("Votre cadence de pédalage est de :");
        outcome.cadence = shown + QStringLiteral(" rpm");
        // The displayed whole number is judged; the crawl test uses the speed as typed.
        const MixedValue cadence(shown);
        if (cadence.isGreaterThan(kHighAbove, locale))
            outcome.warning = MessageText{shown + kTooHigh, QStringLiteral("'ttention !"),
                                          MessageIcon::Critical, MessageButtons::Ok};
        else if (cadence.isLessThan(kLowBelow, locale) && speed < kCrawlingBelow)
            outcome.warning = MessageText{shown + kTooLow, QStringLiteral("ça monte dur !"),
                                          MessageIcon::Exclamation, MessageButtons::Ok};
    });
    return outcome;
}

} // namespace dentivel
