// TStringAlignGrid: its stored properties. The window sets the grid's size before it reads them;
// entries outside that size are skipped.
#include "controls/StringAlignGrid.h"

#include <QHash>

#include <functional>

namespace {

struct PublishedWriter {
    TPropertyWriter &writer;

    void integer(const char *name, int64_t value, int64_t initial)
    {
        if (value == initial)
            return;
        writer.WritePropertyName(QString::fromLatin1(name));
        writer.WriteInteger(value);
    }
    void boolean(const char *name, bool value, bool initial)
    {
        if (value == initial)
            return;
        writer.WritePropertyName(QString::fromLatin1(name));
        writer.WriteBoolean(value);
    }
};

int64_t integerOf(const TStreamProperty &property, int64_t least, int64_t most)
{
    if (property.Value.Kind != TStreamValue::vkInteger)
        throw EReadError("property " + property.Name.toStdString() + " is not an integer");
    if (property.Value.Integer < least || property.Value.Integer > most)
        throw EReadError("property " + property.Name.toStdString() + " is out of range");
    return property.Value.Integer;
}

bool booleanOf(const TStreamProperty &property)
{
    if (property.Value.Kind != TStreamValue::vkBoolean)
        throw EReadError("property " + property.Name.toStdString() + " is not a Boolean");
    return property.Value.Boolean;
}

TColor colorOf(const TStreamProperty &property)
{
    return TColor(int32_t(integerOf(property, INT32_MIN, INT32_MAX)));
}

const QByteArray &binaryOf(const TStreamProperty &property, int recordSize)
{
    if (property.Value.Kind != TStreamValue::vkBinary)
        throw EReadError("property " + property.Name.toStdString() + " is not binary data");
    if (property.Value.Binary.size() % recordSize != 0)
        throw EReadError("property " + property.Name.toStdString() + " ends inside a record");
    return property.Value.Binary;
}

int word(const QByteArray &data, qsizetype at)
{
    return int(uint8_t(data[at])) | (int(uint8_t(data[at + 1])) << 8);
}

TMyAlign alignByte(const QByteArray &data, qsizetype at)
{
    const int value = uint8_t(data[at]);
    if (value >= MyAlignCount)
        throw EReadError("an alignment of the property stream is out of range");
    return TMyAlign(value);
}

int indexOf(TListReader &reader)
{
    const int32_t index = reader.ReadInt32();
    if (index < 0)
        throw EReadError("a negative index in the property stream");
    return index;
}

void writeRecords(TPropertyWriter &writer, const char *name, const TSlotList<TCellProps> &store, int count)
{
    writer.WritePropertyName(QString::fromLatin1(name));
    writer.WriteListBegin();
    store.forEach([&](int index, const TCellProps &record) {
        if (index < count && !record->IsEmpty()) {
            writer.WriteInteger(index);
            record->WriteToWriter(writer);
        }
    });
    writer.WriteListEnd();
}

} // namespace

