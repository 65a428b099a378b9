#include "tests/output/XlsxReader.h"

#include "tests/support/TestEnvironment.h"

#include <QFile>
#include <QProcess>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace testsupport {
namespace {

// One part of the archive, through "unzip -p".
QByteArray unzipPart(const std::filesystem::path &File, const char *Part)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), QString::fromStdString(File.string()),
                                          QString::fromLatin1(Part)});
    if (!unzip.waitForStarted()) {
        ADD_FAILURE() << "unzip cannot be started";
        return {};
    }
    unzip.waitForFinished(120000);
    EXPECT_EQ(unzip.exitCode(), 0) << "unzip of " << Part;
    return unzip.readAllStandardOutput();
}

QString attr(const QXmlStreamReader &Xml, const char *Name)
{
    return Xml.attributes().value(QLatin1String(Name)).toString();
}

struct Styles {
    std::map<int, std::string> NumFmts = {{0, "General"}, {49, "@"}};
    struct Font {
        std::string Name;
        double Size = 0;
        bool Bold = false;
    };
    std::vector<Font> Fonts;
    std::vector<std::string> Fills;
    std::vector<std::array<XlsxBorder, 4>> Borders;
    std::vector<XlsxCell> Xfs; // the style part of a cell
};

Styles readStyles(const QByteArray &Bytes)
{
    Styles s;
    QXmlStreamReader xml(Bytes);
    enum { None, Fonts, Fills, Borders, CellXfs } section = None;
    int side = -1;
    while (!xml.atEnd()) {
        xml.readNext();
        const QString name = xml.name().toString();
        if (xml.isEndElement()) {
            if (name == u"fonts" || name == u"fills" || name == u"borders" || name == u"cellXfs")
                section = None;
            if (name == u"left" || name == u"right" || name == u"top" || name == u"bottom")
                side = -1;
            continue;
        }
        if (!xml.isStartElement())
            continue;
        if (name == u"numFmt")
            s.NumFmts[attr(xml, "numFmtId").toInt()] = attr(xml, "formatCode").toStdString();
        else if (name == u"fonts")
            section = Fonts;
        else if (name == u"fills")
            section = Fills;
        else if (name == u"borders")
            section = Borders;
        else if (name == u"cellXfs")
            section = CellXfs;
        else if (section == Fonts && name == u"font")
            s.Fonts.emplace_back();
        else if (section == Fonts && name == u"b")
            s.Fonts.back().Bold = true;
        else if (section == Fonts && name == u"sz")
            s.Fonts.back().Size = attr(xml, "val").toDouble();
        else if (section == Fonts && name == u"name")
            s.Fonts.back().Name = attr(xml, "val").toStdString();
        else if (section == Fills && name == u"fill")
            s.Fills.emplace_back();
        else if (section == Fills && name == u"fgColor")
            s.Fills.back() = attr(xml, "rgb").toStdString();
        else if (section == Borders && name == u"border")
            s.Borders.emplace_back();
        else if (section == Borders && (name == u"left" || name == u"top" || name == u"right" || name == u"bottom")) {
            side = name == u"left" ? 0 : name == u"top" ? 1 : name == u"right" ? 2 : 3;
            s.Borders.back()[size_t(side)].Style = attr(xml, "style").toStdString();
        } else if (section == Borders && name == u"color" && side >= 0) {
            s.Borders.back()[size_t(side)].Color = attr(xml, "rgb").toStdString();
        } else if (section == CellXfs && name == u"xf") {
            XlsxCell cell;
            cell.NumberFormat = s.NumFmts[attr(xml, "numFmtId").toInt()];
            const Styles::Font &font = s.Fonts.at(size_t(attr(xml, "fontId").toInt()));
            cell.Font = font.Name;
            cell.FontSize = font.Size;
            cell.Bold = font.Bold;
            cell.Fill = s.Fills.at(size_t(attr(xml, "fillId").toInt()));
            cell.Borders = s.Borders.at(size_t(attr(xml, "borderId").toInt()));
            s.Xfs.push_back(cell);
        } else if (section == CellXfs && name == u"alignment") {
            s.Xfs.back().Horizontal = attr(xml, "horizontal").toStdString();
            s.Xfs.back().Vertical = attr(xml, "vertical").toStdString();
            s.Xfs.back().Wrap = attr(xml, "wrapText") == u"1";
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return s;
}

std::vector<std::string> readStrings(const QByteArray &Bytes)
{
    std::vector<std::string> strings;
    QXmlStreamReader xml(Bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"si")
            strings.emplace_back();
        else if (xml.isStartElement() && xml.name() == u"t")
            strings.back() += xml.readElementText().toStdString();
    }
    return strings;
}

void readSheet(const QByteArray &Bytes, const Styles &S, const std::vector<std::string> &Strings, XlsxSheet &Sheet)
{
    QXmlStreamReader xml(Bytes);
    XlsxCell *cell = nullptr;
    bool shared = false;
    double defaultHeight = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const QString name = xml.name().toString();
        if (name == u"col") {
            for (int c = attr(xml, "min").toInt(); c <= attr(xml, "max").toInt(); ++c)
                Sheet.ColWidths[c] = attr(xml, "width").toDouble();
        } else if (name == u"sheetFormatPr") {
            defaultHeight = attr(xml, "defaultRowHeight").toDouble();
        } else if (name == u"row") {
            const QString height = attr(xml, "ht");
            Sheet.RowHeights[attr(xml, "r").toInt()] = height.isEmpty() ? defaultHeight : height.toDouble();
        } else if (name == u"c") {
            cell = &Sheet.Cells[attr(xml, "r").toStdString()];
            *cell = S.Xfs.at(size_t(attr(xml, "s").toInt()));
            shared = attr(xml, "t") == u"s";
        } else if (name == u"v" && cell) {
            const QString value = xml.readElementText();
            cell->HasValue = true;
            cell->Text = shared ? Strings.at(size_t(value.toInt())) : value.toStdString();
        }
    }
}

} // namespace

