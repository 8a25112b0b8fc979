#include "tests/support/ButtonFinder.h"

#include <QPushButton>
#include <QWidget>

QPushButton* buttonTitled(QWidget* root, const QString& title) {
    const QList<QPushButton*> buttons = root->findChildren<QPushButton*>();
    for (QPushButton* button : buttons) {
        if (button->text() == title)
            return button;
    }
    return nullptr;
}
