// The property stream's byte layout, and the aligned grid's stored properties.
#include "GridTestSupport.h"

#include "controls/PropertyStream.h"

using namespace gridtest;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int value : values)
        result.append(char(uint8_t(value)));
    return result;
}

QByteArray name(const char *text)
{
    return QByteArray(1, char(strlen(text))) + QByteArray(text);
}

QByteArray header()
{
    return QByteArray("KVPS") + bytes({1});
}

QByteArray integer(int64_t value)
{
    TPropertyWriter writer;
    writer.WriteInteger(value);
    QByteArray all = writer.Finish();
    return all.mid(5, all.size() - 6);
}

QByteArray string(const QString &text)
{
    TPropertyWriter writer;
    writer.WriteString(text);
    QByteArray all = writer.Finish();
    return all.mid(5, all.size() - 6);
}

// A stream with one list property whose items are integers and strings.
QByteArray listProperty(const char *property, const QList<QVariant> &items)
{
    QByteArray result = name(property) + "L";
    for (const QVariant &item : items)
        result += item.typeId() == QMetaType::QString ? string(item.toString()) : integer(item.toLongLong());
    return result + "E";
}

QByteArray stream(const QByteArray &properties)
{
    return header() + properties + bytes({0});
}

} // namespace

TEST(PropertyStream, ValuesHaveTheirByteLayout)
{
    TPropertyWriter writer;
    writer.WritePropertyName(QStringLiteral("Tag"));
    writer.WriteInteger(5);
    writer.WritePropertyName(QStringLiteral("A"));
    writer.WriteListBegin();
    writer.WriteInteger(-1);
    writer.WriteInteger(300);
    writer.WriteInteger(-2147483640);
    writer.WriteInteger(int64_t(1) << 40);
    writer.WriteString(QStringLiteral("Łódź"));
    writer.WriteBoolean(true);
    writer.WriteBoolean(false);
    writer.WriteBinary(QByteArray("\x01\x02", 2));
    writer.WriteListEnd();
    const QByteArray expected = header() + name("Tag") + bytes({'b', 5}) + name("A") + "L" + bytes({'b', 0xFF})
                                + bytes({'w', 0x2C, 0x01}) + bytes({'i', 0x08, 0x00, 0x00, 0x80})
                                + bytes({'q', 0, 0, 0, 0, 0, 0x01, 0, 0}) + bytes({'s', 7, 0, 0, 0})
                                + QByteArray("\xC5\x81\xC3\xB3\x64\xC5\xBA") + "TF" + bytes({'B', 2, 0, 0, 0, 1, 2})
                                + "E" + bytes({0});
    const QByteArray written = writer.Finish();
    EXPECT_EQ(written.toHex(' ').toStdString(), expected.toHex(' ').toStdString());

    const std::vector<TStreamProperty> read = ReadPropertyStream(written);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].Name, QStringLiteral("Tag"));
    EXPECT_EQ(read[0].Value.Integer, 5);
    TListReader list(read[1].Value);
    EXPECT_EQ(list.ReadInteger(), -1);
    EXPECT_EQ(list.ReadInteger(), 300);
    EXPECT_EQ(list.ReadInt32(), -2147483640);
    EXPECT_THROW(list.ReadInt32(), EReadError); // 2^40 does not fit
    EXPECT_EQ(list.ReadString(), QStringLiteral("Łódź"));
    EXPECT_THROW(list.ReadString(), EReadError); // a Boolean
}

TEST(PropertyStream, MalformedStreamsAreRefused)
{
    const QByteArray good = stream(name("X") + bytes({'b', 1}));
    EXPECT_NO_THROW(ReadPropertyStream(good));
    for (qsizetype length = 0; length < good.size(); ++length)
        EXPECT_THROW(ReadPropertyStream(good.left(length)), EReadError) << length;
    EXPECT_THROW(ReadPropertyStream(good + "x"), EReadError);
    EXPECT_THROW(ReadPropertyStream(stream(name("X") + "?")), EReadError);
    EXPECT_THROW(ReadPropertyStream(stream(name("X") + bytes({'s', 0xFF, 0xFF, 0xFF, 0x7F}))), EReadError);
    EXPECT_THROW(ReadPropertyStream(stream(name("X") + QByteArray(100, 'L') + QByteArray(100, 'E'))), EReadError);
    EXPECT_THROW(ReadPropertyStream(QByteArray("KVPS") + bytes({2, 0})), EReadError);
}

