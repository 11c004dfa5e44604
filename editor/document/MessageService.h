// The one seam through which the editor shows message boxes. The program shows
// them with QMessageBox; tests install a recorder that captures the caption,
// text and buttons and answers from a script instead of blocking.
#pragma once

#include "editor/document/InstalledService.h"

#include <QString>

#include <deque>
#include <vector>

class QWidget;

namespace mirtala {

enum class MessageIcon { Information, Warning, Critical, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::Warning;
    MessageButtons buttons = MessageButtons::Ok;
    QWidget* owner = nullptr;  // none: the window DialogOwner chooses
    // Texts for the Yes, No and Cancel buttons when they stand for other words ("Recover", "Discard").
    QString yesText;
    QString noText;
    QString cancelText;
};

// The answer a box gives when nobody can be asked: the button that changes nothing.
MessageAnswer DefaultAnswer(MessageButtons buttons);

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MessageAnswer Show(const MessageRequest& request) = 0;
};

// Shows a box through the installed service (QMessageBox when none is installed).
MessageAnswer ShowMessage(const MessageRequest& request);
MessageAnswer ShowMessage(const QString& caption, const QString& text, MessageIcon icon = MessageIcon::Warning,
                          MessageButtons buttons = MessageButtons::Ok);

// Installs a service for its lifetime and puts the previous one back after.
using ScopedMessageService = InstalledService<MessageService>::Scope;

// Modal QMessageBox; without a widget application it answers the default.
class QtMessageService : public MessageService {
public:
    MessageAnswer Show(const MessageRequest& request) override;
};

// Keeps every request and answers from `answers`, then with the default.
class RecordingMessageService : public MessageService {
public:
    MessageAnswer Show(const MessageRequest& request) override;

    std::vector<MessageRequest> shown;
    std::deque<MessageAnswer> answers;
};

}  // namespace mirtala
