#include "platform/MessageComposeViewController.h"

#include "platform/Application.h"
#include "platform/ComposerForm.h"
#include "platform/Device.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

MessageComposeViewController::MessageComposeViewController(QObject* parent)
    : ViewController(parent) {}

bool MessageComposeViewController::canSendText() {
    return Device::canSendText();
}

QUrl MessageComposeViewController::smsUrl() const {
    QByteArrayList numbers;
    for (const QString& recipient : m_recipients) {
        if (!recipient.trimmed().isEmpty())
            numbers.append(QUrl::toPercentEncoding(recipient.trimmed(), "+"));
    }
    QByteArray link = "sms:" + numbers.join(',');
    if (!m_body.isEmpty())
        link += "?body=" + QUrl::toPercentEncoding(m_body);
    return QUrl::fromEncoded(link, QUrl::StrictMode);
}

void MessageComposeViewController::finish(MessageComposeResult result) {
    if (result == MessageComposeResult::Sent && !Application::shared().openUrl(smsUrl()))
        result = MessageComposeResult::Failed;
    if (m_delegate)
        m_delegate->messageComposeViewControllerDidFinishWithResult(this, result);
    else
        dismissViewControllerAnimated(true);
}

QWidget* MessageComposeViewController::loadView() {
    QWidget* view = ViewController::loadView();
    QVBoxLayout* layout = makeComposerForm(
        view, [this] { finish(MessageComposeResult::Cancelled); },
        [this] { finish(MessageComposeResult::Sent); });

    auto* header = new QFormLayout;
    auto* recipients = new QLineEdit(m_recipients.join(QStringLiteral(", ")), view);
    recipients->setObjectName(QStringLiteral("recipientField"));
    recipients->setPlaceholderText(QStringLiteral("Telefonnummer"));
    connect(recipients, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_recipients = text.split(QLatin1Char(','), Qt::SkipEmptyParts); });
    header->addRow(QStringLiteral("Til:"), recipients);
    layout->addLayout(header);

    auto* body = new QPlainTextEdit(m_body, view);
    connect(body, &QPlainTextEdit::textChanged, this, [this, body] { m_body = body->toPlainText(); });
    layout->addWidget(body, 1);
    return view;
}
