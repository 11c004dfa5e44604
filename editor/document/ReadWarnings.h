// The reading warnings of one file, gathered for one message box: each distinct
// warning once, in the order it first arose, with how often it arose.
#pragma once

#include <QString>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mirtala {

class ReadWarningTally {
public:
    void Add(std::string_view warning);
    bool Empty() const { return m_warnings.empty(); }
    // One line a warning: "Gene does not contain header. (100,000 times)"; once, just the text.
    QString Text() const;

private:
    std::vector<std::pair<std::string, std::size_t>> m_warnings;  // text, count
};

// "100,000": digits in groups of three, whatever the user's locale.
QString GroupedCount(std::size_t count);

}  // namespace mirtala
