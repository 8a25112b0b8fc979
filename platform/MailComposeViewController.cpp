#include "platform/MailComposeViewController.h"

#include "platform/Application.h"
#include "platform/ComposerForm.h"
#include "platform/Device.h"

#include <QFormLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QString plainTextOf(const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    // Line breaks come back as line separators, and a mail wants plain line breaks.
    return document.toPlainText().replace(QChar::LineSeparator, QLatin1Char('\n'));
}

QByteArray encoded(const QString& text, const QByteArray& keep = {}) {
    return QUrl::toPercentEncoding(text, keep);
}

} // namespace

MailComposeViewController::MailComposeViewController(QObject* parent)
    : ViewController(parent) {}

bool MailComposeViewController::canSendMail() {
    return Device::canSendMail();
}

void MailComposeViewController::setMessageBody(const QString& body, bool isHTML) {
    m_body = body;
    m_isHTML = isHTML;
}

QUrl MailComposeViewController::mailtoUrl() const {
    QByteArrayList recipients;
    for (const QString& recipient : m_recipients)
        recipients.append(encoded(recipient, "@"));
    QByteArray link = "mailto:" + recipients.join(',');
    QByteArrayList fields;
    if (!m_subject.isEmpty())
        fields.append("subject=" + encoded(m_subject));
    const QString body = m_isHTML ? plainTextOf(m_body) : m_body;
    if (!body.isEmpty())
        fields.append("body=" + encoded(body));
    if (!fields.isEmpty())
        link += '?' + fields.join('&');
    return QUrl::fromEncoded(link, QUrl::StrictMode);
}

void MailComposeViewController::finish(MailComposeResult result) {
    if (result == MailComposeResult::Sent && !Application::shared().openUrl(mailtoUrl()))
        result = MailComposeResult::Failed;
    if (m_delegate)
        m_delegate->mailComposeControllerDidFinishWithResult(this, result);
    else
        dismissViewControllerAnimated(true);
}

bool MailComposeViewController::shouldAutorotateToInterfaceOrientation(InterfaceOrientation) const {
    return true;
}

bool MailComposeViewController::shouldAutorotate() const {
    return true;
}

unsigned MailComposeViewController::supportedInterfaceOrientations() const {
    return InterfaceOrientationMaskAll;
}

QWidget* MailComposeViewController::loadView() {
    QWidget* view = ViewController::loadView();
    QVBoxLayout* layout = makeComposerForm(
        view, [this] { finish(MailComposeResult::Cancelled); }, [this] { finish(MailComposeResult::Sent); });

    auto* header = new QFormLayout;
    auto* recipients = new QLabel(m_recipients.join(QStringLiteral(", ")), view);
    auto* subject = new QLabel(m_subject, view);
    for (QLabel* label : {recipients, subject}) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
    }
    header->addRow(QStringLiteral("Til:"), recipients);
    header->addRow(QStringLiteral("Emne:"), subject);
    layout->addLayout(header);

    auto* body = new QTextBrowser(view);
    body->setOpenLinks(false);
    if (m_isHTML)
        body->setHtml(m_body);
    else
        body->setPlainText(m_body);
    layout->addWidget(body, 1);
    return view;
}
