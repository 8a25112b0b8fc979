#pragma once

#include "platform/ViewController.h"

#include <QStringList>
#include <QUrl>

class MessageComposeViewController;

enum class MessageComposeResult { Cancelled, Sent, Failed };

class MessageComposeViewControllerDelegate {
public:
    virtual ~MessageComposeViewControllerDelegate() = default;
    virtual void messageComposeViewControllerDidFinishWithResult(MessageComposeViewController* controller,
                                                                 MessageComposeResult result) = 0;
};

// The text-message composer. On the desktop it shows the message with a recipient field; "Send" hands an
// sms: link (recipients, body) to the system and finishes with Sent (Failed when the system refuses it),
// "Avbryt" finishes with Cancelled. The delegate dismisses it.
class MessageComposeViewController : public ViewController {
    Q_OBJECT
public:
    explicit MessageComposeViewController(QObject* parent = nullptr);

    // Whether this device can send text messages (the device facts of the configuration).
    static bool canSendText();

    QStringList recipients() const { return m_recipients; }
    void setRecipients(const QStringList& recipients) { m_recipients = recipients; }
    QString body() const { return m_body; }
    void setBody(const QString& body) { m_body = body; }
    void setMessageComposeDelegate(MessageComposeViewControllerDelegate* delegate) { m_delegate = delegate; }

    // The sms: link "Send" hands to the system.
    QUrl smsUrl() const;
    // As if the person pressed "Send" or "Avbryt".
    void finish(MessageComposeResult result);

protected:
    QWidget* loadView() override;

private:
    QStringList m_recipients;
    QString m_body;
    MessageComposeViewControllerDelegate* m_delegate = nullptr;
};
