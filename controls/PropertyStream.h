#pragma once
// The property stream in which a window keeps a control's stored properties: named values, each an
// integer, a string, a Boolean, raw bytes or a list of values. Integers take the smallest of their
// 8-, 16- and 32-bit forms (64 bits only beyond 32). Layout: the signature "KVPS", a version byte,
// then per property a name (length byte and Latin-1 characters) and its value; an empty name ends
// the stream. Values start with a type byte; lengths are 32-bit little-endian.
//
// Reading parses the whole stream before anything uses it: a truncated or malformed stream throws
// EReadError and nothing has been changed.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <stdexcept>
#include <utility>
#include <vector>

class EReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TStreamValue {
    enum TKind : uint8_t { vkInteger, vkString, vkBoolean, vkBinary, vkList };
    TKind Kind = vkInteger;
    int64_t Integer = 0;
    QString String;
    bool Boolean = false;
    QByteArray Binary;
    std::vector<TStreamValue> Items;
};

class TPropertyWriter {
public:
    TPropertyWriter();

    void WritePropertyName(const QString &name);
    void WriteInteger(int64_t value);
    void WriteString(const QString &value);
    void WriteBoolean(bool value);
    void WriteBinary(const QByteArray &value);
    void WriteListBegin();
    void WriteListEnd();
    // Ends the stream and hands it over.
    QByteArray Finish();

private:
    QByteArray FData;
};

struct TStreamProperty {
    QString Name;
    TStreamValue Value;
};

// Parses a whole stream; throws EReadError on anything but a well-formed stream.
std::vector<TStreamProperty> ReadPropertyStream(const QByteArray &stream);

// Walks the items of a list value; every read checks the item's kind and throws EReadError when the
// list ends early or the item is of another kind.
class TListReader {
public:
    explicit TListReader(const TStreamValue &list);

    bool EndOfList() const { return FIndex >= FItems->size(); }
    int64_t ReadInteger();
    // An integer that must fit 32 bits.
    int32_t ReadInt32();
    QString ReadString();

private:
    const TStreamValue &next(TStreamValue::TKind kind);

    const std::vector<TStreamValue> *FItems;
    size_t FIndex = 0;
};
