// The stored form of a tree's nodes ("Items.Data"), little-endian: the number of root nodes, then
// per node in depth-first order a record of 80 bytes and its text, preceded by the record's size.

#include "controls/PropertyStream.h"
#include "controls/TreeNT.h"

#include "platform/ByteStream.h"
#include "platform/Cp1250.h"

#include <algorithm>
#include <span>
#include <vector>

namespace {

constexpr size_t FixedRecordSize = 80;
// The least bytes a node can take: its size field and a record with an empty text.
constexpr size_t MinNodeBytes = 4 + FixedRecordSize;
constexpr size_t FaceNameCapacity = 31;
constexpr size_t MaxTextLength = 255;

struct TStoredNode {
    QString Text;
    int32_t ImageIndex = -1;
    int32_t SelectedIndex = -1;
    int32_t StateIndex = -1;
    int32_t OverlayIndex = -1;
    bool Checked = false;
    int32_t Data = 0;
    uint32_t ChildCount = 0;
    TColor Color = 0;
    bool ParentColor = true;
    bool ParentFont = true;
    TFont Font;
};

[[noreturn]] void malformed()
{
    throw ETreeNTError("Invalid tree items data");
}

template <typename T>
T take(platform::ByteReader &reader)
{
    T value{};
    if (!reader.get(value))
        malformed();
    return value;
}

std::string cp1250Text(const QString &text, size_t capacity)
{
    std::string bytes = platform::utf8ToCp1250(text.toStdString());
    bytes.resize(std::min(bytes.size(), capacity));
    return bytes;
}

QString textOf(std::span<const uint8_t> bytes)
{
    return QString::fromStdString(platform::cp1250ToUtf8(
        std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size())));
}

TStoredNode readNode(platform::ByteReader &reader)
{
    const uint32_t size = take<uint32_t>(reader);
    if (size < FixedRecordSize || size > reader.remaining())
        malformed();
    platform::Bytes record;
    reader.getBytes(record, size);
    if (FixedRecordSize + record[79] != size)
        malformed();
    platform::ByteReader fields(record);
    TStoredNode node;
    node.ImageIndex = take<int32_t>(fields);
    node.SelectedIndex = take<int32_t>(fields);
    node.StateIndex = take<int32_t>(fields);
    node.OverlayIndex = take<int32_t>(fields);
    node.Checked = take<uint8_t>(fields) != 0;
    node.Data = take<int32_t>(fields);
    node.ChildCount = take<uint32_t>(fields);
    node.Color = take<uint32_t>(fields);
    node.ParentColor = take<uint8_t>(fields) != 0;
    node.ParentFont = take<uint8_t>(fields) != 0;
    fields.skip(4);
    node.Font.Height = take<int32_t>(fields);
    const uint8_t pitch = take<uint8_t>(fields);
    node.Font.Style = take<uint8_t>(fields) & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
    fields.skip(1);
    const uint8_t faceLength = take<uint8_t>(fields);
    if (!node.ParentFont && (pitch > fpFixed || faceLength > FaceNameCapacity))
        malformed();
    node.Font.Pitch = static_cast<TFontPitch>(pitch);
    node.Font.Name = textOf(std::span(record).subspan(43, std::min<size_t>(faceLength, FaceNameCapacity)));
    fields.skip(FaceNameCapacity + 1);
    node.Font.Color = take<uint32_t>(fields);
    node.Text = textOf(std::span(record).subspan(FixedRecordSize, record[79]));
    return node;
}

// Parses the whole stream before anything is changed.
std::vector<TStoredNode> parse(const QByteArray &stream)
{
    platform::ByteReader reader(std::span(reinterpret_cast<const uint8_t *>(stream.constData()),
                                          static_cast<size_t>(stream.size())));
    std::vector<TStoredNode> nodes;
    std::vector<uint32_t> pending{take<uint32_t>(reader)};
    if (pending.back() > reader.remaining() / MinNodeBytes)
        malformed();
    while (!pending.empty()) {
        if (pending.back() == 0) {
            pending.pop_back();
            continue;
        }
        --pending.back();
        nodes.push_back(readNode(reader));
        if (nodes.back().ChildCount > reader.remaining() / MinNodeBytes)
            malformed();
        pending.push_back(nodes.back().ChildCount);
    }
    if (reader.remaining() != 0)
        malformed();
    return nodes;
}

