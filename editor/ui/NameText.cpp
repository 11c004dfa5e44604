// Converting names between the name table's bytes and the windows' text.
#include "editor/ui/NameText.h"

#include "editor/document/NameEncoding.h"
#include "editor/document/NameTable.h"

namespace mirtala::ui {

QString NameOf(unsigned index) { return QString::fromStdString(ShownName(NameTable::Instance().NameBytes(index))); }

bool StoreName(unsigned index, const QString& text) {
    if (text == NameOf(index)) return true;
    const std::optional<std::string> bytes = Utf8ToCp1252(text.toStdString());
    if (!bytes) return false;
    NameTable::Instance().SetName(index, *bytes);
    return true;
}

QValidator::State NameValidator::validate(QString& input, int&) const {
    return Utf8ToCp1252(input.toStdString()) ? Acceptable : Invalid;
}

}  // namespace mirtala::ui
