// Message boxes: the installed service, the QMessageBox one and the recorder.
#include "editor/document/MessageService.h"

#include "editor/document/DialogOwner.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include <utility>

namespace mirtala {

namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::Critical: return QMessageBox::Critical;
        case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok: return QMessageBox::Ok;
        case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

}  // namespace

MessageAnswer DefaultAnswer(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok: return MessageAnswer::Ok;
        case MessageButtons::YesNo: return MessageAnswer::No;
        case MessageButtons::OkCancel:
        case MessageButtons::YesNoCancel: return MessageAnswer::Cancel;
    }
    return MessageAnswer::Cancel;
}

MessageAnswer ShowMessage(const MessageRequest& request) {
    if (MessageService* service = InstalledService<MessageService>::Get()) return service->Show(request);
    QtMessageService box;
    return box.Show(request);
}

MessageAnswer ShowMessage(const QString& caption, const QString& text, MessageIcon icon, MessageButtons buttons) {
    return ShowMessage(MessageRequest{caption, text, icon, buttons, nullptr});
}

MessageAnswer QtMessageService::Show(const MessageRequest& request) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return DefaultAnswer(request.buttons);
    // On the heap: should the owner go while the box is up, it takes the box with it.
    QPointer<QMessageBox> box = new QMessageBox(ToQt(request.icon), request.caption, request.text,
                                                ToQt(request.buttons), DialogOwner(request.owner));
    if (QAbstractButton* yes = box->button(QMessageBox::Yes); yes && !request.yesText.isEmpty())
        yes->setText(request.yesText);
    if (QAbstractButton* no = box->button(QMessageBox::No); no && !request.noText.isEmpty())
        no->setText(request.noText);
    if (QAbstractButton* cancel = box->button(QMessageBox::Cancel); cancel && !request.cancelText.isEmpty())
        cancel->setText(request.cancelText);
    const int result = box->exec();
    delete box.data();
    switch (result) {
        case QMessageBox::Ok: return MessageAnswer::Ok;
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        default: return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
}

MessageAnswer RecordingMessageService::Show(const MessageRequest& request) {
    shown.push_back(request);
    if (answers.empty()) return DefaultAnswer(request.buttons);
    MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace mirtala
