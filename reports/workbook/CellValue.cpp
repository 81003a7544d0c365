#include "reports/workbook/CellValue.h"

#include <utility>

#include "reports/workbook/SheetError.h"

namespace mnemex::sheets {

namespace {

// Days from 1 January 1970 to the given civil date (proleptic Gregorian calendar).
long DaysFromCivil(long y, long m, long d) {
    y -= m <= 2 ? 1 : 0;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

}  // namespace

CellValue CellValue::FromNumber(double value) {
    return CellValue{ValueKind::kNumber, value, {}};
}

CellValue CellValue::FromText(std::string text) {
    return CellValue{ValueKind::kText, 0.0, std::move(text)};
}

CellValue CellValue::FromDate(int year, int month, int day) {
    if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31 ||
        (year == 1900 && month < 3))
        ThrowSheetError("The date is outside the range the spreadsheet can hold.");
    // Serial numbers count from 30 December 1899 for every date after February 1900.
    const long serial = DaysFromCivil(year, month, day) - DaysFromCivil(1899, 12, 30);
    return CellValue{ValueKind::kDate, static_cast<double>(serial), {}};
}

CellValue CellValue::FromTime(int hours, int minutes, int seconds) {
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 60)
        ThrowSheetError("The time of day is not valid.");
    // A leap second is shown as the last second of its minute.
    const int clamped = seconds > 59 ? 59 : seconds;
    const double secondsOfDay = hours * 3600.0 + minutes * 60.0 + clamped;
    return CellValue{ValueKind::kTime, secondsOfDay / 86400.0, {}};
}

}  // namespace mnemex::sheets
