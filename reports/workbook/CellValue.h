#pragma once
// What a spreadsheet cell can hold and how it is shown.

#include <cstdint>
#include <string>

namespace mnemex::sheets {

// Largest sheet the application offers, as in current spreadsheet programs.
inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;

enum class ValueKind : std::uint8_t { kEmpty, kNumber, kText, kDate, kTime };

// A cell value with its type. Dates and times are serial numbers: whole days since
// 30 December 1899, and the fraction of a day.
struct CellValue {
    ValueKind Kind = ValueKind::kEmpty;
    double Number = 0.0;
    std::string Text;

    // A number; non-finite numbers are refused when stored.
    static CellValue FromNumber(double value);
    static CellValue FromText(std::string text);
    // A calendar date (year, month 1-12, day 1-31), from 1 March 1900 on.
    static CellValue FromDate(int year, int month, int day);
    // A time of day (hours 0-23, minutes, seconds).
    static CellValue FromTime(int hours, int minutes, int seconds);
};

// The application's horizontal alignment constants.
enum class HorizontalAlignment : int { kGeneral = 1, kCentre = -4108, kRight = -4152 };

// Number formats the application uses by itself when a date or time is stored in a
// cell that has no format of its own ("General").
inline constexpr const char* kDefaultDateFormat = "m/d/yyyy";
inline constexpr const char* kDefaultTimeFormat = "h:mm:ss AM/PM";

// How a cell is shown. An empty number format is the application's "General".
struct CellStyle {
    bool Bold = false;
    HorizontalAlignment Alignment = HorizontalAlignment::kGeneral;
    std::string NumberFormat;

    bool operator==(const CellStyle&) const = default;
};

}  // namespace mnemex::sheets