void writeNode(platform::ByteWriter &writer, const TTreeNTNode &node)
{
    const std::string text = cp1250Text(node.Text(), MaxTextLength);
    writer.put(static_cast<uint32_t>(FixedRecordSize + text.size()));
    writer.put(static_cast<int32_t>(node.ImageIndex));
    writer.put(static_cast<int32_t>(node.SelectedIndex));
    writer.put(static_cast<int32_t>(node.StateIndex));
    writer.put(static_cast<int32_t>(node.OverlayIndex));
    writer.put(static_cast<uint8_t>(node.Checked()));
    writer.put(static_cast<int32_t>(node.Data()));
    writer.put(static_cast<uint32_t>(node.Count()));
    writer.put(static_cast<uint32_t>(node.Color()));
    writer.put(static_cast<uint8_t>(node.ParentColor));
    writer.put(static_cast<uint8_t>(node.ParentFont));
    writer.putFill(4);
    if (node.ParentFont) {
        writer.putFill(4 + 1 + 1 + 1 + 1 + FaceNameCapacity + 1 + 4);
    } else {
        const TFont &font = node.Font();
        writer.put(static_cast<int32_t>(font.Height));
        writer.put(static_cast<uint8_t>(font.Pitch));
        writer.put(static_cast<uint8_t>(font.Style));
        writer.putFill(1);
        writer.putShortString(font.Name.toStdString(), FaceNameCapacity);
        writer.putFill(1);
        writer.put(static_cast<uint32_t>(font.Color));
    }
    writer.put(static_cast<uint8_t>(text.size()));
    writer.putBytes(std::span(reinterpret_cast<const uint8_t *>(text.data()), text.size()));
}

} // namespace

QByteArray TTreeNTNodes::WriteData() const
{
    platform::ByteWriter writer;
    writer.put(static_cast<uint32_t>(FOwner.topLevelItemCount()));
    for (const TTreeNTNode *node = GetFirstNode(); node; node = node->GetNext())
        writeNode(writer, *node);
    const platform::Bytes &bytes = writer.bytes();
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

void TTreeNTNodes::ReadData(const QByteArray &Stream)
{
    const std::vector<TStoredNode> stored = parse(Stream);
    BeginUpdate();
    Clear();
    // The nodes still waiting for children, with the number each still takes.
    std::vector<std::pair<TTreeNTNode *, uint32_t>> parents;
    for (const TStoredNode &record : stored) {
        while (!parents.empty() && parents.back().second == 0)
            parents.pop_back();
        TTreeNTNode *parent = parents.empty() ? nullptr : parents.back().first;
        if (!parents.empty())
            --parents.back().second;
        TTreeNTNode *node = AddChild(parent, record.Text, record.Data);
        node->ImageIndex = record.ImageIndex;
        node->SelectedIndex = record.SelectedIndex;
        if (FOwner.StateImages())
            node->StateIndex = record.StateIndex;
        node->OverlayIndex = record.OverlayIndex;
        node->setChecked(record.Checked);
        node->setColor(record.Color);
        node->ParentColor = record.ParentColor;
        if (!record.ParentFont)
            node->setFont(record.Font);
        parents.emplace_back(node, record.ChildCount);
    }
    EndUpdate();
}

QByteArray TCustomTreeNT::WriteProperties() const
{
    TPropertyWriter writer;
    if (FItems.GetFirstNode()) {
        writer.WritePropertyName(QStringLiteral("Items.Data"));
        writer.WriteBinary(FItems.WriteData());
    }
    return writer.Finish();
}

void TCustomTreeNT::ReadProperties(const QByteArray &Stream)
{
    for (const TStreamProperty &property : ReadPropertyStream(Stream)) {
        if (property.Name != QLatin1String("Items.Data"))
            continue;
        if (property.Value.Kind != TStreamValue::vkBinary)
            throw ETreeNTError("Invalid tree items data");
        FItems.ReadData(property.Value.Binary);
    }
}
