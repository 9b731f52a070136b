#include "main_window/equivalence.h"

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
    const Checked<double> s1 = ReadNumber(inputs.sprocket1);
    const Checked<double> p1 = ReadNumber(inputs.chainring1);
    const Checked<double> p2 = ReadNumber(inputs.chainring2);
    const Checked<std::int16_t> s2 = RoundToInt16(Divide(Multiply(p2, s1), p1));
    if (!s2.ok())
        return labels;
    const Checked<QString> sprocket = NumberToText(s2.value(), locale);
    if (!sprocket.ok())
        return labels;
    labels.sprocket = sprocket.value();
    // The rounded sprocket is used: this is the development of the real gear.
    const Checked<QString> development =
        FormatFixed(Multiply(Divide(p2, s2.value()), kMetresPerTurn), u"0.00", locale);
    if (development.ok())
        labels.development = development.value();
    return labels;
}

} // namespace dentivel
