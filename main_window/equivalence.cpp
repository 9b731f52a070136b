#include "main_window/equivalence.h"

#include "shell/failure.h"
#include "shell/gearing.h"
#include "shell/message_service.h"
#include "shell/numbers.h"

namespace dentivel {

namespace {

const MessageText kMissingData{
    QStringLiteral("Vous avez oublié de saisir une ou plusieurs donnée(s), merci de la(les) "
                   "saisir maintenant"),
    QStringLiteral("oubli"), MessageIcon::Information, MessageButtons::Ok};

} // namespace

EquivalenceLabels computeEquivalence(const EquivalenceInputs& inputs, const QLocale& locale,
                                     MessageService& messages)
{
    EquivalenceLabels labels;
    if (IsEmptyInput(inputs.chainring1) || IsEmptyInput(inputs.chainring2) ||
        IsEmptyInput(inputs.sprocket1)) {
        messages.show(kMissingData);
        return labels;
    }
    // Inputs that are present but read as 0 make a division fail; the
    // calculation then stops where it failed, without a message.
    runTrapped([&] {
        const double s1 = ReadNumber(inputs.sprocket1);
        const double p1 = ReadNumber(inputs.chainring1);
        const double p2 = ReadNumber(inputs.chainring2);
        const double exact = Divide(Multiply(p2, s1), p1);
        const std::int16_t s2 = RoundToInt16(exact);
        labels.sprocket = NumberToText(s2, locale);
        // The rounded sprocket is used: this is the development of the real gear.
        const double development =
            Multiply(Divide(ReadNumber(inputs.chainring2), s2), kMetresPerTurn);
        labels.development = FormatFixed(development, u"0.00", locale);
    });
    return labels;
}

} // namespace dentivel