QByteArray TStringAlignGrid::WriteProperties() const
{
    TPropertyWriter writer;
    const TAlignGridSettings initial;
    PublishedWriter published{writer};
    published.integer("Alignment", Alignment(), initial.Alignment);
    published.integer("Wordwrap", Wordwrap(), initial.Wordwrap);
    published.boolean("Editable", Editable(), initial.Editable);
    published.integer("FixedColor", int32_t(FixedColor()), int32_t(initial.FixedColor));
    published.integer("SelectedCellColor", int32_t(SelectedCellColor()), int32_t(initial.SelectedCellColor));
    published.integer("SelectedFontColor", int32_t(SelectedFontColor()), int32_t(initial.SelectedFontColor));
    published.boolean("ShowCellHints", ShowCellHints(), initial.ShowCellHints);
    published.boolean("SelectEditText", SelectEditText(), initial.SelectEditText);
    published.boolean("EditMultiline", EditMultiline(), initial.EditMultiline);
    published.boolean("AutoEditNextCell", AutoEditNextCell(), initial.AutoEditNextCell);
    published.integer("NextCellEdit", NextCellEdit(), initial.NextCellEdit);
    published.integer("NextCellTab", NextCellTab(), initial.NextCellTab);
    published.integer("AfterLastCellEdit", AfterLastCellEdit(), initial.AfterLastCellEdit);
    published.integer("AfterLastCellTab", AfterLastCellTab(), initial.AfterLastCellTab);
    published.boolean("DrawSelection", DrawSelection(), initial.DrawSelection);
    published.boolean("AutoAdjustLastCol", AutoAdjustLastCol(), initial.AutoAdjustLastCol);
    published.integer("GridLineWidth", GridLineWidth(), initial.GridLineWidth);
    published.boolean("RedrawWhileScroll", RedrawWhileScroll(), initial.RedrawWhileScroll);
    published.boolean("SortByClick", SortByClick(), initial.SortByClick);
    published.integer("AdjustedColMinWidth", AdjustedColMinWidth(), initial.AdjustedColMinWidth);

    if (FStores.HasHints) {
        writer.WritePropertyName(QStringLiteral("HintCell"));
        writer.WriteListBegin();
        FStores.HintCell.forEach([&](int col, int row, const QString &hint) {
            writer.WriteInteger(col);
            writer.WriteInteger(row);
            writer.WriteString(hint);
        });
        writer.WriteListEnd();
    }
    if (FStores.HasStoredCells) {
        writer.WritePropertyName(QStringLiteral("Cells"));
        writer.WriteListBegin();
        CellTexts().forEach([&](int col, int row, const QString &text) {
            if (col < ColCount() && row < RowCount()) {
                writer.WriteInteger(col);
                writer.WriteInteger(row);
                writer.WriteString(text);
            }
        });
        writer.WriteListEnd();
    }
    writer.WritePropertyName(QStringLiteral("PropCell"));
    writer.WriteListBegin();
    FStores.PropCell.forEach([&](int col, int row, const TCellProps &record) {
        if (col < ColCount() && row < RowCount() && !record->IsEmpty()) {
            writer.WriteInteger(col);
            writer.WriteInteger(row);
            record->WriteToWriter(writer);
        }
    });
    writer.WriteListEnd();
    writeRecords(writer, "PropCol", FStores.PropCol, ColCount());
    writeRecords(writer, "PropRow", FStores.PropRow, RowCount());
    writeRecords(writer, "PropFixedCol", FStores.PropFixedCol, ColCount());
    writeRecords(writer, "PropFixedRow", FStores.PropFixedRow, RowCount());
    return writer.Finish();
}

void TStringAlignGrid::ReadProperties(const QByteArray &Stream)
{
    const std::vector<TStreamProperty> properties = ReadPropertyStream(Stream);
    TAlignGridSettings settings = FSettings;
    settings.FixedColor = FixedColor();
    settings.GridLineWidth = GridLineWidth();
    TAlignGridStores stores = FStores;
    for (const TStreamProperty &property : properties)
        readStoredProperty(property, settings, stores);
    FStores = std::move(stores);
    applySettings(settings);
    InvalidateGrid();
}

void TStringAlignGrid::applySettings(const TAlignGridSettings &Settings)
{
    setAlignment(Settings.Alignment);
    setWordwrap(Settings.Wordwrap);
    setEditable(Settings.Editable);
    setFixedColor(Settings.FixedColor);
    setSelectedCellColor(Settings.SelectedCellColor);
    setSelectedFontColor(Settings.SelectedFontColor);
    setShowCellHints(Settings.ShowCellHints);
    setSelectEditText(Settings.SelectEditText);
    setEditMultiline(Settings.EditMultiline);
    setAutoEditNextCell(Settings.AutoEditNextCell);
    setNextCellEdit(Settings.NextCellEdit);
    setNextCellTab(Settings.NextCellTab);
    setAfterLastCellEdit(Settings.AfterLastCellEdit);
    setAfterLastCellTab(Settings.AfterLastCellTab);
    setDrawSelection(Settings.DrawSelection);
    setGridLineWidth(Settings.GridLineWidth);
    setRedrawWhileScroll(Settings.RedrawWhileScroll);
    if (Settings.SortByClick != SortByClick())
        setSortByClick(Settings.SortByClick);
    setAdjustedColMinWidth(Settings.AdjustedColMinWidth);
    if (Settings.AutoAdjustLastCol != AutoAdjustLastCol())
        setAutoAdjustLastCol(Settings.AutoAdjustLastCol);
}

