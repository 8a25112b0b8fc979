#include "platform/AttributedLabel.h"

void AttributedString::addAttributes(int start, int length, const QColor& color, const QFont& font) {
    styles.append({start, length, color, font});
}

namespace {

QString cssOf(const AttributedString::Style& style) {
    QStringList parts;
    if (style.color.isValid())
        parts.append(QStringLiteral("color:rgba(%1,%2,%3,%4)")
                         .arg(style.color.red())
                         .arg(style.color.green())
                         .arg(style.color.blue())
                         .arg(style.color.alpha()));
    parts.append(QStringLiteral("font-family:'%1'").arg(style.font.family()));
    if (style.font.pixelSize() > 0)
        parts.append(QStringLiteral("font-size:%1px").arg(style.font.pixelSize()));
    else
        parts.append(QStringLiteral("font-size:%1pt").arg(style.font.pointSizeF()));
    parts.append(QStringLiteral("font-weight:%1").arg(int(style.font.weight())));
    if (style.font.italic())
        parts.append(QStringLiteral("font-style:italic"));
    return parts.join(QLatin1Char(';'));
}

QString escaped(const QString& text) {
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>"));
}

// The rich text of an attributed string: runs of characters under the same winning style.
QString richTextOf(const AttributedString& string) {
    const int length = int(string.text.size());
    QList<int> styleAt(length, -1);
    for (int index = 0; index < string.styles.size(); ++index) {
        const AttributedString::Style& style = string.styles[index];
        const int from = std::clamp(style.start, 0, length);
        const int to = std::clamp(style.start + std::max(style.length, 0), from, length);
        for (int position = from; position < to; ++position)
            styleAt[position] = index;
    }
    QString html = QStringLiteral("<span style=\"white-space:pre-wrap\">");
    for (int runStart = 0; runStart < length;) {
        int runEnd = runStart + 1;
        while (runEnd < length && styleAt[runEnd] == styleAt[runStart])
            ++runEnd;
        const QString run = escaped(string.text.mid(runStart, runEnd - runStart));
        if (styleAt[runStart] < 0)
            html += run;
        else
            html += QStringLiteral("<span style=\"%1\">%2</span>")
                        .arg(cssOf(string.styles[styleAt[runStart]]).toHtmlEscaped(), run);
        runStart = runEnd;
    }
    return html + QStringLiteral("</span>");
}

} // namespace

AttributedLabel::AttributedLabel(QWidget* parent)
    : QLabel(parent) {
    setTextFormat(Qt::RichText);
}

void AttributedLabel::setAttributedText(const AttributedString& text) {
    m_attributedText = text;
    setText(richTextOf(text));
}
