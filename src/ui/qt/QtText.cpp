#include "ui/qt/QtText.h"

#include <QStringList>

namespace tabulizer::qt {

QString ToQt(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQt(const QString& text) { return text.toStdString(); }

QString ToDisplay(std::string_view modelText) {
    QString text = ToQt(modelText);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

std::string FromDisplay(const QString& widgetText) {
    QString text = widgetText;
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return FromQt(text);
}

namespace {

// One filter entry for Qt. Qt reads the patterns from the parentheses of the
// description; a description without them would be taken as a pattern itself,
// so the patterns of the pair are added in parentheses.
QString FilterEntry(const QString& description, const QString& patterns) {
    if (description.contains(QLatin1Char('(')) || patterns.isEmpty()) return description;
    QString spaced = patterns;
    spaced.replace(QLatin1Char(';'), QLatin1Char(' '));
    return description + QLatin1String(" (") + spaced + QLatin1Char(')');
}

}  // namespace

QString FilterToQt(std::string_view filter) {
    const QStringList parts = ToQt(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
        if (description.isEmpty() && patterns.isEmpty()) continue;
        entries << FilterEntry(description.isEmpty() ? patterns : description, patterns);
    }
    return entries.join(QLatin1String(";;"));
}

}  // namespace tabulizer::qt
