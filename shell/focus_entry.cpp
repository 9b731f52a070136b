#include "shell/focus_entry.h"

#include <QFocusEvent>
#include <QWidget>

namespace dentivel {

namespace {

class FocusEntryFilter final : public QObject {
public:
    FocusEntryFilter(QWidget* input, std::function<void()> entered)
        : QObject(input), m_entered(std::move(entered))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                m_entered();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_entered;
};

} // namespace

void onFocusEntered(QWidget* input, std::function<void()> entered)
{
    auto* filter = new FocusEntryFilter(input, std::move(entered));
    input->installEventFilter(filter);
}

} // namespace dentivel
