#include "reports/workbook/Workbook.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "reports/workbook/SheetError.h"

namespace mnemex::sheets {

namespace {

std::string Upper(const std::string& text) {
    std::string result = text;
    for (char& ch : result)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return result;
}

bool IsLetter(char ch) {
    return std::isalpha(static_cast<unsigned char>(ch)) != 0;
}

bool IsDigit(char ch) {
    return std::isdigit(static_cast<unsigned char>(ch)) != 0;
}

// "AB12" and the like: a name the application would read as a cell address.
bool LooksLikeA1Address(const std::string& upper) {
    std::size_t k = 0;
    long column = 0;
    while (k < upper.size() && IsLetter(upper[k]) && k < 4) {
        column = column * 26 + (upper[k] - 'A' + 1);
        ++k;
    }
    if (k == 0 || k > 3 || k == upper.size())
        return false;
    long row = 0;
    for (std::size_t d = k; d < upper.size(); ++d) {
        if (!IsDigit(upper[d]))
            return false;
        row = std::min(row * 10 + (upper[d] - '0'), 100000000L);
    }
    return column <= kMaxColumns && row >= 1 && row <= kMaxRows;
}

// "R", "C", "R1C1", "R2", "C3": names the application would read as R1C1 addresses.
bool LooksLikeR1C1Address(const std::string& upper) {
    std::size_t k = 0;
    auto digits = [&upper, &k]() {
        while (k < upper.size() && IsDigit(upper[k]))
            ++k;
    };
    if (k < upper.size() && upper[k] == 'R') {
        ++k;
        digits();
    }
    if (k < upper.size() && upper[k] == 'C') {
        ++k;
        digits();
    }
    return k > 0 && k == upper.size();
}

// Characters in a name; bytes of a multi-byte character count once.
std::size_t CharacterCount(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char ch) {
        return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    }));
}

}  // namespace

bool IsValidName(const std::string& name) {
    if (name.empty() || name.size() > 255)
        return false;
    if (!IsLetter(name[0]) && name[0] != '_' && name[0] != '\\')
        return false;
    for (char ch : name) {
        if (!IsLetter(ch) && !IsDigit(ch) && ch != '_' && ch != '.' && ch != '\\')
            return false;
    }
    const std::string upper = Upper(name);
    return !LooksLikeA1Address(upper) && !LooksLikeR1C1Address(upper);
}

bool IsValidSheetName(const std::string& name) {
    if (name.empty() || CharacterCount(name) > 31)
        return false;
    if (name.front() == '\'' || name.back() == '\'' || Upper(name) == "HISTORY")
        return false;
    return name.find_first_of("[]:*?/\\") == std::string::npos;
}

Workbook::Workbook(std::string title, int blankSheets) : title_(std::move(title)) {
    if (blankSheets < 1 || blankSheets > 255)
        ThrowSheetError("A new workbook holds from 1 to 255 sheets.");
    for (int k = 0; k < blankSheets; ++k) {
        sheets_.push_back(
            std::make_unique<Worksheet>(*this, "Sheet" + std::to_string(nextSheetNumber_++)));
    }
    active_ = 0;
}

Worksheet& Workbook::AddSheet() {
    std::string name;
    do {
        name = "Sheet" + std::to_string(nextSheetNumber_++);
    } while (FindSheet(name) != nullptr);
    sheets_.insert(sheets_.begin() + static_cast<std::ptrdiff_t>(active_),
                   std::make_unique<Worksheet>(*this, name));
    // The new sheet sits where the active one was and is now the active sheet.
    return *sheets_[active_];
}

Worksheet* Workbook::FindSheet(const std::string& name) {
    const std::string wanted = Upper(name);
    for (auto& sheet : sheets_) {
        if (Upper(sheet->Name()) == wanted)
            return sheet.get();
    }
    return nullptr;
}

void Workbook::DefineName(const std::string& name, const Range& range) {
    if (!IsValidName(name))
        ThrowSheetError("\"" + name + "\" cannot be used as the name of a range.");
    if (&range.Sheet().Owner() != this)
        ThrowSheetError("A name can only refer to a range of its own workbook.");
    names_[Upper(name)] =
        DefinedName{name, &range.Sheet(), range.Top(), range.Left(), range.Bottom(), range.Right()};
}

std::optional<DefinedName> Workbook::FindName(const std::string& name) const {
    const auto it = names_.find(Upper(name));
    if (it == names_.end())
        return std::nullopt;
    return it->second;
}

std::vector<DefinedName> Workbook::Names() const {
    std::vector<DefinedName> names;
    names.reserve(names_.size());
    for (const auto& [key, defined] : names_)
        names.push_back(defined);
    return names;
}

std::size_t Workbook::CellCount() const {
    std::size_t count = 0;
    for (const auto& sheet : sheets_)
        count += sheet->CellCount();
    return count;
}

}  // namespace mnemex::sheets
