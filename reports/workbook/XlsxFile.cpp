#include "reports/workbook/XlsxFile.h"

#include <locale.h>
#include <xlsxwriter.h>
#include <clocale>
#include <cstdio>

#include <cerrno>
#include <cstring>
#include <vector>

#include "core/output/ScratchFolder.h"
#include "reports/workbook/SheetError.h"

namespace mnemex::sheets {

namespace {

// The writer formats numbers with printf, which follows the thread's numeric locale:
// a user locale with a decimal comma would corrupt every number in the file.
class CNumericLocale {
  public:
    CNumericLocale() : c_(newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr))) {
        if (c_ != static_cast<locale_t>(nullptr))
            previous_ = uselocale(c_);
    }
    ~CNumericLocale() {
        if (c_ == static_cast<locale_t>(nullptr))
            return;
        uselocale(previous_);
        freelocale(c_);
    }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;
    bool Active() const { return c_ != static_cast<locale_t>(nullptr); }

  private:
    locale_t c_;
    locale_t previous_ = static_cast<locale_t>(nullptr);
};

std::string AbsoluteAddress(int row, int column) {
    const std::string plain = CellAddress(row, column);
    const std::size_t digits = plain.find_first_of("0123456789");
    return "$" + plain.substr(0, digits) + "$" + plain.substr(digits);
}

std::string QuotedSheetName(const std::string& name) {
    std::string quoted = "'";
    for (char ch : name) {
        quoted += ch;
        if (ch == '\'')
            quoted += '\'';
    }
    return quoted + "'";
}

// The built-in number formats the application's own date and time defaults map to.
int BuiltInFormatIndex(const std::string& format) {
    if (format == kDefaultDateFormat)
        return 14;
    if (format == kDefaultTimeFormat)
        return 19;
    return -1;
}

// Length of the well-formed UTF-8 sequence at text[k], or 0 when it is not one.
std::size_t Utf8SequenceLength(const std::string& text, std::size_t k) {
    const auto byte = [&text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(k);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;  // no overlong forms
        if (lead == 0xED)
            high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (k + length > text.size() || byte(k + 1) < low || byte(k + 1) > high)
        return 0;
    for (std::size_t c = 2; c < length; ++c)
        if (byte(k + c) < 0x80 || byte(k + c) > 0xBF)
            return 0;
    return length;
}

// The file must hold UTF-8: a text that is not (a file name in another encoding, say)
// keeps its readable part, each stray byte becoming the replacement character.
std::string ValidUtf8(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t k = 0; k < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, k);
        if (length == 0) {
            result += "\xEF\xBF\xBD";
            ++k;
            continue;
        }
        result.append(text, k, length);
        k += length;
    }
    return result;
}

[[noreturn]] void ThrowWriteError(const std::string& path, const std::string& reason) {
    throw RunTimeException(
        RunTimeError{kApplicationError,
                     "The workbook could not be written to " + path + ": " + reason + ".",
                     {}});
}

