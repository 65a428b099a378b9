// The workbook written with libxlsxwriter.
#include "platform/AtomicFile.h"
#include "platform/gui/Workbook.h"

#include <xlsxwriter.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace platform {
namespace {

// The library takes 0 for "no colour".
lxw_color_t FileColor(uint32_t Rgb)
{
    return Rgb == 0 ? lxw_color_t(LXW_COLOR_BLACK) : Rgb;
}

uint8_t FileBorder(TBorderWeight Weight)
{
    switch (Weight) {
    case TBorderWeight::Thin:
        return LXW_BORDER_THIN;
    case TBorderWeight::Medium:
        return LXW_BORDER_MEDIUM;
    case TBorderWeight::None:
        break;
    }
    return LXW_BORDER_NONE;
}

void ApplyStyle(lxw_format *Format, const TCellStyle &Style)
{
    format_set_font_name(Format, Style.FontName.c_str());
    format_set_font_size(Format, Style.FontSize);
    if (Style.Bold)
        format_set_bold(Format);
    switch (Style.HorzAlign) {
    case THorzAlign::Left:
        format_set_align(Format, LXW_ALIGN_LEFT);
        break;
    case THorzAlign::Center:
        format_set_align(Format, LXW_ALIGN_CENTER);
        break;
    case THorzAlign::Right:
        format_set_align(Format, LXW_ALIGN_RIGHT);
        break;
    case THorzAlign::General:
        break;
    }
    if (Style.VertAlign == TVertAlign::Center)
        format_set_align(Format, LXW_ALIGN_VERTICAL_CENTER);
    if (Style.WrapText)
        format_set_text_wrap(Format);
    if (!Style.NumberFormat.empty())
        format_set_num_format(Format, Style.NumberFormat.c_str());
    if (Style.Fill) {
        format_set_pattern(Format, LXW_PATTERN_SOLID);
        format_set_bg_color(Format, FileColor(*Style.Fill));
    }
    using SetBorder = void (*)(lxw_format *, uint8_t);
    using SetColor = void (*)(lxw_format *, lxw_color_t);
    static constexpr SetBorder borders[] = {format_set_left, format_set_top, format_set_right,
                                            format_set_bottom};
    static constexpr SetColor colors[] = {format_set_left_color, format_set_top_color, format_set_right_color,
                                          format_set_bottom_color};
    for (int side = 0; side < 4; ++side) {
        const TBorderLine &line = Style.Borders[size_t(side)];
        if (line.Weight == TBorderWeight::None)
            continue;
        borders[side](Format, FileBorder(line.Weight));
        colors[side](Format, FileColor(line.Color));
    }
}

// The formats of the styles in use, made once each.
class TFormats {
public:
    TFormats(lxw_workbook *Book, const TStyleTable &Styles)
        : FBook(Book), FStyles(Styles), FMade(Styles.Count())
    {
    }

    lxw_format *Of(uint32_t Style)
    {
        if (Style == 0)
            return nullptr;
        if (!FMade[Style]) {
            FMade[Style] = workbook_add_format(FBook);
            ApplyStyle(FMade[Style], FStyles[Style]);
        }
        return FMade[Style];
    }

private:
    lxw_workbook *FBook;
    const TStyleTable &FStyles;
    std::vector<lxw_format *> FMade;
};

bool WriteSheet(lxw_workbook *Book, const TWorksheet &Sheet, TFormats &Formats)
{
    lxw_worksheet *sheet = workbook_add_worksheet(Book, Sheet.Name.c_str());
    if (!sheet)
        return false;
    for (const auto &[col, width] : Sheet.ColumnWidths())
        if (worksheet_set_column(sheet, lxw_col_t(col), lxw_col_t(col), width, nullptr) != LXW_NO_ERROR)
            return false;
    for (const auto &[row, height] : Sheet.RowHeights())
        if (worksheet_set_row(sheet, lxw_row_t(row), height, nullptr) != LXW_NO_ERROR)
            return false;
    for (int row = 0; row < Sheet.RowCount(); ++row)
        for (int col = 0; col < Sheet.ColCount(row); ++col) {
            const TCell &cell = *Sheet.Cell(row, col);
            lxw_format *format = Formats.Of(cell.Style);
            lxw_error error = LXW_NO_ERROR;
            if (cell.HasText && !cell.Text.empty())
                error =
                    worksheet_write_string(sheet, lxw_row_t(row), lxw_col_t(col), cell.Text.c_str(), format);
            else if (format)
                error = worksheet_write_blank(sheet, lxw_row_t(row), lxw_col_t(col), format);
            if (error != LXW_NO_ERROR)
                return false;
        }
    return true;
}

// A file of the system's temporary folder that the library may write; removed with the object.
class TScratchFile {
public:
    TScratchFile()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "korvantile-xlsx-XXXXXX").string();
        const int fd = ::mkstemp(pattern.data());
        if (fd >= 0) {
            ::close(fd);
            FPath = pattern;
        }
    }
    ~TScratchFile()
    {
        if (!FPath.empty())
            ::unlink(FPath.c_str());
    }
    TScratchFile(const TScratchFile &) = delete;
    TScratchFile &operator=(const TScratchFile &) = delete;

    const std::string &Path() const { return FPath; }

private:
    std::string FPath;
};

} // namespace

bool writeXlsx(const TWorkbook &Workbook, const std::filesystem::path &FileName)
{
    const TScratchFile scratch;
    if (scratch.Path().empty())
        return false;
    lxw_workbook *book = workbook_new(scratch.Path().c_str());
    if (!book)
        return false;
    TFormats formats(book, Workbook.Styles());
    bool written = true;
    for (int i = 0; i < Workbook.SheetCount() && written; ++i)
        written = WriteSheet(book, Workbook.Sheet(i), formats);
    // The library frees the workbook whatever it answers.
    if (workbook_close(book) != LXW_NO_ERROR || !written)
        return false;
    std::ifstream in(scratch.Path(), std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return !in.bad() && !bytes.empty() && writeFileAtomically(FileName, bytes);
}

} // namespace platform
