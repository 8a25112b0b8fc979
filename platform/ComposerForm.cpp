#include "platform/ComposerForm.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

QVBoxLayout* makeComposerForm(QWidget* view, const std::function<void()>& cancel,
                              const std::function<void()>& send) {
    view->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(view);
    auto* buttons = new QHBoxLayout;
    auto* cancelButton = new QPushButton(QStringLiteral("Avbryt"), view);
    auto* sendButton = new QPushButton(QStringLiteral("Send"), view);
    sendButton->setDefault(true);
    QObject::connect(cancelButton, &QPushButton::clicked, view, cancel);
    QObject::connect(sendButton, &QPushButton::clicked, view, send);
    buttons->addWidget(cancelButton);
    buttons->addStretch();
    buttons->addWidget(sendButton);
    layout->addLayout(buttons);
    return layout;
}
