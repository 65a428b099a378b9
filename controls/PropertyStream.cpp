#include "controls/PropertyStream.h"

#include <algorithm>
#include <limits>

namespace {

const QByteArray Signature = QByteArrayLiteral("KVPS");
constexpr char Version = 1;
constexpr int MaxListDepth = 32;

// Value type bytes.
constexpr char tInt8 = 'b';
constexpr char tInt16 = 'w';
constexpr char tInt32 = 'i';
constexpr char tInt64 = 'q';
constexpr char tString = 's';
constexpr char tFalse = 'F';
constexpr char tTrue = 'T';
constexpr char tBinary = 'B';
constexpr char tListBegin = 'L';
constexpr char tListEnd = 'E';

void putLE(QByteArray &data, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        data.append(char((value >> (8 * i)) & 0xFF));
}

class StreamParser {
public:
    explicit StreamParser(const QByteArray &data) : FData(data) {}

    std::vector<TStreamProperty> parse()
    {
        if (FData.size() < Signature.size() + 1 || !FData.startsWith(Signature))
            fail("not a property stream");
        FPos = Signature.size();
        if (FData[FPos++] != Version)
            fail("unknown property stream version");
        std::vector<TStreamProperty> properties;
        for (;;) {
            const int length = uint8_t(byte());
            if (length == 0)
                break;
            TStreamProperty property;
            property.Name = QString::fromLatin1(bytes(length));
            property.Value = value(0);
            properties.push_back(std::move(property));
        }
        if (FPos != FData.size())
            fail("data after the end of the property stream");
        return properties;
    }

private:
    [[noreturn]] static void fail(const char *what) { throw EReadError(what); }

    char byte()
    {
        if (FPos >= FData.size())
            fail("property stream truncated");
        return FData[FPos++];
    }
    QByteArray bytes(qsizetype count)
    {
        if (count < 0 || count > FData.size() - FPos)
            fail("property stream truncated");
        const QByteArray result = FData.mid(FPos, count);
        FPos += count;
        return result;
    }
    uint64_t unsignedLE(int count)
    {
        const QByteArray raw = bytes(count);
        uint64_t result = 0;
        for (int i = 0; i < count; ++i)
            result |= uint64_t(uint8_t(raw[i])) << (8 * i);
        return result;
    }
    qsizetype length() { return qsizetype(uint32_t(unsignedLE(4))); }

    TStreamValue value(int depth)
    {
        TStreamValue result;
        const char type = byte();
        switch (type) {
        case tInt8:
            result.Integer = int8_t(unsignedLE(1));
            break;
        case tInt16:
            result.Integer = int16_t(unsignedLE(2));
            break;
        case tInt32:
            result.Integer = int32_t(unsignedLE(4));
            break;
        case tInt64:
            result.Integer = int64_t(unsignedLE(8));
            break;
        case tString:
            result.Kind = TStreamValue::vkString;
            result.String = QString::fromUtf8(bytes(length()));
            break;
        case tFalse:
        case tTrue:
            result.Kind = TStreamValue::vkBoolean;
            result.Boolean = type == tTrue;
            break;
        case tBinary:
            result.Kind = TStreamValue::vkBinary;
            result.Binary = bytes(length());
            break;
        case tListBegin:
            if (depth >= MaxListDepth)
                fail("property stream lists nested too deeply");
            result.Kind = TStreamValue::vkList;
            for (;;) {
                if (FPos < FData.size() && FData[FPos] == tListEnd) {
                    ++FPos;
                    break;
                }
                result.Items.push_back(value(depth + 1));
            }
            break;
        default:
            fail("unknown value in the property stream");
        }
        return result;
    }

    const QByteArray &FData;
    qsizetype FPos = 0;
};

} // namespace

TPropertyWriter::TPropertyWriter() : FData(Signature)
{
    FData.append(Version);
}

void TPropertyWriter::WritePropertyName(const QString &name)
{
    const QByteArray latin = name.toLatin1();
    FData.append(char(uint8_t(std::min<qsizetype>(latin.size(), 255))));
    FData.append(latin.left(255));
}

void TPropertyWriter::WriteInteger(int64_t value)
{
    if (value >= std::numeric_limits<int8_t>::min() && value <= std::numeric_limits<int8_t>::max()) {
        FData.append(tInt8);
        putLE(FData, uint64_t(value), 1);
    } else if (value >= std::numeric_limits<int16_t>::min() && value <= std::numeric_limits<int16_t>::max()) {
        FData.append(tInt16);
        putLE(FData, uint64_t(value), 2);
    } else if (value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max()) {
        FData.append(tInt32);
        putLE(FData, uint64_t(value), 4);
    } else {
        FData.append(tInt64);
        putLE(FData, uint64_t(value), 8);
    }
}

void TPropertyWriter::WriteString(const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    FData.append(tString);
    putLE(FData, uint64_t(utf8.size()), 4);
    FData.append(utf8);
}

void TPropertyWriter::WriteBoolean(bool value)
{
    FData.append(value ? tTrue : tFalse);
}

void TPropertyWriter::WriteBinary(const QByteArray &value)
{
    FData.append(tBinary);
    putLE(FData, uint64_t(value.size()), 4);
    FData.append(value);
}

void TPropertyWriter::WriteListBegin()
{
    FData.append(tListBegin);
}

void TPropertyWriter::WriteListEnd()
{
    FData.append(tListEnd);
}

QByteArray TPropertyWriter::Finish()
{
    FData.append('\0');
    return std::move(FData);
}

std::vector<TStreamProperty> ReadPropertyStream(const QByteArray &stream)
{
    return StreamParser(stream).parse();
}

TListReader::TListReader(const TStreamValue &list) : FItems(&list.Items)
{
    if (list.Kind != TStreamValue::vkList)
        throw EReadError("a list was expected in the property stream");
}

const TStreamValue &TListReader::next(TStreamValue::TKind kind)
{
    if (EndOfList())
        throw EReadError("a list of the property stream ends early");
    const TStreamValue &item = (*FItems)[FIndex++];
    if (item.Kind != kind)
        throw EReadError("a value of the property stream has the wrong type");
    return item;
}

int64_t TListReader::ReadInteger()
{
    return next(TStreamValue::vkInteger).Integer;
}

int32_t TListReader::ReadInt32()
{
    const int64_t value = ReadInteger();
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        throw EReadError("an integer of the property stream is out of range");
    return int32_t(value);
}

QString TListReader::ReadString()
{
    return next(TStreamValue::vkString).String;
}
