#pragma once

#include <QString>

class QPushButton;
class QWidget;

// The push button below root that shows the title, as a person finds it; nothing when there is none.
QPushButton* buttonTitled(QWidget* root, const QString& title);
