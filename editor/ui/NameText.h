// Names as the windows show and take them: the name table holds Windows-1252
// bytes; the windows show them as text and accept only what those bytes can hold.
#pragma once

#include <QString>
#include <QValidator>

#include <string>

namespace mirtala::ui {

// The name table's entry `index` as text, as the windows show it: at most its first
// 256 characters (kShownNameLength), then "…".
QString NameOf(unsigned index);
// Stores `text` as entry `index`; false (nothing stored) when it holds a
// character that a name file cannot. Text equal to what NameOf shows is the name
// left as it was, and stores nothing, so a long name shown cut short is kept whole.
bool StoreName(unsigned index, const QString& text);

// Accepts only text that a name file can hold, so a typed name is never
// changed when it is stored.
class NameValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

}  // namespace mirtala::ui
