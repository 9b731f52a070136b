#include "main_window/main_toolbar.h"

#include "shell/message_service.h"

#include <array>
#include <utility>

namespace dentivel {

const std::vector<ToolbarButton>& mainToolbarButtons()
{
    static const ToolbarButton separator{{}, {}, {}, {}, ButtonStyle::Separator};
    static const std::vector<ToolbarButton> buttons{
        {QStringLiteral("cal2"), QStringLiteral("Equivalence"), QStringLiteral("Calculer"),
         QStringLiteral("cal2")},
        {QStringLiteral("velo"), QStringLiteral("V. en montagne"), QString(),
         QStringLiteral("vélo")},
        separator,
        {QStringLiteral("Imprimer"), QStringLiteral("Impr. table"),
         QStringLiteral("Imprimer la table"), QStringLiteral("Print")},
        {QStringLiteral("Rechercher"), QStringLiteral("Table"), QStringLiteral("Voir la table"),
         QStringLiteral("Find")},
        separator,
        {QStringLiteral("Supprimer"), QStringLiteral("Quitter"), QStringLiteral("Quitter"),
         QStringLiteral("Delete")},
        separator,
        {QStringLiteral("Aide"), QStringLiteral("Aide"), QStringLiteral("Aide"),
         QStringLiteral("Help")},
        separator,
        {QStringLiteral("Aide Qu'est ce que c'est"), QStringLiteral("A propos de "),
         QStringLiteral("A propos de..."), QStringLiteral("Help What's This")},
        {QStringLiteral("Dessin"), QStringLiteral("En prime..."),
         QStringLiteral("En Prime (ça sert a rien mais ça fait rien)"), QStringLiteral("Drawing")},
        separator,
    };
    return buttons;
}

MainToolbarAction mainToolbarAction(const QString& key)
{
    // The order matters only in that the first equal key wins.
    static const std::array<std::pair<QLatin1String, MainToolbarAction>, 8> actions{{
        {QLatin1String("velo"), MainToolbarAction::ClimbingSpeed},
        {QLatin1String("Dessin"), MainToolbarAction::ShowDevelopment},
        {QLatin1String("Rechercher"), MainToolbarAction::ShowTable},
        {QLatin1String("Imprimer"), MainToolbarAction::PrintTable},
        {QLatin1String("cal2"), MainToolbarAction::Equivalence},
        {QLatin1String("Aide Qu'est ce que c'est"), MainToolbarAction::ShowAbout},
        {QLatin1String("Aide"), MainToolbarAction::Help},
        {QLatin1String("Supprimer"), MainToolbarAction::Close},
    }};
    for (const auto& [known, action] : actions) {
        if (key == known)
            return action;
    }
    return MainToolbarAction::None;
}

void showMainHelp(MessageService& messages)
{
    messages.show(
        {QStringLiteral(
             "Saisissez les Plateau et le pignon et cliquez sur Calculer pour obtenir le "
             "plateau d'équivalence. Cliquez sur Voir la table des développements pour "
             "pour obtenir des infos supplémentaires rapidement.Vous pouvez aussi "
             "Imprimer la table, la visualisez, et calculer grâce aux boutons de la barre "
             "d'outils"),
         QStringLiteral("Aide"), MessageIcon::Information, MessageButtons::Ok});
}

} // namespace dentivel