TEST(AlignGridStream, StoredPropertiesMakeTheRoundTrip)
{
    auto source = makeGrid(5, 6);
    source->setAlignment(alCenter);
    source->setWordwrap(ww_ellipsis);
    source->setEditable(false);
    source->setFixedColor(clNavy);
    source->setSortByClick(true);
    source->setNextCellTab(nc_downleft);
    source->setGridLineWidth(2);
    source->SetAlignCol(2, alRight);
    source->FontCol(1).Style = fsBold | fsItalic;
    source->SetColorRow(2, clRed);
    source->SetFixedAlignRow(0, alCenterCenter);
    source->FontFixedRow(0).Color = clMaroon;
    source->SetSelectedColorCell(2, 2, clLime);
    source->SetEditCell(3, 3, true);
    source->BrushFixedCol(1).Style = bsCross;
    source->FontCell(4, 5).Name = QStringLiteral("Courier New");
    const QByteArray written = source->WriteProperties();

    auto target = makeGrid(5, 6);
    target->ReadProperties(written);
    target->Loaded();
    EXPECT_EQ(target->WriteProperties(), written);
    EXPECT_EQ(target->Alignment(), alCenter);
    EXPECT_EQ(target->Wordwrap(), ww_ellipsis);
    EXPECT_FALSE(target->Editable());
    EXPECT_EQ(target->FixedColor(), clNavy);
    EXPECT_EQ(target->GetColorCell(0, 3), clNavy);
    EXPECT_TRUE(target->SortByClick());
    EXPECT_EQ(target->SortCols.size(), 5u);
    EXPECT_EQ(target->NextCellTab(), nc_downleft);
    EXPECT_EQ(target->GridLineWidth(), 2);
    EXPECT_EQ(target->GetAlignCell(2, 3), alRight);
    EXPECT_EQ(target->GetFontCell(1, 1).Style, fsBold | fsItalic);
    EXPECT_EQ(target->GetColorCell(3, 2), clRed);
    EXPECT_EQ(target->GetAlignCell(3, 0), alCenterCenter);
    EXPECT_EQ(target->GetFontCell(3, 0).Color, clMaroon);
    EXPECT_EQ(target->GetSelectedColorCell(2, 2), clLime);
    EXPECT_TRUE(target->GetEditCell(3, 3));
    EXPECT_FALSE(target->GetEditCell(3, 2));
    EXPECT_EQ(target->GetBrushCell(1, 0).Style, bsCross);
    EXPECT_EQ(target->GetFontCell(4, 5).Name, QStringLiteral("Courier New"));
}

TEST(AlignGridStream, EmptyStoresAreWrittenAsEmptyLists)
{
    auto grid = makeGrid();
    grid->SetAlignCell(1, 1, alDefault); // a record with nothing set
    const QByteArray written = grid->WriteProperties();
    EXPECT_TRUE(written.contains(name("PropCell") + "LE"));
    EXPECT_TRUE(written.contains(name("PropFixedRow") + "LE"));
    EXPECT_FALSE(written.contains(name("Cells")));
    EXPECT_FALSE(written.contains(name("HintCell")));
}

