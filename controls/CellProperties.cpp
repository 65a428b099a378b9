#include "controls/CellProperties.h"

namespace {

enum Tag : int { tagEnd, tagAlign, tagWordwrap, tagEditable, tagBrush, tagSelectedBrush, tagFont, tagSelectedFont };

int readOrdinal(TListReader &Reader, int count)
{
    const int64_t value = Reader.ReadInteger();
    if (value < 0 || value >= count)
        throw EReadError("an enumeration value of the property stream is out of range");
    return int(value);
}

} // namespace

bool TCellProperties::IsEmpty() const
{
    return Align == alDefault && Wordwrap == ww_default && !Brush && !SelectedBrush && !Font && !SelectedFont
           && Editable == EditInherit;
}

void WriteFont(TPropertyWriter &Writer, const TMyFont &Font)
{
    Writer.WriteInteger(int32_t(Font.Color));
    Writer.WriteInteger(Font.Height);
    Writer.WriteString(Font.Name);
    Writer.WriteInteger(Font.Pitch);
    Writer.WriteInteger(Font.Style);
}

void WriteBrush(TPropertyWriter &Writer, const TMyBrush &Brush)
{
    Writer.WriteInteger(int32_t(Brush.Color));
    Writer.WriteInteger(Brush.Style);
}

TMyFont ReadFont(TListReader &Reader)
{
    TMyFont font;
    font.Color = TColor(Reader.ReadInt32());
    font.Height = Reader.ReadInt32();
    font.Name = Reader.ReadString();
    font.Pitch = TFontPitch(readOrdinal(Reader, 3));
    // Only the low 8 bits carry the style set; stored forms may hold other values above them.
    font.Style = TFontStyles(Reader.ReadInteger() & (fsBold | fsItalic | fsUnderline | fsStrikeOut));
    return font;
}

TMyBrush ReadBrush(TListReader &Reader)
{
    TMyBrush brush;
    brush.Color = TColor(Reader.ReadInt32());
    brush.Style = TBrushStyle(readOrdinal(Reader, BrushStyleCount));
    return brush;
}

void TCellProperties::WriteToWriter(TPropertyWriter &Writer) const
{
    if (Align != alDefault) {
        Writer.WriteInteger(tagAlign);
        Writer.WriteInteger(Align);
    }
    if (Wordwrap != ww_default) {
        Writer.WriteInteger(tagWordwrap);
        Writer.WriteInteger(Wordwrap);
    }
    if (Editable != EditInherit) {
        Writer.WriteInteger(tagEditable);
        Writer.WriteInteger(Editable);
    }
    if (Brush) {
        Writer.WriteInteger(tagBrush);
        WriteBrush(Writer, *Brush);
    }
    if (SelectedBrush) {
        Writer.WriteInteger(tagSelectedBrush);
        WriteBrush(Writer, *SelectedBrush);
    }
    if (Font) {
        Writer.WriteInteger(tagFont);
        WriteFont(Writer, *Font);
    }
    if (SelectedFont) {
        Writer.WriteInteger(tagSelectedFont);
        WriteFont(Writer, *SelectedFont);
    }
    Writer.WriteInteger(tagEnd);
}

void TCellProperties::ReadItem(int Tag, TListReader &Reader)
{
    switch (Tag) {
    case tagAlign:
        Align = TMyAlign(readOrdinal(Reader, MyAlignCount));
        break;
    case tagWordwrap:
        Wordwrap = TWordWrap(readOrdinal(Reader, WordWrapCount));
        break;
    case tagEditable:
        Editable = uint8_t(readOrdinal(Reader, 3));
        break;
    case tagBrush:
        Brush = ReadBrush(Reader);
        break;
    case tagSelectedBrush:
        SelectedBrush = ReadBrush(Reader);
        break;
    case tagFont:
        Font = ReadFont(Reader);
        break;
    case tagSelectedFont:
        SelectedFont = ReadFont(Reader);
        break;
    default:
        break;
    }
}

void TCellProperties::ReadItems(TListReader &Reader)
{
    for (;;) {
        const int64_t tag = Reader.ReadInteger();
        if (tag == tagEnd)
            return;
        ReadItem(int(tag), Reader);
    }
}
