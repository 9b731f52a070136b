#include "table/calculator_launch.h"

#include "shell/message_service.h"

namespace dentivel {

namespace {

const MessageText kNotice{
    QStringLiteral(
        "Si votre plateau est de 55, si votre tour de roue est de 2.084, si..., et si ma "
        "tante en avait... <;-} "),
    QStringLiteral("Calculatrice"), MessageIcon::Exclamation, MessageButtons::Ok};

const MessageText kNotFound{QStringLiteral("Calculatrice Windows non trouvée "),
                            QStringLiteral("Désolé"), MessageIcon::Critical, MessageButtons::Ok};

} // namespace

QStringList windowsCalculatorPaths(const QString& windowsFolder, const QString& systemFolder)
{
    QStringList paths;
    for (QString folder : {windowsFolder, systemFolder}) {
        if (folder.isEmpty())
            continue;
        // Windows installed at the root of a drive reports its folder with
        // the separator already at the end.
        if (!folder.endsWith(QLatin1Char('\\')) && !folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('\\');
        paths << folder + QStringLiteral("CALC.EXE");
    }
    return paths;
}

CalculatorLauncher::CalculatorLauncher(const CalculatorSetup& calculator, MessageService& messages,
                                       QObject* parent)
    : QObject(parent), m_calculator(calculator), m_messages(messages)
{
}

void CalculatorLauncher::launch()
{
    m_attempt = new QObject(this);
    const QPointer<QObject> attempt = m_attempt;
    m_messages.show(kNotice);
    // The box ran an event loop of its own, in which the window may have gone.
    if (attempt)
        tryFrom(0);
}

void CalculatorLauncher::cancel()
{
    delete m_attempt.data();
}

void CalculatorLauncher::tryFrom(qsizetype index)
{
    ProgramLauncher* launcher = m_calculator.launcher;
    for (; launcher && index < m_calculator.paths.size(); ++index) {
        const std::optional<qint64> id = launcher->start(m_calculator.paths.at(index));
        if (!id)
            continue;
        // Called back only while the attempt, a child of this, still exists.
        launcher->activate(*id, m_attempt, [this, index](bool activated) {
            if (activated)
                finish(CalculatorLaunch::Started);
            else
                tryFrom(index + 1);
        });
        return;
    }
    finish(CalculatorLaunch::NotFound);
}

void CalculatorLauncher::finish(CalculatorLaunch outcome)
{
    // Deleted later, since the call back comes from one of its timers.
    if (m_attempt)
        m_attempt->deleteLater();
    m_attempt = nullptr;
    if (outcome == CalculatorLaunch::NotFound) {
        const QPointer<CalculatorLauncher> alive(this);
        m_messages.show(kNotFound);
        if (!alive)
            return;
    }
    Q_EMIT finished(outcome);
}

} // namespace dentivel