TEST(AlignGridStream, AFixedRowStoreOfAnOldFormReads)
{
    auto grid = makeGrid(4, 4);
    const QList<QVariant> items{0, 1, 2, 2, 1, 6, -2147483640, -11, QStringLiteral("MS Sans Serif"), 0, 317049857, 0,
                                1, 6, 255, -13, QStringLiteral("Arial"), 2, 317049856, 0};
    grid->ReadProperties(stream(listProperty("PropFixedRow", items)));
    EXPECT_EQ(grid->GetFixedAlignRow(0), alCenter);
    EXPECT_EQ(grid->GetAlignCell(2, 0), alCenter);
    EXPECT_EQ(grid->GetWordwrapCell(2, 0), ww_wordwrap);
    const TMyFont header = grid->GetFontCell(2, 0);
    EXPECT_EQ(header.Color, clWindowText);
    EXPECT_EQ(header.Height, -11);
    EXPECT_EQ(header.Name, QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(header.Style, fsBold);
    const TMyFont second = grid->GetFontCell(0, 1);
    EXPECT_EQ(second.Color, clRed);
    EXPECT_EQ(second.Pitch, fpFixed);
    EXPECT_EQ(second.Style, 0);
    // Non-fixed cells of those rows are not touched.
    EXPECT_EQ(grid->GetAlignCell(2, 1), alLeft);
    // Written back, the style is the set alone.
    const QByteArray written = grid->WriteProperties();
    EXPECT_FALSE(written.contains(integer(317049857)));
    EXPECT_TRUE(written.contains(string(QStringLiteral("MS Sans Serif")) + integer(0) + integer(1)));
}

TEST(AlignGridStream, OldByteRecordsLoadAndAreSavedAsStores)
{
    auto grid = makeGrid(4, 4);
    // Column 2 centred, column 3 right; cell (1, 2) editable.
    const QByteArray alignCol = name("AlignCol") + bytes({'B', 6, 0, 0, 0, 2, 0, 2, 3, 0, 0});
    const QByteArray editCell = name("EditCell") + bytes({'B', 5, 0, 0, 0, 1, 0, 2, 0, 1});
    const QByteArray colorCol = listProperty("ColorCol", {1, 255});
    const QByteArray selected = listProperty("SelectedColorRow", {3, 65280});
    grid->setEditable(false);
    grid->ReadProperties(stream(alignCol + editCell + colorCol + selected));
    EXPECT_EQ(grid->GetAlignCol(2), alCenter);
    EXPECT_EQ(grid->GetAlignCol(3), alRight);
    EXPECT_TRUE(grid->GetEditCell(1, 2));
    EXPECT_FALSE(grid->GetEditCell(1, 1));
    EXPECT_EQ(grid->GetColorCol(1), clRed);
    EXPECT_EQ(grid->GetSelectedColorCell(2, 3), clLime);
    const QByteArray written = grid->WriteProperties();
    EXPECT_FALSE(written.contains(name("AlignCol")));
    EXPECT_TRUE(written.contains(name("PropCol") + "L" + integer(1)));

    auto reread = makeGrid(4, 4);
    reread->ReadProperties(written);
    EXPECT_EQ(reread->GetAlignCol(3), alRight);
    EXPECT_EQ(reread->GetColorCol(1), clRed);
    EXPECT_TRUE(reread->GetEditCell(1, 2));
}

TEST(AlignGridStream, CellIndexesWrapToSixteenBits)
{
    auto grid = makeGrid(3, 70000);
    grid->ReadProperties(stream(listProperty("PropCell", {65536 + 2, 65536 + 3, 1, 0, 0})));
    EXPECT_EQ(grid->GetAlignCell(2, 3), alRight);
    EXPECT_EQ(grid->GetAlignCell(2, 65539), alLeft);
}

TEST(AlignGridStream, StoredTextsReplaceEveryCellAtLoading)
{
    auto grid = makeGrid(3, 3);
    grid->setCells(1, 1, QStringLiteral("from the constructor"));
    grid->ReadProperties(stream(listProperty("Cells", {2, 1, QStringLiteral("stored")})
                                + listProperty("HintCell", {1, 2, QStringLiteral("wskazówka")})));
    EXPECT_EQ(grid->Cells(2, 1), QString()); // pending until loaded
    grid->Loaded();
    EXPECT_EQ(grid->Cells(1, 1), QString());
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("stored"));
    EXPECT_EQ(grid->CellHint(1, 2), QStringLiteral("wskazówka"));
    // Texts and hints are written back because they came from the stream.
    grid->setCells(0, 0, QStringLiteral("Nr"));
    const QByteArray written = grid->WriteProperties();
    EXPECT_TRUE(written.contains(name("Cells") + "L" + integer(0) + integer(0) + string(QStringLiteral("Nr"))));
    EXPECT_TRUE(written.contains(name("HintCell")));

    // Without stored texts, loading empties what the constructor put in.
    auto bare = makeGrid(3, 3);
    bare->setCells(1, 1, QStringLiteral("lost"));
    TCellTable<QString> kept;
    bare->SaveCellsToList(kept);
    EXPECT_EQ(kept.at(1, 1), QStringLiteral("lost"));
    bare->Loaded();
    EXPECT_EQ(bare->Cells(1, 1), QString());
}

TEST(AlignGridStream, MalformedStreamsLeaveTheGridAsItWas)
{
    auto source = makeGrid(4, 4);
    source->SetAlignCol(1, alRight);
    source->FontCell(2, 2).Style = fsBold;
    source->setSelectedCellColor(clRed);
    const QByteArray good = source->WriteProperties();

    auto grid = makeGrid(4, 4);
    grid->SetColorCol(3, clYellow);
    grid->setCells(1, 1, QStringLiteral("kept"));
    const QByteArray before = grid->WriteProperties();
    auto unchanged = [&] {
        return grid->WriteProperties() == before && grid->Cells(1, 1) == QStringLiteral("kept")
               && grid->SelectedCellColor() == clActiveCaption;
    };
    for (qsizetype length = 0; length < good.size(); ++length) {
        EXPECT_THROW(grid->ReadProperties(good.left(length)), EReadError) << length;
        ASSERT_TRUE(unchanged()) << length;
    }
    const QByteArray bad[] = {
        stream(name("NoSuchProperty") + bytes({'b', 1})),
        stream(name("Alignment") + bytes({'b', 9})),
        stream(name("Editable") + bytes({'b', 1})),
        stream(name("AlignCol") + bytes({'B', 4, 0, 1, 0, 2, 0})),
        stream(name("AlignCol") + bytes({'B', 3, 0, 1, 0, 7})),
        stream(listProperty("PropCol", {1, 1, 2})),                // record without its end tag
        stream(listProperty("PropCol", {1, 4, 255, 99, 0})),       // brush style out of range
        stream(listProperty("Cells", {1, 1})),                     // text missing
        stream(listProperty("FontCol", {1, 0, -11, 5, 0, 0})),     // face name is not a string
        stream(listProperty("HintCell", {-1, 0, QStringLiteral("x")})),
        stream(name("SelectedCellColor") + bytes({'b', 1}) + listProperty("PropCol", {1, 1})),
    };
    for (const QByteArray &stream : bad) {
        EXPECT_THROW(grid->ReadProperties(stream), EReadError) << stream.toHex().constData();
        ASSERT_TRUE(unchanged()) << stream.toHex().constData();
    }
    grid->ReadProperties(good);
    EXPECT_EQ(grid->GetAlignCol(1), alRight);
    EXPECT_EQ(grid->SelectedCellColor(), clRed);
}
