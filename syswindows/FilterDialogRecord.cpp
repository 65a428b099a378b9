#include "syswindows/FilterDialogRecord.h"

#include "shell/ParamsRecord.h"

#include <algorithm>

TFilterDialogRecord ReadFilterDialogRecord(const TDrawsRange &DefaultRange)
{
    const TStoredRecord stored = ReadParamsRecord(FilterDialogKey, TFilterDialogRecord::Size);
    const platform::Bytes &bytes = stored.Bytes;
    TFilterDialogRecord record;
    record.DelTypeSystem = bytes[1] == 1;
    record.DelTypeDraws = bytes[2] == 1;
    record.DelComb = bytes[3] == 1;
    record.NewWindow = bytes[4] == 1;
    std::copy(bytes.begin() + TFilterDialogRecord::ExplorationOffset, bytes.end(), record.Exploration.begin());
    if (!stored.Valid()) {
        platform::ByteWriter range;
        WriteDrawsRange(range, DefaultRange);
        std::copy(range.bytes().begin(), range.bytes().end(),
                  record.Exploration.begin() +
                      (TFilterDialogRecord::ExplorationRangeOffset - TFilterDialogRecord::ExplorationOffset));
    }
    return record;
}

platform::Bytes FilterDialogBytes(const TFilterDialogRecord &Record)
{
    platform::ByteWriter stream;
    stream.put<uint8_t>(1);
    stream.put<uint8_t>(Record.DelTypeSystem ? 1 : 0);
    stream.put<uint8_t>(Record.DelTypeDraws ? 1 : 0);
    stream.put<uint8_t>(Record.DelComb ? 1 : 0);
    stream.put<uint8_t>(Record.NewWindow ? 1 : 0);
    stream.putBytes(Record.Exploration);
    return stream.take();
}

void WriteFilterDialogRecord(const TFilterDialogRecord &Record)
{
    WriteParamsRecord(FilterDialogKey, FilterDialogBytes(Record));
}