const XlsxCell &XlsxSheet::At(const std::string &Ref) const
{
    static const XlsxCell empty;
    const auto found = Cells.find(Ref);
    return found == Cells.end() ? empty : found->second;
}

std::vector<XlsxSheet> readXlsx(const std::filesystem::path &File)
{
    const Styles styles = readStyles(unzipPart(File, "xl/styles.xml"));
    const std::vector<std::string> strings = readStrings(unzipPart(File, "xl/sharedStrings.xml"));
    std::vector<XlsxSheet> sheets;
    QXmlStreamReader book(unzipPart(File, "xl/workbook.xml"));
    while (!book.atEnd()) {
        book.readNext();
        if (book.isStartElement() && book.name() == u"sheet")
            sheets.push_back({attr(book, "name").toStdString(), {}, {}, {}});
    }
    for (size_t i = 0; i < sheets.size(); ++i) {
        const std::string part = "xl/worksheets/sheet" + std::to_string(i + 1) + ".xml";
        readSheet(unzipPart(File, part.c_str()), styles, strings, sheets[i]);
    }
    return sheets;
}

std::map<std::string, CsvRows> convertToCsv(const std::filesystem::path &File)
{
    const std::filesystem::path out = makeTempDir("csv-");
    QProcess office;
    office.setWorkingDirectory(QString::fromStdString(out.string()));
    // UTF-8 (76), comma separated, quoted text, every sheet into a file of its own (-1).
    office.start(QStringLiteral("soffice"),
                 {QStringLiteral("-env:UserInstallation=file://") + QString::fromStdString((out / "profile").string()),
                  QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                  QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1"),
                  QStringLiteral("--outdir"), QString::fromStdString(out.string()),
                  QString::fromStdString(File.string())});
    if (!office.waitForStarted()) {
        ADD_FAILURE() << "LibreOffice (soffice) cannot be started";
        return {};
    }
    office.waitForFinished(300000);
    EXPECT_EQ(office.exitCode(), 0) << office.readAllStandardError().toStdString();
    // Each file is named after the workbook and the sheet: "<stem>-<sheet>.csv".
    const size_t stem = File.stem().string().size() + 1;
    std::map<std::string, CsvRows> sheets;
    for (const auto &entry : std::filesystem::directory_iterator(out)) {
        if (entry.path().extension() != ".csv")
            continue;
        std::ifstream in(entry.path());
        CsvRows &rows = sheets[entry.path().stem().string().substr(stem)];
        std::string line;
        while (std::getline(in, line)) {
            std::vector<std::string> fields;
            std::string field;
            bool quoted = false;
            for (size_t i = 0; i < line.size(); ++i) {
                const char ch = line[i];
                if (quoted && ch == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else if (ch == '"') {
                    quoted = !quoted;
                } else if (ch == ',' && !quoted) {
                    fields.push_back(field);
                    field.clear();
                } else {
                    field += ch;
                }
            }
            fields.push_back(field);
            rows.push_back(fields);
        }
    }
    return sheets;
}

double storedColumnWidth(double Width)
{
    const double units = (std::floor(Width * 7 + 0.5) + 5) / 7;
    return std::floor(units * 256) / 256;
}

} // namespace testsupport
