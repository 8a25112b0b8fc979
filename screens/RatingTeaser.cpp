#include "screens/RatingTeaser.h"

#include "platform/StringTable.h"
#include "platform/TextTemplate.h"

#include <cmath>

namespace {

const QColor highlightColor = QColor::fromRgbF(1.0f, 0.8f, 0.0f, 1.0f);

QFont highlightFont() {
    QFont font(QStringLiteral("Helvetica"));
    font.setBold(true);
    font.setPixelSize(12);
    return font;
}

// Styles the first occurrence of the pattern, ignoring case; with dropLast the range ends one character
// early (the pattern's trailing letter only anchors the search).
void highlight(AttributedString& text, const QString& pattern, bool dropLast) {
    const qsizetype found = text.text.indexOf(pattern, 0, Qt::CaseInsensitive);
    if (found < 0)
        return;
    text.addAttributes(int(found), int(pattern.size()) - (dropLast ? 1 : 0), highlightColor, highlightFont());
}

} // namespace

RatingTeaser RatingTeaser::forState(const std::optional<RatingState>& state) {
    const qint64 remaining = state ? state->remRatings : -1;
    const qint64 window = state ? state->epochTTL - state->epoch : 0;

    RatingTeaser teaser;
    teaser.ratable = window > 0;
    if (teaser.ratable) {
        const int minutes = int(std::ceil(float(window) / 60.0f));
        const QString minutesText = QString::number(minutes);
        const QString remainingText = QString::number(remaining);
        teaser.title = localizedString(QStringLiteral("homeView.rating.ratable.title"));
        const QString line1 =
            localizedString(minutes == 1 ? QStringLiteral("homeView.rating.ratable.text.line1.singular%@")
                                         : QStringLiteral("homeView.rating.ratable.text.line1.plural%@"));
        const QString line2 =
            localizedString(remaining == 1 ? QStringLiteral("homeView.rating.ratable.text.line2.singular%@")
                                           : QStringLiteral("homeView.rating.ratable.text.line2.plural%@"));
        teaser.text.text = fillPlaceholders(line1 + QLatin1Char('\n') + line2, {minutesText, remainingText});
        highlight(teaser.text, QStringLiteral(" %1 m").arg(minutesText), true);
        highlight(teaser.text, QStringLiteral(" %1 a").arg(remainingText), true);
        teaser.textHeight = 36;
        teaser.buttonTitle = localizedString(QStringLiteral("homeView.rating.ratable.button"));
        teaser.buttonImage = QStringLiteral("homeScreenButtonRed.png");
    } else {
        const QString countText = remaining < 0 ? QStringLiteral("-") : QString::number(remaining);
        teaser.title = localizedString(QStringLiteral("homeView.rating.unratable.title"));
        const QString text =
            localizedString(remaining == 1 ? QStringLiteral("homeView.rating.unratable.text.singular%@")
                                           : QStringLiteral("homeView.rating.unratable.text.plural%@"));
        teaser.text.text = fillPlaceholders(text, {countText});
        highlight(teaser.text, countText, false);
        teaser.textHeight = 18;
        teaser.buttonTitle = localizedString(QStringLiteral("homeView.rating.unratable.button"));
        teaser.buttonImage = QStringLiteral("homeScreenButtonBlack.png");
    }
    return teaser;
}
