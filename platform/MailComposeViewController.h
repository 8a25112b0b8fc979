#pragma once

#include "platform/ViewController.h"

#include <QStringList>

class MailComposeViewController;

enum class MailComposeResult { Cancelled, Saved, Sent, Failed };

class MailComposeViewControllerDelegate {
public:
    virtual ~MailComposeViewControllerDelegate() = default;
    virtual void mailComposeControllerDidFinishWithResult(MailComposeViewController* controller,
                                                          MailComposeResult result) = 0;
};

// The mail composer. On the desktop it shows the composed mail; "Send" hands a mailto: link (recipients,
// subject, body as plain text) to the system and finishes with Sent, "Avbryt" finishes with Cancelled. The
// delegate dismisses it. It may turn to every orientation, unlike the screens under it.
class MailComposeViewController : public ViewController {
    Q_OBJECT
public:
    explicit MailComposeViewController(QObject* parent = nullptr);

    // Whether this device has a mail account (the device facts of the configuration).
    static bool canSendMail();

    void setToRecipients(const QStringList& recipients) { m_recipients = recipients; }
    void setSubject(const QString& subject) { m_subject = subject; }
    void setMessageBody(const QString& body, bool isHTML);
    QStringList toRecipients() const { return m_recipients; }
    QString subject() const { return m_subject; }
    QString messageBody() const { return m_body; }
    bool isHTML() const { return m_isHTML; }
    void setMailComposeDelegate(MailComposeViewControllerDelegate* delegate) { m_delegate = delegate; }

    // The mailto: link "Send" hands to the system.
    QUrl mailtoUrl() const;
    // As if the person pressed "Send" or "Avbryt".
    void finish(MailComposeResult result);

    bool shouldAutorotateToInterfaceOrientation(InterfaceOrientation orientation) const override;
    bool shouldAutorotate() const override;
    unsigned supportedInterfaceOrientations() const override;

protected:
    QWidget* loadView() override;

private:
    QStringList m_recipients;
    QString m_subject;
    QString m_body;
    bool m_isHTML = false;
    MailComposeViewControllerDelegate* m_delegate = nullptr;
};
