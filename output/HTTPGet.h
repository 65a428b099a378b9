#pragma once
// Fetches one address into one local file over http or https, step by step, inside a worker thread that
// may be stopped. The failing step's number and message are left in Error.

#include "core/UGlobalUtils.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TMyThread;

class THTTPGetFile {
public:
    // Error.Code of each step.
    enum TStep : int32_t { stOpen = 1, stRequest = 2, stSize = 3, stCreate = 4, stTransfer = 5 };

    THTTPGetFile();

    // Downloads URL into FileName: True when the whole body was written (Error.Code 0). False when a step
    // failed or Thread was terminated: Error names the step then running. A file created by then stays,
    // holding what was received.
    bool GetFile();

    std::function<void()> OnOpen;
    std::function<void()> OnConnected;
    std::function<void(int32_t Size)> OnFileSize; // the content length + 1
    std::function<void(int32_t BytesRead)> OnProgress;

    std::string URL;
    std::string FileName;
    TMyThread *Thread = nullptr; // its terminated flag stops the download
    TError Error;

    int32_t ContentLength = 0;
    int32_t BytesRead = 0;

private:
    struct TTransfer;

    void SetStep(TStep Step);
    bool Stopped() const;
    // At the end of the final response's headers: status, length, the file. False fails the step set.
    bool HeadersDone(TTransfer &T);
    bool BodyBlock(const char *Data, size_t Size);
    bool SaveBody();

    std::vector<uint8_t> Body;
    bool FileCreated = false;

    friend struct THTTPGetFileCallbacks;
};
