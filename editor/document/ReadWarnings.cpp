// Gathering reading warnings: a damaged file can raise one for every four of its
// bytes, so they are counted, never shown one box each.
#include "editor/document/ReadWarnings.h"

#include <QStringList>

namespace mirtala {

void ReadWarningTally::Add(std::string_view warning) {
    // The last warning is the likeliest to repeat; the few distinct texts are searched after.
    if (!m_warnings.empty() && m_warnings.back().first == warning) {
        ++m_warnings.back().second;
        return;
    }
    for (auto& [text, count] : m_warnings)
        if (text == warning) {
            ++count;
            return;
        }
    m_warnings.emplace_back(std::string(warning), 1);
}

QString ReadWarningTally::Text() const {
    QStringList lines;
    for (const auto& [text, count] : m_warnings) {
        const QString line = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
        lines << (count == 1 ? line : QStringLiteral("%1 (%2 times)").arg(line, GroupedCount(count)));
    }
    return lines.join(QLatin1Char('\n'));
}

QString GroupedCount(std::size_t count) {
    QString digits = QString::number(count);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, QLatin1Char(','));
    return digits;
}

}  // namespace mirtala
