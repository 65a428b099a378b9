#include "shell/ParamsRecord.h"

#include "controls/FloatSpin.h"
#include "core/UGlobalRegistry.h"

#include <QComboBox>

#include <bitset>

std::string ParamsKey(const std::string &Area, int GameId, int Index)
{
    return Area + std::to_string(GameId) + '\\' + std::to_string(Index);
}

TStoredRecord ReadParamsRecord(const std::string &Key, size_t Size)
{
    TStoredRecord record;
    record.Bytes.assign(Size, 0);
    RegStream.Clear();
    record.Read = RegStream.ReadData(Key, ParamsValueName, record.Bytes);
    return record;
}

void WriteParamsRecord(const std::string &Key, const platform::Bytes &Record)
{
    RegStream.Clear();
    RegStream.WriteData(Key, ParamsValueName, Record);
}

bool SetStoredValue(TFloatSpin *Spin, int64_t Stored)
{
    if (double(Stored) < Spin->MinValue() || double(Stored) > Spin->MaxValue())
        return false;
    Spin->SetValue(double(Stored));
    return true;
}

bool SetStoredIndex(QComboBox *List, int64_t Stored)
{
    if (Stored < 0 || Stored >= List->count())
        return false;
    List->setCurrentIndex(int(Stored));
    return true;
}

bool ValidStoredComb(std::span<const uint8_t> Field, int Count, int N, bool Ascending)
{
    if (Count < 1 || size_t(Count) > Field.size())
        return false;
    std::bitset<256> seen;
    for (size_t i = 0; i < size_t(Count); ++i) {
        const uint8_t number = Field[i];
        if (number < 1 || number > N || seen[number])
            return false;
        if (Ascending && i > 0 && number < Field[i - 1])
            return false;
        seen[number] = true;
    }
    return true;
}
