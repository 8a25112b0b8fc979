#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QList>

// A text with styled ranges.
struct AttributedString {
    struct Style {
        int start = 0;
        int length = 0;
        QColor color;
        QFont font;
        bool operator==(const Style&) const = default;
    };
    QString text;
    QList<Style> styles; // later styles win where ranges overlap

    void addAttributes(int start, int length, const QColor& color, const QFont& font);
};

// A label that shows an attributed text: the label's own font and colour for the whole text, then the
// styled ranges over it.
class AttributedLabel : public QLabel {
    Q_OBJECT
public:
    explicit AttributedLabel(QWidget* parent = nullptr);

    void setAttributedText(const AttributedString& text);
    const AttributedString& attributedText() const { return m_attributedText; }

private:
    AttributedString m_attributedText;
};