// One libxlsxwriter workbook being filled from ours.
class XlsxWriter {
  public:
    XlsxWriter(const Workbook& source, const std::string& tempPath, const std::string& tmpDir)
        : source_(source), tmpDir_(tmpDir) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;  // rows go to disk as they are written
        options.tmpdir = tmpDir_.data();
        book_ = workbook_new_opt(tempPath.c_str(), &options);
    }
    ~XlsxWriter() {
        if (book_ != nullptr)
            workbook_close(book_);  // only after a failure part-way; the file is discarded
    }
    XlsxWriter(const XlsxWriter&) = delete;
    XlsxWriter& operator=(const XlsxWriter&) = delete;

    // Returns an empty text on success, else the reason.
    std::string Write() {
        if (book_ == nullptr)
            return "the writer could not start";
        formats_.assign(source_.Styles().Count(), nullptr);
        std::vector<lxw_worksheet*> sheets;
        for (int k = 0; k < source_.SheetCount(); ++k) {
            const Worksheet& sheet = source_.SheetAt(k);
            lxw_worksheet* target = workbook_add_worksheet(book_, sheet.Name().c_str());
            if (target == nullptr)
                return "the sheet \"" + sheet.Name() + "\" could not be added";
            sheets.push_back(target);
            if (std::string failed = WriteSheet(sheet, target); !failed.empty())
                return failed;
        }
        worksheet_activate(sheets[static_cast<std::size_t>(source_.ActiveIndex())]);
        for (const DefinedName& name : source_.Names()) {
            if (workbook_define_name(book_, name.Name.c_str(), NameFormula(name).c_str()) !=
                LXW_NO_ERROR)
                return "the name \"" + name.Name + "\" could not be defined";
        }
        const lxw_error closed = workbook_close(book_);
        book_ = nullptr;
        if (closed != LXW_NO_ERROR)
            return lxw_strerror(closed);
        return {};
    }

  private:
    lxw_format* FormatFor(StyleId id) {
        if (id == 0)
            return nullptr;
        if (formats_[id] != nullptr)
            return formats_[id];
        const CellStyle& style = source_.Styles().Get(id);
        lxw_format* format = workbook_add_format(book_);
        if (style.Bold)
            format_set_bold(format);
        if (style.Alignment == HorizontalAlignment::kCentre)
            format_set_align(format, LXW_ALIGN_CENTER);
        else if (style.Alignment == HorizontalAlignment::kRight)
            format_set_align(format, LXW_ALIGN_RIGHT);
        if (!style.NumberFormat.empty()) {
            const int builtIn = BuiltInFormatIndex(style.NumberFormat);
            if (builtIn >= 0)
                format_set_num_format_index(format, static_cast<uint8_t>(builtIn));
            else
                format_set_num_format(format, style.NumberFormat.c_str());
        }
        formats_[id] = format;
        return format;
    }

    std::string WriteSheet(const Worksheet& sheet, lxw_worksheet* target) {
        for (const auto& [column, width] : sheet.ColumnWidths()) {
            const auto col = static_cast<lxw_col_t>(column - 1);
            if (worksheet_set_column(target, col, col, width, nullptr) != LXW_NO_ERROR)
                return "a column width on sheet \"" + sheet.Name() + "\" was refused";
        }
        lxw_error failed = LXW_NO_ERROR;
        sheet.ForEachCell([&](const Worksheet::CellView& cell) {
            if (failed != LXW_NO_ERROR)
                return;
            const auto row = static_cast<lxw_row_t>(cell.Row - 1);
            const auto col = static_cast<lxw_col_t>(cell.Column - 1);
            lxw_format* format = FormatFor(cell.Style);
            switch (cell.Kind) {
                case ValueKind::kText:
                    failed = worksheet_write_string(target, row, col, ValidUtf8(*cell.Text).c_str(),
                                                    format);
                    break;
                case ValueKind::kNumber:
                case ValueKind::kDate:
                case ValueKind::kTime:
                    failed = worksheet_write_number(target, row, col, cell.Number, format);
                    break;
                case ValueKind::kEmpty:
                    if (format != nullptr)
                        failed = worksheet_write_blank(target, row, col, format);
                    break;
            }
        });
        if (failed != LXW_NO_ERROR)
            return std::string("a cell on sheet \"") + sheet.Name() +
                   "\" was refused: " + lxw_strerror(failed);
        return {};
    }

    const Workbook& source_;
    std::string tmpDir_;
    lxw_workbook* book_ = nullptr;
    std::vector<lxw_format*> formats_;
};

}  // namespace

std::string NameFormula(const DefinedName& name) {
    std::string formula =
        "=" + QuotedSheetName(name.Sheet->Name()) + "!" + AbsoluteAddress(name.Top, name.Left);
    if (name.Bottom != name.Top || name.Right != name.Left)
        formula += ":" + AbsoluteAddress(name.Bottom, name.Right);
    return formula;
}

void WriteXlsxFile(const Workbook& workbook, const std::string& path,
                   const output::WriteOptions& options) {
    // The writer needs a seekable file of its own; the finished bytes then go to the
    // target the one way every result does.
    const output::ScratchFolder scratch;
    if (scratch.Error() != 0)
        ThrowWriteError(path,
                        "no temporary folder: " + std::string(std::strerror(scratch.Error())));
    const std::string temp = scratch.File("workbook.xlsx");
    std::string failed;
    {
        CNumericLocale numbersWithPoint;
        if (!numbersWithPoint.Active())
            failed = "the C locale is not available";
        else
            failed = XlsxWriter(workbook, temp, scratch.Path()).Write();
    }
    if (!failed.empty())
        ThrowWriteError(path, failed);
    int error = 0;
    const auto bytes = output::ReadWholeFile(temp, error);
    if (!bytes)
        ThrowWriteError(path, std::strerror(error));
    if (const auto written = output::WriteWhole(path, *bytes, options))
        ThrowWriteError(path, written->Reason());
}

}  // namespace mnemex::sheets
