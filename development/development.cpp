#include "development/development.h"

#include "shell/gearing.h"
#include "shell/message_service.h"
#include "shell/numbers.h"

namespace dentivel {

namespace {

const QString kUnit = QStringLiteral(" m");

const MessageText kMissingData{
    QStringLiteral(
        "Vous avez oublié de saisir une ou plusieurs données; merci de la(les) saisir maintenant"),
    QStringLiteral("oubli ! "), MessageIcon::Information, MessageButtons::Ok};

const MessageText kHelp{
    QStringLiteral(" Sélectionnez un plateau et un pignon ou entrez le au clavier, ainsi qu'un "
                   "nombre de tour(s) du manivelle puis cliquez sur Calculer. Vous obtiendrez la "
                   "distance parcourue lors de ce(s) tour(s) de manivelle (Plateau / pignon * "
                   "[nombre de tour(s) de manivelle] * 2.10)"),
    QStringLiteral("Aide"), MessageIcon::Information, MessageButtons::Ok};

} // namespace

void showDevelopmentHelp(MessageService& messages)
{
    messages.show(kHelp);
}

DevelopmentLabels computeDevelopment(const DevelopmentInputs& inputs, const QLocale& locale,
                                     MessageService& messages)
{
    DevelopmentLabels labels;
    // The number of revolutions is not required here: an empty one is met
    // below, as a distance that cannot be worked out.
    if (IsEmptyInput(inputs.chainring) || IsEmptyInput(inputs.sprocket)) {
        messages.show(kMissingData);
        return labels;
    }
    const Checked<double> chainring = ReadNumber(inputs.chainring);
    const Checked<double> sprocket = ReadNumber(inputs.sprocket);
    const Checked<QString> development =
        FormatFixed(Multiply(Divide(chainring, sprocket), kMetresPerTurn), u"0.00", locale);
    if (!development.ok())
        return labels;

    labels.sentence = QStringLiteral("le nombre de tour de pédalier étant ") + inputs.revolutions +
                      QStringLiteral(", la distance finale parcourue pour ce nombre est ");
    labels.development = development.value() + kUnit;
    labels.heading = QStringLiteral("Résultat pour un tour de pédalier :");
    // Emptied first: should the total fail, no earlier one stays beside
    // the new development.
    labels.distance = QString();
    // The total comes from the displayed two-decimal development, not the
    // exact one, so that it agrees with what Label1 shows.
    const Checked<QString> distance = NumberToText(
        MixedValue(development.value()).times(MixedValue(inputs.revolutions), locale), locale);
    if (distance.ok())
        labels.distance = distance.value() + kUnit;
    return labels;
}

QString revolutionsText(int spinValue)
{
    // Every int is in range, so the conversion cannot fail here.
    return QString::number(RoundToInt32(spinValue).value());
}

QString developmentReport(const ReportSource& source)
{
    const QString lineBreak = QStringLiteral("\r\n");
    return lineBreak + lineBreak + QStringLiteral("        Avec le plateau ") + source.chainring +
           QStringLiteral(" et le pignon ") + source.sprocket +
           QStringLiteral(", votre distance parcourue par un tour de pédalier est : ") +
           source.development + QStringLiteral(".") + lineBreak + lineBreak +
           QStringLiteral("        Le nombre de tours de pédalier étant ") + source.revolutions +
           QStringLiteral(", la distance totale est : ") + source.distance;
}

const std::vector<ToolbarButton>& developmentToolbarButtons()
{
    static const std::vector<ToolbarButton> buttons{
        {QStringLiteral("Aide"), QString(), QStringLiteral("Aide"), QStringLiteral("Help")},
        {QStringLiteral("Imprimer"), QString(), QStringLiteral("Imprimer"),
         QStringLiteral("Print")},
        {QStringLiteral("Supprimer"), QString(), QStringLiteral("Fermer"),
         QStringLiteral("Delete")},
    };
    return buttons;
}

DevelopmentToolbarAction developmentToolbarAction(const QString& key)
{
    if (key == QLatin1String("Aide"))
        return DevelopmentToolbarAction::Help;
    if (key == QLatin1String("Imprimer"))
        return DevelopmentToolbarAction::Print;
    if (key == QLatin1String("Supprimer"))
        return DevelopmentToolbarAction::Close;
    return DevelopmentToolbarAction::None;
}

} // namespace dentivel