void TStringAlignGrid::readStoredProperty(const TStreamProperty &Property, TAlignGridSettings &Settings,
                                          TAlignGridStores &Stores) const
{
    const QString &name = Property.Name;
    const int cols = ColCount();
    const int rows = RowCount();
    auto inside = [&](int col, int row) { return col < cols && row < rows; };
    // A store of per-index records and the count of its index, by a property name's store part.
    auto storeNamed = [&](const QString &part) -> std::pair<TSlotList<TCellProps> *, int> {
        if (part == QLatin1String("Col"))
            return {&Stores.PropCol, cols};
        if (part == QLatin1String("FixedCol"))
            return {&Stores.PropFixedCol, cols};
        if (part == QLatin1String("Row"))
            return {&Stores.PropRow, rows};
        if (part == QLatin1String("FixedRow"))
            return {&Stores.PropFixedRow, rows};
        return {nullptr, 0};
    };

    // ---- published values ----
    static const QHash<QString, std::function<void(const TStreamProperty &, TAlignGridSettings &)>> published = {
        {"Alignment", [](auto &p, auto &s) { s.Alignment = TMyAlign(integerOf(p, 0, MyAlignCount - 1)); }},
        {"Wordwrap", [](auto &p, auto &s) { s.Wordwrap = TWordWrap(integerOf(p, 0, WordWrapCount - 1)); }},
        {"Editable", [](auto &p, auto &s) { s.Editable = booleanOf(p); }},
        {"FixedColor", [](auto &p, auto &s) { s.FixedColor = colorOf(p); }},
        {"SelectedCellColor", [](auto &p, auto &s) { s.SelectedCellColor = colorOf(p); }},
        {"SelectedFontColor", [](auto &p, auto &s) { s.SelectedFontColor = colorOf(p); }},
        {"ShowCellHints", [](auto &p, auto &s) { s.ShowCellHints = booleanOf(p); }},
        {"SelectEditText", [](auto &p, auto &s) { s.SelectEditText = booleanOf(p); }},
        {"EditMultiline", [](auto &p, auto &s) { s.EditMultiline = booleanOf(p); }},
        {"AutoEditNextCell", [](auto &p, auto &s) { s.AutoEditNextCell = booleanOf(p); }},
        {"NextCellEdit", [](auto &p, auto &s) { s.NextCellEdit = TNextCell(integerOf(p, 0, NextCellCount - 1)); }},
        {"NextCellTab", [](auto &p, auto &s) { s.NextCellTab = TNextCell(integerOf(p, 0, NextCellCount - 1)); }},
        {"AfterLastCellEdit", [](auto &p, auto &s) { s.AfterLastCellEdit = TLastCell(integerOf(p, 0, LastCellCount - 1)); }},
        {"AfterLastCellTab", [](auto &p, auto &s) { s.AfterLastCellTab = TLastCell(integerOf(p, 0, LastCellCount - 1)); }},
        {"DrawSelection", [](auto &p, auto &s) { s.DrawSelection = booleanOf(p); }},
        {"AutoAdjustLastCol", [](auto &p, auto &s) { s.AutoAdjustLastCol = booleanOf(p); }},
        {"GridLineWidth", [](auto &p, auto &s) { s.GridLineWidth = int(integerOf(p, 0, INT32_MAX)); }},
        {"RedrawWhileScroll", [](auto &p, auto &s) { s.RedrawWhileScroll = booleanOf(p); }},
        {"SortByClick", [](auto &p, auto &s) { s.SortByClick = booleanOf(p); }},
        {"AdjustedColMinWidth", [](auto &p, auto &s) { s.AdjustedColMinWidth = int(integerOf(p, INT32_MIN, INT32_MAX)); }},
    };
    if (const auto found = published.find(name); found != published.end()) {
        found.value()(Property, Settings);
        return;
    }

    // ---- written and read ----
    if (name == QLatin1String("HintCell") || name == QLatin1String("Cells")) {
        const bool hints = name == QLatin1String("HintCell");
        TCellTable<QString> &target = hints ? Stores.HintCell : Stores.PendingCells ? *Stores.PendingCells
                                                                                      : Stores.PendingCells.emplace();
        TListReader reader(Property.Value);
        while (!reader.EndOfList()) {
            const int col = indexOf(reader);
            const int row = indexOf(reader);
            const QString text = reader.ReadString();
            if (inside(col, row))
                target.set(col, row, text);
        }
        (hints ? Stores.HasHints : Stores.HasStoredCells) = true;
        return;
    }
    if (name == QLatin1String("PropCell")) {
        TListReader reader(Property.Value);
        while (!reader.EndOfList()) {
            const int col = int(uint16_t(reader.ReadInteger()));
            const int row = int(uint16_t(reader.ReadInteger()));
            TCellProperties record;
            record.ReadItems(reader);
            if (inside(col, row))
                Stores.PropCell.ref(col, row) = TCellProps(std::move(record));
        }
        return;
    }
    if (name.startsWith(QLatin1String("Prop"))) {
        if (const auto [store, count] = storeNamed(name.mid(4)); store) {
            TListReader reader(Property.Value);
            while (!reader.EndOfList()) {
                const int index = int(uint16_t(reader.ReadInteger()));
                TCellProperties record;
                record.ReadItems(reader);
                if (index < count)
                    store->ref(index) = TCellProps(std::move(record));
            }
            return;
        }
    }

    // ---- read only: byte records ----
    if (name == QLatin1String("AlignCell") || name == QLatin1String("EditCell")) {
        const QByteArray &data = binaryOf(Property, 5);
        for (qsizetype at = 0; at < data.size(); at += 5) {
            const int col = word(data, at);
            const int row = word(data, at + 2);
            if (!inside(col, row))
                continue;
            TCellProperties &record = Stores.PropCell.ref(col, row).ensure();
            if (name == QLatin1String("AlignCell"))
                record.Align = alignByte(data, at + 4);
            else
                record.Editable = EditableByte(data[at + 4] != 0);
        }
        return;
    }
    static const QHash<QString, std::pair<QString, bool>> byteRecords = {
        {"AlignCol", {"Col", true}},   {"FixedAlignCol", {"FixedCol", true}}, {"AlignRow", {"Row", true}},
        {"FixedAlignRow", {"FixedRow", true}}, {"EditCol", {"Col", false}}, {"EditRow", {"Row", false}},
    };
    if (const auto found = byteRecords.find(name); found != byteRecords.end()) {
        const auto [store, count] = storeNamed(found.value().first);
        const bool align = found.value().second;
        const QByteArray &data = binaryOf(Property, 3);
        for (qsizetype at = 0; at < data.size(); at += 3) {
            const int index = word(data, at);
            if (index >= count)
                continue;
            TCellProperties &record = store->ref(index).ensure();
            if (align)
                record.Align = alignByte(data, at + 2);
            else
                record.Editable = EditableByte(data[at + 2] != 0);
        }
        return;
    }

    // ---- read only: lists of fonts, brushes and colours ----
    enum ListKind { lkFont, lkBrush, lkColor, lkSelectedColor };
    static const QHash<QString, ListKind> listPrefixes = {
        {"Font", lkFont}, {"Brush", lkBrush}, {"Color", lkColor}, {"SelectedColor", lkSelectedColor}};
    for (auto prefix = listPrefixes.begin(); prefix != listPrefixes.end(); ++prefix) {
        if (!name.startsWith(prefix.key()))
            continue;
        const QString part = name.mid(prefix.key().size());
        const ListKind kind = prefix.value();
        const bool cell = part == QLatin1String("Cell");
        const auto [store, count] = storeNamed(part);
        const bool selectedStore = part == QLatin1String("Col") || part == QLatin1String("Row");
        if (!cell && (!store || (kind == lkSelectedColor && !selectedStore)))
            continue;
        TListReader reader(Property.Value);
        while (!reader.EndOfList()) {
            const int first = indexOf(reader);
            const int second = cell ? indexOf(reader) : 0;
            TMyFont font;
            TMyBrush brush;
            TColor color = 0;
            if (kind == lkFont)
                font = ReadFont(reader);
            else if (kind == lkBrush)
                brush = ReadBrush(reader);
            else
                color = TColor(reader.ReadInt32());
            if (cell ? !inside(first, second) : first >= count)
                continue;
            TCellProperties &record = cell ? Stores.PropCell.ref(first, second).ensure() : store->ref(first).ensure();
            switch (kind) {
            case lkFont:
                record.Font = font;
                break;
            case lkBrush:
                record.Brush = brush;
                break;
            case lkColor:
                if (!record.Brush)
                    record.Brush = Brush();
                record.Brush->Color = color;
                break;
            case lkSelectedColor:
                record.SelectedBrush = TMyBrush{color, bsSolid};
                break;
            }
        }
        return;
    }
    throw EReadError("unknown property " + name.toStdString());
}
