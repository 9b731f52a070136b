#pragma once

#include "shell/message_service.h"

namespace dentivel {

// Modal QMessageBox over whichever window is active, with French buttons.
class QtMessageService final : public MessageService {
public:
    MessageAnswer showMessage(const QString& prompt, MessageIcon icon, MessageButtons buttons,
                              const QString& title) override;
};

} // namespace dentivel
